// Conversion between the suite's text (UTF-8) and code page 936 (GBK) bytes.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 text to code page 936 bytes. Returns false (and leaves `out` empty) when
// the text is not valid UTF-8 or holds a character that code page 936 cannot encode.
bool utf8ToCp936(std::string_view utf8, std::string& out);

// Code page 936 bytes to UTF-8. Bytes that do not decode become U+FFFD; never fails.
std::string cp936ToUtf8(std::string_view bytes);

// The single byte that encodes one Unicode character in code page 936, or -1 when
// the character has no single-byte code there (most Chinese characters need two).
int cp936SingleByte(char32_t ch);

// Splits UTF-8 text into code points; malformed sequences become U+FFFD.
std::u32string utf8ToCodePoints(std::string_view utf8);
std::string codePointsToUtf8(std::u32string_view text);

}  // namespace platform
