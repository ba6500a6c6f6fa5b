// Fixed-layout time and date text.
#include "platform/time_text.h"

#include <QList>

namespace platform {

QString timeOfDayText(const QTime& t) {
    if (!t.isValid()) return {};
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour())
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

QString dateText(const QDate& d) {
    if (!d.isValid()) return {};
    return QStringLiteral("%1-%2-%3").arg(d.year()).arg(d.month()).arg(d.day());
}

namespace {

// Splits at `sep` into ASCII-digit fields of 1..maxDigits digits each; nothing when
// any field is empty, too long or not all digits.
std::optional<QList<int>> digitFields(QStringView text, QChar sep, int maxDigits) {
    QList<int> fields;
    for (QStringView part : text.split(sep)) {
        if (part.isEmpty() || part.size() > maxDigits) return std::nullopt;
        int value = 0;
        for (QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
            value = value * 10 + (c.unicode() - '0');
        }
        fields.append(value);
    }
    return fields;
}

}  // namespace

std::optional<QDate> parseDateText(QStringView text) {
    text = text.trimmed();
    QChar sep = text.contains(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('-');
    auto fields = digitFields(text, sep, 4);
    if (!fields || fields->size() != 3) return std::nullopt;
    // The year is written out in full; month and day take one or two digits.
    auto parts = text.split(sep);
    if (parts[0].size() != 4 || parts[1].size() > 2 || parts[2].size() > 2) return std::nullopt;
    QDate d((*fields)[0], (*fields)[1], (*fields)[2]);
    if (!d.isValid() || d.year() < 100) return std::nullopt;
    return d;
}

std::optional<QTime> parseTimeOfDayText(QStringView text) {
    text = text.trimmed();
    auto fields = digitFields(text, QLatin1Char(':'), 2);
    if (!fields || fields->size() < 2 || fields->size() > 3) return std::nullopt;
    // Minutes and seconds always take two digits.
    for (QStringView part : text.split(QLatin1Char(':')).mid(1))
        if (part.size() != 2) return std::nullopt;
    int h = (*fields)[0], m = (*fields)[1], s = fields->size() == 3 ? (*fields)[2] : 0;
    if (h > 23 || m > 59 || s > 59) return std::nullopt;
    return QTime(h, m, s);
}

}  // namespace platform
