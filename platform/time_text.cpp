// Fixed-layout time and date text.
#include "platform/time_text.h"

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

}  // namespace platform
