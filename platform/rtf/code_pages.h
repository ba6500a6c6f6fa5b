// Windows code pages and font character sets, as rich-text documents name them.
#pragma once

#include <string>
#include <string_view>

namespace platform::rtf {

// Bytes in Windows code page `codePage` (936, 1252, 932, ...) to UTF-8. Bytes that do
// not decode become U+FFFD; an unknown code page keeps ASCII and replaces the rest.
std::string codePageToUtf8(int codePage, std::string_view bytes);

// The code page of a font character set number (\fcharsetN): 134 (GB2312) is 936,
// 0 (ANSI) is 1252. Returns 0 for sets with no code page of their own (default, symbol).
int charsetCodePage(int charset);

}  // namespace platform::rtf
