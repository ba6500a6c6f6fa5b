// Code page 936 conversion through glibc iconv.
#include "platform/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace platform {
namespace {

// One converter per direction, opened on first use and kept for the program's life.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; returns the number of input bytes consumed
    // and whether it stopped at an input it could not convert.
    bool run(std::string_view in, std::string& out, size_t& consumed) {
        std::lock_guard lock(mutex_);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[4096];
        bool ok = true;
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst);
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                ok = false;
                break;
            }
        }
        consumed = in.size() - srcLeft;
        return ok;
    }

private:
    iconv_t cd_;
    std::mutex mutex_;
};

Converter& toCp936() {
    static Converter c("CP936", "UTF-8");
    return c;
}

Converter& fromCp936() {
    static Converter c("UTF-8", "CP936");
    return c;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::u32string utf8ToCodePoints(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        auto b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) {
            out += kReplacement;
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool good = true;
        for (int k = 1; k < len; ++k) {
            auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                good = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!good || cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += kReplacement;
            ++i;
            continue;
        }
        out += cp;
        i += len;
    }
    return out;
}

std::string codePointsToUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : text) {
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
        appendUtf8(out, cp);
    }
    return out;
}

bool utf8ToCp936(std::string_view utf8, std::string& out) {
    out.clear();
    // iconv stops at a NUL-free boundary only; embedded NULs are ordinary characters here.
    auto& conv = toCp936();
    size_t consumed = 0;
    if (!conv.valid() || !conv.run(utf8, out, consumed)) {
        out.clear();
        return false;
    }
    return true;
}

std::string cp936ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    auto& conv = fromCp936();
    if (!conv.valid()) {
        for (unsigned char c : bytes) appendUtf8(out, c < 0x80 ? c : kReplacement);
        return out;
    }
    while (!bytes.empty()) {
        size_t consumed = 0;
        if (conv.run(bytes, out, consumed)) break;
        // Skip one undecodable byte (a lone lead byte, a bad trail byte, a truncated pair).
        appendUtf8(out, kReplacement);
        bytes.remove_prefix(consumed + 1);
    }
    return out;
}

int cp936SingleByte(char32_t ch) {
    if (ch < 0x80) return static_cast<int>(ch);
    std::string utf8;
    appendUtf8(utf8, ch);
    std::string bytes;
    if (!utf8ToCp936(utf8, bytes) || bytes.size() != 1) return -1;
    return static_cast<unsigned char>(bytes[0]);
}

}  // namespace platform
