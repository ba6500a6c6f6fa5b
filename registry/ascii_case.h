// ASCII letters without regard to case. Root, command, switch and type names are
// ASCII; bytes from 0x80 up (code page 936 and UTF-8 text) are left as they are, so
// the answer never depends on the locale.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace registry {

inline char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = asciiLower(c);
    return out;
}

inline bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace registry
