// .reg files: the text form keys and values travel in to and from the platform's
// own registry editor. Written as Version 5.00 (UTF-16LE) or REGEDIT4 (code page 936);
// read as either, in UTF-16LE, UTF-8 or code page 936.
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

// The two forms of .reg file: what the platform's editor writes today, and the older
// one that older readers take.
enum class RegFormat {
    Version5,  // "Windows Registry Editor Version 5.00", UTF-16LE with a byte-order mark
    Regedit4,  // "REGEDIT4", code page 936
};

// The file's bytes, CRLF lines. Text that a quoted string cannot carry exactly (a NUL,
// a line break) is written as hex(1):, so that importing gives back the same bytes;
// REGEDIT4 keeps every byte of any value. False, with `error`, for a name with a line
// break, which the format cannot hold, or in Version 5.00 a name that is no code page
// 936 text. `warnings` gets a line for each value whose bytes are no text and do not
// read back exactly from a Version 5.00 file.
bool writeRegFile(const std::vector<RegFileKey>& keys, RegFormat format, std::string& out, std::string& error,
                  std::vector<std::string>* warnings = nullptr);

// Parses and checks a whole file before anything is applied: key and value names
// within the store's limits, code page 936 names, no NULs in names, no removal of a
// root key. Text becomes code page 936 (see storeText); in Version 5.00 files the
// UTF-16LE data of hex(1), hex(2) and hex(7) does too, all other data keeps its bytes.
// False, with `error` naming the line, for anything else. `warnings` gets a line for
// each doubt that does not stop the import (a Version 5.00 file cut off in a value).
bool parseRegFile(std::string_view bytes, std::vector<RegFileKey>& keys, std::string& error,
                  std::vector<std::string>* warnings = nullptr);

}  // namespace registry::reg
