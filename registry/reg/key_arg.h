// KEY arguments: a root name, full or short ("HKEY_CURRENT_USER", "HKCU"), and a sub-key.
#pragma once

#include <string>
#include <string_view>

#include "registry/registry_api.h"

namespace registry::reg {

struct KeyArg {
    HKEY root = 0;
    std::string rootName;  // the full name, "HKEY_CURRENT_USER"
    std::string subKey;    // code page 936 bytes; empty for the root itself

    // The full path as code page 936 bytes, and as UTF-8 for the terminal.
    std::string ansiPath() const;
    std::string display() const;
    KeyArg child(std::string_view name) const;  // `name` in code page 936
};

// A KEY typed on the command line (UTF-8). Root names are matched without regard to
// case; one trailing backslash is dropped. False, with `error`, for anything else.
bool parseKeyArg(std::string_view utf8, KeyArg& out, std::string& error);

// A full key path in code page 936, as a .reg file writes it (full root names only).
bool parseAnsiKeyPath(std::string_view cp936, KeyArg& out);

}  // namespace registry::reg
