// Typed date/time text to a value.
#include "timekeeper/core/date_value.h"

#include <QRegularExpression>

#include "platform/time_text.h"

namespace timekeeper {

std::optional<DateValue> parseDateValue(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QStringList parts = text.trimmed().split(blanks, Qt::SkipEmptyParts);
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
