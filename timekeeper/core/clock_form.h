// The clock window's state and handlers: clock display, stopwatch, date, alarm
// settings and the alarm check, with the three control properties that carry the mode.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <functional>
#include <optional>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "timekeeper/core/alarm_entry.h"
#include "timekeeper/core/alarm_schedule.h"
#include "timekeeper/core/stopwatch_count.h"

namespace timekeeper {

// Captions that carry state, and the texts of the window.
inline const QString kTitle = QStringLiteral("timekeeper工具");
inline const QString kOffersStopwatch = QStringLiteral("秒表");  // cmdTime in clock mode
inline const QString kOffersClock = QStringLiteral("时间");      // cmdTime in stopwatch mode
inline const QString kStart = QStringLiteral("开始");            // cmdStart while the stopwatch stands
inline const QString kStop = QStringLiteral("停止");             // cmdStart while it runs
inline const QString kDateBoxDesign = QStringLiteral("年-月-日");
inline const QString kTimeBoxDesign = QStringLiteral("00:00:00");
inline const QString kAlarmText = QStringLiteral("时间已经到了！");
inline const QString kAlarmCaption = QStringLiteral("提醒");

// Ticks come once a second, this many milliseconds into the second, so that timer
// latency never lets a tick slip into the next second and skip one (and an alarm).
inline constexpr int kTickPhaseMs = 20;

// Milliseconds from `now` to the tick of the next second (21..1020); 1000 when the
// tick is on time. Never the same second again, even for a tick that came early.
int msToNextTick(const QDateTime& now);

// Outer window heights in twips (title bar and border included).
inline constexpr int kCollapsedTwips = 1800;
inline constexpr int kExpandedTwips = 3000;

// What the window's controls show. The mode lives only in the captions of cmdTime and
// cmdStart and in the alarm-off box, as the handlers read them back.
struct ClockFormState {
    QString timeCaption = kOffersStopwatch;  // cmdTime
    QString startCaption = kStart;           // cmdStart
    bool alarmOff = false;                   // chkAlarm ticked
    bool startEnabled = false;
    bool resetEnabled = false;  // cmdCls
    QString showTime;           // lblShowTime
    QString showDate;           // lblShowDate
    QString dateBox = kDateBoxDesign;  // rtbdate
    QString timeBox = kTimeBoxDesign;  // rtbtime
    // Counts the times the form put new text into the boxes (start-up); the boxes
    // need filling only when it moves, not on every tick.
    int boxesFilled = 0;
    bool expanded = false;             // Frame2 shown below Frame1
    bool visible = true;               // the window is on screen

    int heightTwips() const { return expanded ? kExpandedTwips : kCollapsedTwips; }
};

class ClockForm {
public:
    // `present` brings the window in line with state() at once; it is called before
    // every message box, so that a hidden window shows before the alarm message.
    ClockForm(platform::Clock& clock, platform::MessageBoxes& boxes,
              std::function<void()> present = {});

    const ClockFormState& state() const { return state_; }
    const AlarmSchedule& alarm() const { return alarm_; }
    std::optional<QDate> currentDate() const { return currentDate_; }

    // Start-up: collapse, load both files into the boxes, take the alarm from them.
    void load();
    // Timer1, once a second.
    void tick();
    // cmdTime, cmdStart, cmdCls, cmdDate, cmdAlarm, cmdOK.
    void switchMode();
    void startStop();
    void reset();
    void showDate();
    void openAlarmSettings();
    void acceptAlarmSettings();
    // Another start of the program asked for this window: it shows, even while an
    // alarm waits with the window hidden.
    void bringForward();

    // The user's edits of chkAlarm and the two boxes.
    void setAlarmOff(bool off) { state_.alarmOff = off; }
    void setDateBox(const QString& text) { state_.dateBox = text; }
    void setTimeBox(const QString& text) { state_.timeBox = text; }

private:
    void refuseSettings(const QString& text, const QString& caption, platform::MsgIcon icon);

    platform::Clock& clock_;
    platform::MessageBoxes& boxes_;
    std::function<void()> present_;
    ClockFormState state_;
    std::optional<QDate> currentDate_;
    std::optional<QTime> currentTime_;
    std::optional<QDateTime> previousTick_;  // the second of the tick before
    std::optional<QDateTime> fired_;         // the alarm second that last fired
    StopwatchCount count_;
    AlarmSchedule alarm_;
};

}  // namespace timekeeper
