// Plain text to the RTF a rich-text box saves.
#include "platform/rtf/rtf_writer.h"

#include <cstdio>

#include "platform/codepage.h"

namespace platform::rtf {
namespace {

// The font of the box, "宋体" 9 pt (\fs counts half points), its name in code page 936.
constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\r\n"
    "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18 ";
constexpr std::string_view kFooter = "}\r\n";

void appendHexByte(std::string& out, unsigned char b) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", b);
    out += hex;
}

// \uN takes a signed 16-bit number; characters beyond the first plane go as a surrogate pair.
void appendUnicode(std::string& out, char32_t cp) {
    auto unit = [&out](unsigned u) {
        out += "\\u" + std::to_string(u >= 0x8000 ? static_cast<int>(u) - 0x10000 : static_cast<int>(u)) + "?";
    };
    if (cp >= 0x10000) {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    } else {
        unit(cp);
    }
}

}  // namespace

std::string rtfDocument(std::string_view utf8Text) {
    std::string out(kHeader);
    std::u32string text = utf8ToCodePoints(utf8Text);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp == U'\r' || cp == U'\n') {
            if (cp == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
            out += "\\par\r\n";
        } else if (cp == U'\t') {
            out += "\\tab ";
        } else if (cp == U'\\' || cp == U'{' || cp == U'}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += static_cast<char>(cp);
        } else {
            std::string bytes;
            if (utf8ToCp936(codePointsToUtf8(std::u32string_view(&cp, 1)), bytes) && !bytes.empty()) {
                for (unsigned char b : bytes) appendHexByte(out, b);
            } else {
                appendUnicode(out, cp);
            }
        }
    }
    out += "\\par\r\n";
    out += kFooter;
    return out;
}

}  // namespace platform::rtf
