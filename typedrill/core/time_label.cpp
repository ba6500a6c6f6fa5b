// Elapsed-time label arithmetic.
#include "typedrill/core/time_label.h"

#include "platform/time_text.h"

namespace typedrill {

QString NextTick::text() const {
    return fixed_ ? QStringLiteral("00:00:01") : platform::timeOfDayText(time_);
}

void NextTick::advance() {
    time_ = parseTimeLabel(text()).addSecs(1);
    fixed_ = false;
}

QTime parseTimeLabel(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() != 3) return QTime(0, 0, 0);
    bool okH = false, okM = false, okS = false;
    const int h = parts[0].toInt(&okH);
    const int m = parts[1].toInt(&okM);
    const int s = parts[2].toInt(&okS);
    QTime t(h, m, s);
    if (!okH || !okM || !okS || !t.isValid()) return QTime(0, 0, 0);
    return t;
}

double leadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
    bool digits = false;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
            ++i;
            digits = true;
        }
    }
    if (!digits) return 0.0;
    return text.mid(start, i - start).toString().toDouble();
}

double elapsedSeconds(const QString& label) {
    const QStringView s(label);
    auto piece = [&](qsizetype from) { return from < s.size() ? s.mid(from, 2) : QStringView(); };
    return 60.0 * leadingNumber(piece(2)) + leadingNumber(piece(5));
}

}  // namespace typedrill
