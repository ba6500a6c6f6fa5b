// Value types by name, and value data as reg shows it and as /d gives it.
#pragma once

#include <string>
#include <string_view>

#include "registry/registry_api.h"

namespace registry::reg {

// REG_SZ, REG_DWORD, ... by name, ignoring case; false for an unknown name.
bool typeFromName(std::string_view name, DWORD& type);

// "REG_SZ", or "REG_0x20" for a type without a name.
std::string typeName(DWORD type);

// True for REG_MULTI_SZ, whose strings /s and /se separate.
bool isMultiText(DWORD type);

// Query output: text as UTF-8, the strings of REG_MULTI_SZ joined by `separator`,
// numbers as 0x..., anything else as hex digits.
std::string displayData(DWORD type, std::string_view bytes, std::string_view separator = "\\0");

struct DataArg {
    bool given = false;         // /d was on the command line
    std::string_view text;      // its UTF-8 text
    std::string_view separator; // /s for REG_MULTI_SZ; empty: the two characters \0
};

// The stored bytes for /d DATA. Text, and REG_NONE's data, is stored in code page 936
// without a terminator, as the suite's own writes store it; REG_MULTI_SZ as NUL-ended
// strings and one more NUL; REG_DWORD and REG_DWORD_BIG_ENDIAN need a number, decimal
// or 0x hex, as REG_QWORD does when /d is given (0 without it); REG_BINARY and the other
// types take hex digits ("3030" is two bytes 0x30, an odd count reads with a leading
// 0). False, with `error`, for bad or missing data.
bool parseData(DWORD type, const DataArg& arg, std::string& bytes, std::string& error);

}  // namespace registry::reg
