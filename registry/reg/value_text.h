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

// Query output: text as UTF-8, numbers as 0x..., anything else as hex digits.
std::string displayData(DWORD type, std::string_view bytes);

// The stored bytes for /d DATA (UTF-8). Text is stored in code page 936 without a
// terminator, as the suite's own writes store it; REG_DWORD takes decimal or 0x hex;
// REG_BINARY takes hex digits ("3030" is two bytes 0x30). False, with `error`, for bad data.
bool parseData(DWORD type, std::string_view utf8, std::string& bytes, std::string& error);

}  // namespace registry::reg
