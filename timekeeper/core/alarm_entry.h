// What OK makes of the two boxes: an alarm that can fire, or what is wrong with them.
#pragma once

#include <QDateTime>
#include <QString>

#include <variant>

#include "timekeeper/core/alarm_schedule.h"

namespace timekeeper {

// The refusals. An empty box is "not filled in"; each other one says which box holds
// what, so that no alarm that can never fire is stored.
inline const QString kIncomplete = QStringLiteral("你没有填写完整！");
inline const QString kNotADate = QStringLiteral("“日期”里填的不是日期，请按 年-月-日 填写，例如 2026-12-24！");
inline const QString kTimeInDateBox = QStringLiteral("“日期”里填的是时间，请在这里填日期，例如 2026-12-24！");
inline const QString kDateWithTimeOfDay = QStringLiteral("“日期”里只填日期，几点几分请填在“时间”里！");
inline const QString kNotATime = QStringLiteral("“时间”里填的不是时间，请按 时:分:秒 填写，例如 07:30:00！");
inline const QString kDateInTimeBox = QStringLiteral("“时间”里填的是日期，请在这里填时间，例如 07:30:00！");
inline const QString kAlarmInThePast = QStringLiteral("这个日期和时间已经过去了，闹钟不会再响，请填写以后的时刻！");

// The alarm the date and time boxes set at `now`, or the refusal to show. Accepted
// only when the date box holds a day alone, the time box a time of day alone, and
// the two together lie after `now`.
std::variant<AlarmSchedule, QString> checkAlarmEntry(const QString& dateBox, const QString& timeBox,
                                                     const QDateTime& now);

}  // namespace timekeeper
