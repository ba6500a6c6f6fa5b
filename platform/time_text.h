// Time-of-day and date text in the Chinese regional layouts (H:mm:ss, yyyy-M-d),
// whatever locale the machine runs in.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace platform {

// "9:05:07": hour not padded, minutes and seconds two digits.
QString timeOfDayText(const QTime& t);

// "2003-6-15": no padding of month and day.
QString dateText(const QDate& d);

}  // namespace platform
