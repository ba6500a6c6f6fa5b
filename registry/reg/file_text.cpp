// Encodings of .reg files, and text the store keeps in code page 936.
#include "registry/reg/file_text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "platform/codepage.h"

namespace registry::reg {
namespace {

// One strict iconv conversion: false when any input does not convert.
bool convert(const char* to, const char* from, std::string_view in, std::string& out) {
    out.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool ok = true;
    char buffer[1024];
    while (ok && srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) ok = false;
    }
    iconv_close(cd);
    if (!ok) out.clear();
    return ok;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    int n = cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[n] | (cp >> (6 * (n - 1))));
    for (int k = n - 2; k >= 0; --k) out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
}

std::string lineOf(std::string_view decoded) {
    return "line " + std::to_string(std::count(decoded.begin(), decoded.end(), '\n') + 1);
}

std::string_view firstLine(std::string_view text) {
    size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return {};
    text.remove_prefix(start);
    text = text.substr(0, text.find('\n'));
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

}  // namespace

bool isUtf8(std::string_view s, std::size_t* badAt) {
    for (size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        bool ok = n > 0 && i + n <= s.size();
        char32_t cp = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
        for (size_t k = 1; ok && k < n; ++k) {
            auto t = static_cast<unsigned char>(s[i + k]);
            ok = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3F);
        }
        // No overlong forms, no surrogates, nothing past U+10FFFF.
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        ok = ok && cp >= kLeast[n] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        if (!ok) {
            if (badAt) *badAt = i;
            return false;
        }
        i += n;
    }
    return true;
}

// Decodes as far as it can: on failure `out` holds the text before the fault.
static bool decodeUtf16(std::string_view bytes, std::string& out) {
    auto unit = [&](size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (size_t i = 0; i + 2 <= bytes.size(); i += 2) {
        char32_t u = unit(i);
        if (u >= 0xDC00 && u <= 0xDFFF) return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 4 > bytes.size()) return false;
            char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return false;
            u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        appendUtf8(out, u);
    }
    return bytes.size() % 2 == 0;
}

bool utf16leToUtf8(std::string_view bytes, std::string& out) {
    out.clear();
    if (decodeUtf16(bytes, out)) return true;
    out.clear();
    return false;
}

bool decodeFileText(std::string_view bytes, FileText& out, std::string& error) {
    out = {};
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        std::string_view body = bytes.substr(2);
        if (!decodeUtf16(body, out.text)) {
            error = lineOf(out.text) + ": the file is not UTF-16 text";
            out.text.clear();
            return false;
        }
        out.encoding = TextEncoding::Utf8;
        return true;
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        error = "the file is big-endian UTF-16; save it as UTF-16LE or UTF-8";
        return false;
    }
    bool marked = bytes.substr(0, 3) == "\xEF\xBB\xBF";
    if (marked) bytes.remove_prefix(3);
    size_t bad = 0;
    bool utf8 = isUtf8(bytes, &bad);
    if (marked && !utf8) {
        error = lineOf(bytes.substr(0, bad)) + ": the file is not UTF-8 text";
        return false;
    }
    out.encoding = marked || (utf8 && firstLine(bytes) == kVersion5Header) ? TextEncoding::Utf8 : TextEncoding::Cp936;
    out.text = std::string(bytes);
    return true;
}

bool isCp936Text(std::string_view bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return true;
    std::string back;
    return platform::utf8ToCp936(platform::cp936ToUtf8(bytes), back) && back == bytes;
}

std::string storeText(std::string_view utf8) {
    std::string out;
    if (platform::utf8ToCp936(utf8, out)) return out;
    for (char32_t cp : platform::utf8ToCodePoints(utf8)) {
        std::string one, bytes;
        appendUtf8(one, cp);
        if (platform::utf8ToCp936(one, bytes) || convert("GB18030", "UTF-8", one, bytes))
            out += bytes;
        else
            out += one;  // no converter at hand: the character still is not lost
    }
    return out;
}

bool storedToUtf8(std::string_view stored, std::string& utf8) {
    if (isCp936Text(stored)) {
        utf8 = platform::cp936ToUtf8(stored);
        return true;
    }
    return convert("UTF-8", "GB18030", stored, utf8) && storeText(utf8) == stored;
}

std::string utf8ToUtf16le(std::string_view utf8) {
    std::string out;
    auto unit = [&out](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    for (char32_t cp : platform::utf8ToCodePoints(utf8)) {
        if (cp < 0x10000) {
            unit(cp);
        } else {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string shownText(std::string_view stored) {
    std::string utf8;
    if (!isCp936Text(stored) && convert("UTF-8", "GB18030", stored, utf8)) return utf8;
    return platform::cp936ToUtf8(stored);
}

std::string excerpt(std::string_view utf8, std::size_t maxChars) {
    size_t i = 0;
    for (size_t chars = 0; i < utf8.size() && chars < maxChars; ++chars) {
        ++i;
        while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
    }
    return i < utf8.size() ? std::string(utf8.substr(0, i)) + "..." : std::string(utf8);
}

}  // namespace registry::reg
