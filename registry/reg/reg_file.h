// REGEDIT4 .reg files: the text form keys and values travel in to and from the
// platform's own registry editor. The file is code page 936 text with CRLF lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"

namespace registry::reg {

struct RegFileValue {
    std::string name;     // code page 936; empty: the default value ("@")
    bool remove = false;  // "name"=-
    DWORD type = REG_SZ;
    std::string data;  // exact bytes
};

struct RegFileKey {
    std::string path;     // full path in code page 936, "HKEY_CURRENT_USER\..."
    bool remove = false;  // [-path]
    std::vector<RegFileValue> values;
};

// The file's bytes. Text that a quoted string cannot carry exactly (a NUL, a line
// break, bytes that are no code page 936 text) is written as hex(1):, so that
// importing gives back the same bytes. False,
// with `error`, for a name with a line break, which the format cannot hold.
bool writeRegFile(const std::vector<RegFileKey>& keys, std::string& out, std::string& error);

// Parses a whole file before anything is applied. False, with `error` naming the
// line, for anything that is not REGEDIT4.
bool parseRegFile(std::string_view bytes, std::vector<RegFileKey>& keys, std::string& error);

}  // namespace registry::reg
