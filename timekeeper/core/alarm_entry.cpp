// Checking the alarm settings on OK.
#include "timekeeper/core/alarm_entry.h"

#include "timekeeper/core/date_value.h"

namespace timekeeper {

std::variant<AlarmSchedule, QString> checkAlarmEntry(const QString& dateBox, const QString& timeBox,
                                                     const QDateTime& now) {
    if (timeBox.isEmpty() || dateBox.isEmpty()) return kIncomplete;
    const auto date = parseDateValue(dateBox);
    if (!date) return kNotADate;
    if (!date->day) return kTimeInDateBox;
    if (date->time != QTime(0, 0, 0)) return kDateWithTimeOfDay;
    const auto time = parseDateValue(timeBox);
    if (!time) return kNotATime;
    if (time->day) return kDateInTimeBox;

    AlarmSchedule alarm{*date, time->time};
    if (*alarm.moment() <= now) return kAlarmInThePast;
    return alarm;
}

}  // namespace timekeeper
