// .reg files: the text form keys and values travel in to and from the platform's
// own registry editor. Written as REGEDIT4 (code page 936, CRLF lines); read as
// REGEDIT4 or Version 5.00, in UTF-16LE, UTF-8 or code page 936.
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

// Parses and checks a whole file before anything is applied: key and value names
// within the store's limits, code page 936 names, no NULs in names, no removal of a
// root key. Text becomes code page 936 (see storeText); in Version 5.00 files the
// UTF-16LE data of hex(1), hex(2) and hex(7) does too, all other data keeps its bytes.
// False, with `error` naming the line, for anything else.
bool parseRegFile(std::string_view bytes, std::vector<RegFileKey>& keys, std::string& error);

}  // namespace registry::reg
