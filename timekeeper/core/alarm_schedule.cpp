// Alarm schedule check.
#include "timekeeper/core/alarm_schedule.h"

namespace timekeeper {

bool AlarmSchedule::firesAt(const QDateTime& now) const {
    const QTime t = now.time();
    return date && date->isDay(now.date()) && t.hour() == time.hour() && t.minute() == time.minute() &&
           t.second() == time.second();
}

}  // namespace timekeeper
