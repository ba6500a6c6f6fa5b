// A date/time value as typed into a box: a day, a time of day, or both.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace timekeeper {

struct DateValue {
    std::optional<QDate> day;  // none: a time of day alone, which is no day at all
    QTime time{0, 0, 0};       // 00:00:00 when only a day was typed

    bool operator==(const DateValue&) const = default;

    // True when the value is exactly that day: no time of day typed beside it.
    bool isDay(const QDate& d) const { return day == d && time == QTime(0, 0, 0); }
};

// Reads "2003-6-15", "2003/6/15", "2003年6月15日", "7:30:00", "07:30:00" or a day and
// a time separated by spaces ("2003-6-15 7:30:00"), all on one line; full-width digits
// and signs count as their ASCII forms. Nothing for any other text.
std::optional<DateValue> parseDateValue(const QString& text);

}  // namespace timekeeper
