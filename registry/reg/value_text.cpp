// Value types and their data as text, driven by one table of types.
#include "registry/reg/value_text.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "platform/codepage.h"
#include "registry/ascii_case.h"
#include "registry/reg/file_text.h"

namespace registry::reg {
namespace {

// None: text given on the command line, shown as hex digits.
enum class Form { Text, MultiText, Dword, DwordBigEndian, Qword, Hex, None };

struct TypeRow {
    DWORD type;
    std::string_view name;
    Form form;
};

// The first row of a type gives its name; later rows are other names for it.
constexpr std::array<TypeRow, 13> kTypes{{
    {REG_NONE, "REG_NONE", Form::None},
    {REG_SZ, "REG_SZ", Form::Text},
    {REG_EXPAND_SZ, "REG_EXPAND_SZ", Form::Text},
    {REG_BINARY, "REG_BINARY", Form::Hex},
    {REG_DWORD, "REG_DWORD", Form::Dword},
    {REG_DWORD, "REG_DWORD_LITTLE_ENDIAN", Form::Dword},
    {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN", Form::DwordBigEndian},
    {REG_LINK, "REG_LINK", Form::Hex},
    {REG_MULTI_SZ, "REG_MULTI_SZ", Form::MultiText},
    {8, "REG_RESOURCE_LIST", Form::Hex},
    {9, "REG_FULL_RESOURCE_DESCRIPTOR", Form::Hex},
    {10, "REG_RESOURCE_REQUIREMENTS_LIST", Form::Hex},
    {REG_QWORD, "REG_QWORD", Form::Qword},
}};

constexpr std::string_view kNoCp936 = "The data has characters that code page 936 cannot hold.";

const TypeRow* row(DWORD type) {
    for (const TypeRow& r : kTypes)
        if (r.type == type) return &r;
    return nullptr;
}

Form formOf(DWORD type) {
    const TypeRow* r = row(type);
    return r ? r->form : Form::Hex;
}

std::string hexDigits(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    }
    return out;
}

std::uint64_t littleEndian(std::string_view bytes) {
    std::uint64_t v = 0;
    for (size_t i = bytes.size(); i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[i]);
    return v;
}

std::string littleEndianBytes(std::uint64_t v, int count) {
    std::string out;
    for (int i = 0; i < count; ++i, v >>= 8) out += static_cast<char>(v & 0xFF);
    return out;
}

bool parseNumber(std::string_view text, std::uint64_t max, std::uint64_t& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size() && value <= max;
}

}  // namespace

bool isMultiText(DWORD type) { return formOf(type) == Form::MultiText; }

bool typeFromName(std::string_view name, DWORD& type) {
    for (const TypeRow& r : kTypes) {
        if (sameIgnoringAsciiCase(name, r.name)) {
            type = r.type;
            return true;
        }
    }
    return false;
}

std::string typeName(DWORD type) {
    if (const TypeRow* r = row(type)) return std::string(r->name);
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "REG_0x%X", type);
    return buffer;
}

std::string displayData(DWORD type, std::string_view bytes, std::string_view separator) {
    switch (formOf(type)) {
        case Form::Text:
            return shownText(bytes.substr(0, bytes.find('\0')));
        case Form::MultiText: {
            while (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
            std::string out;
            for (size_t start = 0; start <= bytes.size();) {
                size_t end = bytes.find('\0', start);
                if (end == std::string_view::npos) end = bytes.size();
                if (start > 0) out += separator;
                out += shownText(bytes.substr(start, end - start));
                start = end + 1;
            }
            return out;
        }
        case Form::Dword:
        case Form::DwordBigEndian:
        case Form::Qword: {
            size_t width = formOf(type) == Form::Qword ? 8 : 4;
            if (bytes.size() != width) return hexDigits(bytes);
            std::uint64_t v = littleEndian(bytes);
            if (formOf(type) == Form::DwordBigEndian)
                v = ((v & 0xFF) << 24) | ((v & 0xFF00) << 8) | ((v >> 8) & 0xFF00) | ((v >> 24) & 0xFF);
            char buffer[24];
            std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(v));
            return buffer;
        }
        case Form::Hex:
        case Form::None:
            break;
    }
    return hexDigits(bytes);
}

bool parseData(DWORD type, const DataArg& arg, std::string& bytes, std::string& error) {
    bytes.clear();
    std::string_view utf8 = arg.text;
    switch (formOf(type)) {
        case Form::Text:
        case Form::None:
            if (platform::utf8ToCp936(utf8, bytes)) return true;
            error = kNoCp936;
            return false;
        case Form::MultiText: {
            // Each string ends with a NUL, and one more NUL ends the list, so a list
            // cannot hold an empty string; a separator at the very end is allowed.
            std::string_view sep = arg.separator.empty() ? std::string_view("\\0") : arg.separator;
            for (size_t start = 0; start < utf8.size();) {
                size_t end = utf8.find(sep, start);
                if (end == std::string_view::npos) end = utf8.size();
                std::string part;
                if (end == start) {
                    error = "Invalid REG_MULTI_SZ data: an empty string cannot stand between two separators.";
                    return false;
                }
                if (!platform::utf8ToCp936(utf8.substr(start, end - start), part)) {
                    error = kNoCp936;
                    return false;
                }
                bytes += part;
                bytes += '\0';
                start = end + sep.size();
            }
            bytes += '\0';
            return true;
        }
        case Form::Dword:
        case Form::DwordBigEndian:
        case Form::Qword: {
            bool wide = formOf(type) == Form::Qword;
            std::uint64_t v = 0;
            if (wide && !arg.given) {
                bytes = littleEndianBytes(0, 8);
                return true;
            }
            if (!arg.given) {
                error = typeName(type) + " needs its number: /d NUMBER (decimal, or hex after 0x).";
                return false;
            }
            if (!parseNumber(utf8, wide ? ~0ull : 0xFFFFFFFFull, v)) {
                error = "Invalid number for " + typeName(type) + ": " + excerpt(utf8) + " (decimal, or hex after 0x).";
                return false;
            }
            if (formOf(type) == Form::DwordBigEndian)
                v = ((v & 0xFF) << 24) | ((v & 0xFF00) << 8) | ((v >> 8) & 0xFF00) | ((v >> 24) & 0xFF);
            bytes = littleEndianBytes(v, wide ? 8 : 4);
            return true;
        }
        case Form::Hex:
            break;
    }
    // An odd count of digits reads as if it began with a 0: "303" is 03 03.
    std::string digits = utf8.size() % 2 ? "0" + std::string(utf8) : std::string(utf8);
    utf8 = digits;
    for (size_t i = 0; i < utf8.size(); i += 2) {
        unsigned value = 0;
        auto [end, ec] = std::from_chars(utf8.data() + i, utf8.data() + i + 2, value, 16);
        if (ec != std::errc() || end != utf8.data() + i + 2) {
            error = "Invalid hex data for " + typeName(type) + ": " + excerpt(arg.text) + ".";
            return false;
        }
        bytes += static_cast<char>(value);
    }
    return true;
}

}  // namespace registry::reg
