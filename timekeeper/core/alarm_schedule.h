// When the stored alarm fires: its day and the second of that day.
#pragma once

#include <QDateTime>

#include <optional>

#include "timekeeper/core/date_value.h"

namespace timekeeper {

struct AlarmSchedule {
    std::optional<DateValue> date;  // none until a date is loaded or set: never fires
    QTime time{0, 0, 0};            // hour, minute and second of the alarm

    // True for a moment within the alarm's second on the alarm's day. A date typed
    // with a time of day beside it is no day, so it never fires.
    bool firesAt(const QDateTime& now) const;
};

}  // namespace timekeeper
