// Alarm schedule check.
#include "timekeeper/core/alarm_schedule.h"

namespace timekeeper {

std::optional<QDateTime> AlarmSchedule::moment() const {
    if (!date || !date->day || !date->isDay(*date->day)) return std::nullopt;
    return QDateTime(*date->day, time);
}

bool AlarmSchedule::dueAt(const QDateTime& now, const std::optional<QDateTime>& previous) const {
    const auto at = moment();
    if (!at || at->date() != now.date()) return false;
    if (*at == now) return true;
    return previous && *previous < now && *previous < *at && *at < now;
}

}  // namespace timekeeper
