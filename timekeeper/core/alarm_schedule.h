// When the stored alarm fires: its day and the second of that day.
#pragma once

#include <QDateTime>

#include <optional>

#include "timekeeper/core/date_value.h"

namespace timekeeper {

struct AlarmSchedule {
    std::optional<DateValue> date;  // none until a date is loaded or set: never fires
    QTime time{0, 0, 0};            // hour, minute and second of the alarm

    // The second the alarm fires at. Nothing without a date, or for a date typed with
    // a time of day beside it, which is no day: such an alarm never fires.
    std::optional<QDateTime> moment() const;

    // True when a tick at `now` (whole seconds) is the one to fire: its second is the
    // alarm's, or the alarm's second on today's date passed since the tick before,
    // `previous`, while the machine slept or the clock jumped ahead. A clock set back
    // (previous after now) opens no such gap.
    bool dueAt(const QDateTime& now, const std::optional<QDateTime>& previous) const;
};

}  // namespace timekeeper
