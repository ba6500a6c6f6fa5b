// Rich or plain text of a file's bytes.
#include "platform/rtf/document_text.h"

#include <QStringDecoder>

#include "platform/codepage.h"
#include "platform/rtf/rtf_reader.h"

namespace platform::rtf {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool isValidUtf8(std::string_view bytes) {
    return codePointsToUtf8(utf8ToCodePoints(bytes)) == bytes;
}

// "\r\n" and "\r" become "\n"; one line end at the very end goes, as a box drops a
// document's last paragraph mark.
std::string plainLines(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r') {
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            out += '\n';
        } else {
            out += utf8[i];
        }
    }
    if (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

std::string utf8Text(std::string_view utf8) {
    if (auto rich = rtfPlainText(utf8)) return *rich;
    return plainLines(utf8);
}

}  // namespace

std::string documentText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        return utf8Text(codePointsToUtf8(utf8ToCodePoints(bytes)));
    }
    const bool le = bytes.starts_with(kUtf16LeBom), be = bytes.starts_with(kUtf16BeBom);
    if (le || be) {
        bytes.remove_prefix(2);
        QStringDecoder decode(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        QString text = decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        return utf8Text(text.toStdString());
    }
    if (auto rich = rtfPlainText(bytes)) return *rich;
    return plainLines(isValidUtf8(bytes) ? std::string(bytes) : cp936ToUtf8(bytes));
}

}  // namespace platform::rtf
