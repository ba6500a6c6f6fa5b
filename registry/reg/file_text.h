// The text inside a .reg file: its encoding, and the code page 936 bytes the store
// keeps for text that arrives as UTF-8 or UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace registry::reg {

// The first line of the files the platform's editor writes today; older ones say REGEDIT4.
inline constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";

enum class TextEncoding { Cp936, Utf8 };

struct FileText {
    TextEncoding encoding = TextEncoding::Cp936;
    std::string text;  // without a byte-order mark; UTF-16 is turned into UTF-8
};

// A UTF-16LE byte-order mark gives UTF-8 text, a UTF-8 mark is dropped; without a
// mark, a "Windows Registry Editor Version 5.00" file that is valid UTF-8 is UTF-8
// (ASCII included) and anything else is code page 936. False, with `error` naming
// the line, for text that breaks the encoding its mark announces.
bool decodeFileText(std::string_view bytes, FileText& out, std::string& error);

// Strict conversions: false for an odd byte count, a lone surrogate or a bad sequence.
bool utf16leToUtf8(std::string_view bytes, std::string& out);
bool isUtf8(std::string_view bytes, std::size_t* badAt = nullptr);

// True when the bytes are code page 936 text that converts back to the same bytes.
bool isCp936Text(std::string_view bytes);

// UTF-8 text as the store keeps it: code page 936, and for each character that code
// page 936 lacks its GB18030 code, which code page 936 text never contains. Nothing
// is dropped, and such a value exports as hex(1): with the same bytes.
std::string storeText(std::string_view utf8);

// Stored text as UTF-8, when the bytes are text that storeText gives back exactly:
// code page 936, with GB18030 codes for what it lacks. False for other bytes.
bool storedToUtf8(std::string_view stored, std::string& utf8);

// UTF-8 text as UTF-16LE units, low byte first, without a byte-order mark.
std::string utf8ToUtf16le(std::string_view utf8);

// Stored text for the terminal: code page 936, or GB18030 when only that reads it.
std::string shownText(std::string_view stored);

// At most `maxChars` characters of UTF-8 text, with "..." when it was cut.
std::string excerpt(std::string_view utf8, std::size_t maxChars = 40);

}  // namespace registry::reg
