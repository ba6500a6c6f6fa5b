// Typed date/time text to a value.
#include "timekeeper/core/date_value.h"

#include <QRegularExpression>

#include "platform/time_text.h"

namespace timekeeper {
namespace {

// Full-width digits and signs (an input method's full-width mode) as their ASCII
// forms, the ideographic space as a space, and a day written 2026年12月24日 as 2026-12-24.
QString asciiForm(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) out += QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000) out += QLatin1Char(' ');
        else out += c;
    }
    static const QRegularExpression chineseDay(QStringLiteral("(\\d+)年(\\d+)月(\\d+)日"));
    out.replace(chineseDay, QStringLiteral("\\1-\\2-\\3"));
    return out;
}

}  // namespace

std::optional<DateValue> parseDateValue(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QStringList parts = asciiForm(text).trimmed().split(blanks, Qt::SkipEmptyParts);
    if (parts.size() == 1) {
        if (auto day = platform::parseDateText(parts[0])) return DateValue{day, QTime(0, 0, 0)};
        if (auto time = platform::parseTimeOfDayText(parts[0])) return DateValue{std::nullopt, *time};
        return std::nullopt;
    }
    if (parts.size() == 2) {
        auto day = platform::parseDateText(parts[0]);
        auto time = platform::parseTimeOfDayText(parts[1]);
        if (day && time) return DateValue{day, *time};
    }
    return std::nullopt;
}

}  // namespace timekeeper
