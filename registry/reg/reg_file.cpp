// Writing and reading .reg files: Version 5.00 and REGEDIT4.
#include "registry/reg/reg_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/codepage.h"
#include "registry/reg/file_text.h"
#include "registry/reg/key_arg.h"

namespace registry::reg {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
// The store's limits, checked here so that a file is refused before anything is applied.
constexpr size_t kMaxKeyNameBytes = 255;
constexpr size_t kMaxValueNameBytes = 16383;
constexpr size_t kMaxKeyDepth = 512;
constexpr std::string_view kNewline = "\r\n";
constexpr size_t kHexLineWidth = 77;  // the editor wraps hex lists before column 80

// A code page 936 lead byte: the next byte belongs to the same character and may
// itself be a backslash (0x5C), which must then not be escaped or taken as one.
bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

bool hasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Text a quoted string carries exactly: well-formed code page 936 on one line.
bool quotable(std::string_view s) {
    if (hasLineBreakOrNul(s)) return false;
    std::string back;
    return platform::utf8ToCp936(platform::cp936ToUtf8(s), back) && back == s;
}

std::string quote(std::string_view s) {
    std::string out = "\"";
    for (size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (isLeadByte(c) && i + 1 < s.size()) {
            out += s.substr(i, 2);
            ++i;
            continue;
        }
        if (c == '\\' || c == '"') out += '\\';
        out += static_cast<char>(c);
    }
    return out + "\"";
}

// Characters on a line: Version 5.00 lines are UTF-8 here and counted as the editor
// counts them; REGEDIT4 lines by their bytes.
size_t width(std::string_view line, RegFormat format) {
    if (format == RegFormat::Regedit4) return line.size();
    return static_cast<size_t>(
        std::count_if(line.begin(), line.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void appendHexList(std::string& out, std::string line, std::string_view bytes, RegFormat format) {
    static constexpr char kDigits[] = "0123456789abcdef";
    size_t columns = width(line, format);
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        std::string piece{kDigits[b >> 4], kDigits[b & 15]};
        if (i + 1 < bytes.size()) piece += ',';
        if (columns + piece.size() > kHexLineWidth) {
            out += line;
            out += '\\';
            out += kNewline;
            line = "  ";
            columns = line.size();
        }
        line += piece;
        columns += piece.size();
    }
    out += line;
    out += kNewline;
}

std::string hexType(DWORD type) {
    if (type == REG_BINARY) return "hex:";
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "hex(%x):", type);
    return buffer;
}

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Quoted in a Version 5.00 file: UTF-8 text, only \ and " escaped.
std::string quoteUnicode(std::string_view utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Everything but the text types is written the same in both forms.
void appendOther(std::string& out, const std::string& line, const RegFileValue& v, RegFormat format) {
    if (v.type == REG_DWORD && v.data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(v.data[i]);
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", n);
        out += line + buffer;
        out += kNewline;
    } else {
        appendHexList(out, line + hexType(v.type), v.data, format);
    }
}

// A REG_SZ in hex(1) carries its terminator, as the platform stores text; import takes
// it off again, so the store keeps text without one either way.
void appendRegedit4(std::string& out, const RegFileValue& v) {
    std::string line = v.name.empty() ? "@=" : quote(v.name) + "=";
    if (v.remove) {
        out += line + "-";
        out += kNewline;
    } else if (v.type == REG_SZ && quotable(v.data)) {
        out += line + quote(v.data);
        out += kNewline;
    } else if (v.type == REG_SZ) {
        appendHexList(out, line + "hex(1):", v.data + '\0', RegFormat::Regedit4);
    } else {
        appendOther(out, line, v, RegFormat::Regedit4);
    }
}

// Text types travel as Unicode: quoted, or UTF-16LE in hex(1), hex(2) and hex(7).
// Bytes that are no text go as they are, and read back exactly unless they happen to
// be UTF-16 (said in `warnings`).
void appendVersion5(std::string& out, const RegFileValue& v, std::string_view keyShown,
                    std::vector<std::string>* warnings) {
    std::string name = platform::cp936ToUtf8(v.name);
    std::string line = v.name.empty() ? "@=" : quoteUnicode(name) + "=";
    std::string text, ignored;
    if (v.remove) {
        out += line + "-";
        out += kNewline;
    } else if (!isText(v.type)) {
        appendOther(out, line, v, RegFormat::Version5);
    } else if (!storedToUtf8(v.data, text)) {
        appendHexList(out, line + hexType(v.type), v.data, RegFormat::Version5);
        if (warnings && utf16leToUtf8(v.data, ignored))
            warnings->push_back("the data of " + (v.name.empty() ? std::string("(Default)") : excerpt(name)) + " in [" +
                                excerpt(std::string(keyShown), 80) +
                                "] is no text and does not read back exactly from a Version 5.00 file; /a keeps it");
    } else if (v.type == REG_SZ && !hasLineBreakOrNul(text)) {
        out += line + quoteUnicode(text);
        out += kNewline;
    } else {
        std::string units = utf8ToUtf16le(text);
        if (v.type == REG_SZ) units += std::string(2, '\0');
        appendHexList(out, line + hexType(v.type), units, RegFormat::Version5);
    }
}

std::string_view trimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Nothing, or a ";" comment.
bool blankOrComment(std::string_view s) {
    s = trimLeft(s);
    return s.empty() || s.front() == ';';
}

// One line's part of a hex list: whole bytes between commas, and a comma may end it.
bool appendHexBytes(std::string_view list, std::string& bytes) {
    list = trimRight(trimLeft(list));
    while (!list.empty()) {
        size_t comma = list.find(',');
        std::string_view item = trimRight(trimLeft(list.substr(0, comma)));
        unsigned value = 0;
        auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), value, 16);
        if (item.empty() || item.size() > 2 || ec != std::errc() || end != item.data() + item.size()) return false;
        bytes += static_cast<char>(value);
        if (comma == std::string_view::npos) break;
        list = trimLeft(list.substr(comma + 1));
    }
    return true;
}

// A key path in code page 936 split at its backslashes; the second byte of a
// double-byte character may be 0x5C and then is no separator.
std::vector<std::string_view> splitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
        } else if (path[i] == '\\') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(path.substr(start));
    return parts;
}

class Parser {
public:
    Parser(const FileText& file, std::vector<RegFileKey>& keys, std::string& error, std::vector<std::string>* warnings)
        : cp936_(file.encoding == TextEncoding::Cp936),
          cutOff_(!file.text.empty() && file.text.back() != '\n'),
          warnings_(warnings),
          keys_(keys),
          error_(error) {
        std::string_view bytes = file.text;
        for (size_t start = 0; start <= bytes.size();) {
            size_t end = bytes.find('\n', start);
            if (end == std::string_view::npos) end = bytes.size();
            lines_.push_back(trimRight(bytes.substr(start, end - start)));
            start = end + 1;
        }
    }

    bool run() {
        size_t i = 0;
        while (i < lines_.size() && trimLeft(lines_[i]).empty()) ++i;
        std::string_view header = i < lines_.size() ? trimLeft(lines_[i]) : std::string_view();
        if (header == kVersion5Header) {
            version5_ = true;
        } else if (header != kHeader) {
            return fail(i, "the file begins with neither REGEDIT4 nor " + std::string(kVersion5Header));
        }
        for (++i; i < lines_.size(); ++i) {
            std::string_view line = trimLeft(lines_[i]);
            if (line.empty() || line.front() == ';' || line.front() == '#') continue;
            if (line.front() == '[') {
                if (!key(i, line)) return false;
            } else if (line.front() == '@' || line.front() == '"') {
                if (!value(i, line)) return false;
            } else {
                return fail(i, "neither a key nor a value");
            }
        }
        return true;
    }

private:
    bool fail(size_t i, std::string_view what) {
        error_ = "line " + std::to_string(i + 1) + ": " + std::string(what);
        return false;
    }

    bool lead(std::string_view s, size_t i) const {
        return cp936_ && isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
    }

    // A name or path from the file as code page 936 bytes; false when it has none.
    bool storeName(std::string_view text, std::string& out) const {
        if (cp936_) {
            out = std::string(text);
            return true;
        }
        return platform::utf8ToCp936(text, out);
    }

    // A short start of a name for a message: a file may hold a name of megabytes.
    std::string shown(std::string_view text) const {
        text = text.substr(0, 200);
        return excerpt(cp936_ ? platform::cp936ToUtf8(text) : std::string(text));
    }

    // Reads a quoted string at the start of `s` (which begins with '"'); `s` is left after
    // it. \\ and \" are its only escapes. Nothing, or what is wrong with it.
    std::string unquote(std::string_view& s, std::string& out) const {
        out.clear();
        for (size_t i = 1; i < s.size(); ++i) {
            if (lead(s, i)) {
                out += s.substr(i, 2);
                ++i;
            } else if (s[i] == '\\' && i + 1 < s.size()) {
                if (s[i + 1] != '\\' && s[i + 1] != '"')
                    return "an unknown escape \\" + shown(s.substr(i + 1, lead(s, i + 1) ? 2 : 1)) +
                           " in a quoted string (only \\\\ and \\\" are escapes)";
                out += s[++i];
            } else if (s[i] == '"') {
                s.remove_prefix(i + 1);
                return {};
            } else {
                out += s[i];
            }
        }
        return "no closing quote";
    }

    // "[path]" or "[-path]"; the path ends at the line's last "]", and a comment may follow.
    bool key(size_t i, std::string_view line) {
        size_t close = std::string_view::npos;
        for (size_t k = 0; k < line.size(); ++k) {
            if (lead(line, k))
                ++k;
            else if (line[k] == ']')
                close = k;
        }
        if (close == std::string_view::npos) return fail(i, "a key line must end with ]");
        if (!blankOrComment(line.substr(close + 1))) return fail(i, "text after the ] of a key");
        std::string_view text = line.substr(1, close - 1);
        RegFileKey k;
        if (!text.empty() && text.front() == '-') {
            k.remove = true;
            text.remove_prefix(1);
        }
        std::string path;
        if (!storeName(text, path))
            return fail(i, "the key name has characters that code page 936 cannot hold: [" + shown(text) + "]");
        std::vector<std::string_view> parts = splitPath(path);
        while (parts.size() > 1 && parts.back().empty()) parts.pop_back();  // trailing backslashes
        KeyArg root;
        if (!parseAnsiKeyPath(parts.front(), root))
            return fail(i, "unknown root key in [" + shown(text) + "]");
        if (parts.size() - 1 > kMaxKeyDepth)
            return fail(i, "the key is more than " + std::to_string(kMaxKeyDepth) + " levels deep");
        k.path = root.rootName;
        for (size_t p = 1; p < parts.size(); ++p) {
            std::string_view part = parts[p];
            if (part.empty()) return fail(i, "an empty key name in [" + shown(text) + "]");
            if (part.find('\0') != std::string_view::npos)
                return fail(i, "a key name holds a NUL character: [" + shown(text) + "]");
            if (part.size() > kMaxKeyNameBytes)
                return fail(i, "a key name is longer than " + std::to_string(kMaxKeyNameBytes) + " bytes: [" +
                                   shown(text) + "]");
            if (!isCp936Text(part)) return fail(i, "a key name is not code page 936 text: [" + shown(text) + "]");
            k.path += '\\';
            k.path += part;
        }
        if (k.remove && parts.size() == 1) return fail(i, "a root key cannot be deleted");
        keys_.push_back(std::move(k));
        return true;
    }

    bool value(size_t& i, std::string_view line) {
        if (keys_.empty() || keys_.back().remove) return fail(i, "a value outside of a key");
        RegFileValue v;
        std::string_view rest = line;
        if (rest.front() == '@') {
            rest.remove_prefix(1);
        } else {
            std::string name;
            if (std::string problem = unquote(rest, name); !problem.empty())
                return fail(i, "the value name has " + problem);
            if (!storeName(name, v.name))
                return fail(i, "the value name has characters that code page 936 cannot hold: " + shown(name));
            if (v.name.find('\0') != std::string::npos) return fail(i, "the value name holds a NUL character");
            if (v.name.size() > kMaxValueNameBytes)
                return fail(i, "the value name is longer than " + std::to_string(kMaxValueNameBytes) +
                                   " bytes: " + shown(name));
            if (!isCp936Text(v.name)) return fail(i, "the value name is not code page 936 text: " + shown(name));
        }
        rest = trimLeft(rest);
        if (rest.empty() || rest.front() != '=') return fail(i, "= expected after the value name");
        rest = trimLeft(rest.substr(1));
        if (!rest.empty() && rest.front() == '-' && blankOrComment(rest.substr(1))) {
            v.remove = true;
        } else if (!rest.empty() && rest.front() == '"') {
            std::string text;
            if (std::string problem = unquote(rest, text); !problem.empty()) return fail(i, "the text has " + problem);
            if (!blankOrComment(rest)) return fail(i, "text after the closing quote");
            v.type = REG_SZ;
            v.data = cp936_ ? std::move(text) : storeText(text);
        } else if (rest.substr(0, 6) == "dword:") {
            std::string_view digits = trimLeft(rest.substr(6));
            size_t end = std::min(digits.find_first_of(" \t;"), digits.size());
            if (!blankOrComment(digits.substr(end))) return fail(i, "dword: needs up to 8 hex digits");
            digits = digits.substr(0, end);
            std::uint32_t n = 0;
            auto [last, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n, 16);
            if (digits.empty() || digits.size() > 8 || ec != std::errc() || last != digits.data() + digits.size())
                return fail(i, "dword: needs up to 8 hex digits");
            v.type = REG_DWORD;
            for (int b = 0; b < 4; ++b, n >>= 8) v.data += static_cast<char>(n & 0xFF);
            warnIfCut(i);
        } else if (rest.substr(0, 3) == "hex") {
            if (!hexValue(i, rest.substr(3), v)) return false;
        } else {
            return fail(i, "unknown kind of value data");
        }
        keys_.back().values.push_back(std::move(v));
        return true;
    }

    // The platform's editor ends every line of a Version 5.00 file, so a last line
    // without its end is likely a file cut off, and a number or list on it cut short.
    void warnIfCut(size_t i) {
        if (version5_ && cutOff_ && i + 1 == lines_.size() && warnings_)
            warnings_->push_back("line " + std::to_string(i + 1) +
                                 ": the file ends in the middle of this value, without a line end; the value may be cut short");
    }

    // "hex:..." or "hex(N):...". A "\" at a line's end continues the list on the next
    // line that is neither blank nor a ";" comment. Each line holds whole bytes and a
    // continued one ends with a comma; a file that ends inside the list keeps its bytes.
    bool hexValue(size_t& i, std::string_view rest, RegFileValue& v) {
        v.type = REG_BINARY;
        if (!rest.empty() && rest.front() == '(') {
            size_t close = rest.find(')');
            std::string_view digits = close == std::string_view::npos ? std::string_view() : rest.substr(1, close - 1);
            auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v.type, 16);
            if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
                return fail(i, "hex( needs a hex type number and )");
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':') return fail(i, ": expected after hex");
        const size_t first = i;
        for (std::string_view piece = rest.substr(1);;) {
            piece = trimRight(piece.substr(0, piece.find(';')));
            bool continued = !piece.empty() && piece.back() == '\\';
            if (continued) piece = trimRight(piece.substr(0, piece.size() - 1));
            if (i != first && piece.empty()) return fail(i, "a line of a hex list with no bytes on it");
            if (!appendHexBytes(piece, v.data)) return fail(i, "bad hex list");
            if (!continued) break;
            size_t next = i + 1;
            while (next < lines_.size() && blankOrComment(lines_[next])) ++next;
            if (next == lines_.size()) {  // the file ends inside the list
                i = next - 1;
                break;
            }
            if (!piece.empty() && piece.back() != ',')
                return fail(i, "a hex list continued on the next line needs a comma before the \\");
            i = next;
            piece = trimLeft(lines_[i]);
            if (piece.front() == '"' || piece.front() == '@' || piece.front() == '[')
                return fail(i, "the hex list of line " + std::to_string(first + 1) +
                                   " ends with \\, but a new value or key follows");
        }
        warnIfCut(i);
        if (v.type == REG_SZ || v.type == REG_EXPAND_SZ || v.type == REG_MULTI_SZ) textData(v);
        return true;
    }

    // Text in a hex list as the store keeps it: code page 936, from UTF-16LE in Version
    // 5.00 files; REG_SZ without its terminator, as a quoted string stores it.
    void textData(RegFileValue& v) const {
        auto dropTerminator = [&v](std::string& text) {
            if (v.type == REG_SZ && !text.empty() && text.back() == '\0') text.pop_back();
        };
        if (!version5_) return dropTerminator(v.data);
        std::string utf8;
        if (!utf16leToUtf8(v.data, utf8)) return;  // no UTF-16 text: kept as it came
        dropTerminator(utf8);
        v.data = storeText(utf8);
    }

    bool cp936_;
    bool version5_ = false;
    bool cutOff_;  // the last line has no line end
    std::vector<std::string>* warnings_;
    std::vector<std::string_view> lines_;
    std::vector<RegFileKey>& keys_;
    std::string& error_;
};

}  // namespace

bool writeRegFile(const std::vector<RegFileKey>& keys, RegFormat format, std::string& out, std::string& error,
                  std::vector<std::string>* warnings) {
    const bool v5 = format == RegFormat::Version5;
    if (warnings) warnings->clear();
    out = std::string(v5 ? kVersion5Header : kHeader) + std::string(kNewline) + std::string(kNewline);
    for (const RegFileKey& k : keys) {
        std::string shown = platform::cp936ToUtf8(k.path);
        if (hasLineBreakOrNul(k.path)) {
            error = "the key " + excerpt(shown, 80) + " has a line break in its name";
            return false;
        }
        if (v5 && !isCp936Text(k.path)) {
            error = "the name of the key " + excerpt(shown, 80) + " is no code page 936 text (/a writes it as it is)";
            return false;
        }
        out += k.remove ? "[-" : "[";
        out += v5 ? shown : k.path;
        out += "]";
        out += kNewline;
        for (const RegFileValue& v : k.values) {
            if (hasLineBreakOrNul(v.name)) {
                error = "a value of " + excerpt(shown, 80) + " has a line break in its name";
                return false;
            }
            if (v5 && !isCp936Text(v.name)) {
                error = "a value of " + excerpt(shown, 80) + " has a name that is no code page 936 text (/a writes it as it is)";
                return false;
            }
            if (v5)
                appendVersion5(out, v, shown, warnings);
            else
                appendRegedit4(out, v);
        }
        out += kNewline;
    }
    if (v5) out = "\xFF\xFE" + utf8ToUtf16le(out);
    return true;
}

bool parseRegFile(std::string_view bytes, std::vector<RegFileKey>& keys, std::string& error,
                  std::vector<std::string>* warnings) {
    keys.clear();
    if (warnings) warnings->clear();
    FileText file;
    if (!decodeFileText(bytes, file, error)) return false;
    Parser parser(file, keys, error, warnings);
    if (parser.run()) return true;
    keys.clear();
    if (warnings) warnings->clear();
    return false;
}

}  // namespace registry::reg
