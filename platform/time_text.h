// Time-of-day and date text in the Chinese regional layouts (H:mm:ss, yyyy-M-d),
// whatever locale the machine runs in.
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>

#include <optional>

namespace platform {

// "9:05:07": hour not padded, minutes and seconds two digits.
QString timeOfDayText(const QTime& t);

// "2003-6-15": no padding of month and day.
QString dateText(const QDate& d);

// Reads a date typed as yyyy-M-d or yyyy/M/d ("2003-6-15", "2003/06/15"); surrounding
// blanks are allowed. Nothing for any other text or a day that does not exist.
std::optional<QDate> parseDateText(QStringView text);

// Reads a time of day typed as H:mm:ss or HH:mm:ss ("7:30:00", "07:30:00"), or H:mm
// (seconds 0); surrounding blanks are allowed. Nothing for any other text or a value
// out of range (hours 0-23, minutes and seconds 0-59).
std::optional<QTime> parseTimeOfDayText(QStringView text);

}  // namespace platform
