// Clock window handlers.
#include "timekeeper/core/clock_form.h"

#include <utility>

#include "platform/time_text.h"
#include "timekeeper/core/alarm_files.h"
#include "timekeeper/core/date_value.h"

namespace timekeeper {
namespace {

// The error report for a file that cannot be written: the file access error's
// description and number.
const QString kWriteError = QStringLiteral("路径/文件访问错误 (75)");

}  // namespace

int msToNextTick(const QDateTime& now) { return 1000 + kTickPhaseMs - now.time().msec(); }

ClockForm::ClockForm(platform::Clock& clock, platform::MessageBoxes& boxes,
                     std::function<void()> present)
    : clock_(clock), boxes_(boxes), present_(std::move(present)) {}

void ClockForm::load() {
    // Each step may fail alone; what failed keeps its value.
    state_.expanded = false;
    if (auto text = loadAlarmText(kDateFile)) state_.dateBox = *text;
    if (auto value = parseDateValue(state_.dateBox)) alarm_.date = *value;
    if (auto text = loadAlarmText(kTimeFile)) state_.timeBox = *text;
    if (auto value = parseDateValue(state_.timeBox)) alarm_.time = value->time;
    ++state_.boxesFilled;
}

void ClockForm::tick() {
    const QDateTime now = clock_.now();
    const QTime t = now.time();
    currentDate_ = now.date();
    currentTime_ = QTime(t.hour(), t.minute(), t.second());

    if (state_.timeCaption == kOffersStopwatch) {
        state_.showTime = platform::timeOfDayText(*currentTime_);
    } else if (state_.startCaption == kStop && state_.timeCaption == kOffersClock) {
        // The display shows the count before this tick's second is added.
        state_.showTime = count_.text();
        count_.advance();
    }

    // Both are noted before the message, whose wait lets later ticks run: an alarm
    // fires once, however the clock moves afterwards.
    const QDateTime second(*currentDate_, *currentTime_);
    const auto previous = std::exchange(previousTick_, second);
    if (!state_.alarmOff && alarm_.dueAt(second, previous) && fired_ != alarm_.moment()) {
        fired_ = alarm_.moment();
        state_.visible = true;
        if (present_) present_();
        boxes_.show(kAlarmText, kAlarmCaption, platform::MsgButtons::Ok, platform::MsgIcon::Information);
    }
}

void ClockForm::switchMode() {
    count_.reset();
    if (state_.timeCaption == kOffersStopwatch) {
        state_.timeCaption = kOffersClock;
        state_.startEnabled = true;
        state_.showTime = count_.text();
    } else {
        // The start caption stays: a stopwatch left running runs again on the next switch.
        state_.timeCaption = kOffersStopwatch;
        state_.startEnabled = false;
        state_.resetEnabled = false;
    }
}

void ClockForm::startStop() {
    if (state_.startCaption == kStart) {
        state_.startCaption = kStop;
        state_.resetEnabled = false;
    } else {
        state_.startCaption = kStart;
        state_.resetEnabled = true;
    }
}

void ClockForm::reset() {
    count_.reset();
    state_.showTime = count_.text();
}

void ClockForm::showDate() {
    state_.showDate = currentDate_ ? platform::dateText(*currentDate_) : QString();
}

void ClockForm::openAlarmSettings() { state_.expanded = true; }

void ClockForm::acceptAlarmSettings() {
    state_.expanded = false;
    if (state_.alarmOff) return;
    auto entry = checkAlarmEntry(state_.dateBox, state_.timeBox, clock_.now());
    if (auto* refusal = std::get_if<QString>(&entry)) {
        refuseSettings(*refusal, kTitle,
                       *refusal == kIncomplete ? platform::MsgIcon::None : platform::MsgIcon::Exclamation);
        return;
    }
    alarm_ = std::get<AlarmSchedule>(entry);
    // The date file first; a failed write is reported and the settings stay open.
    if (!saveAlarmText(kDateFile, state_.dateBox) || !saveAlarmText(kTimeFile, state_.timeBox)) {
        refuseSettings(kWriteError, kTitle + QStringLiteral(" Error"), platform::MsgIcon::Critical);
        return;
    }
    state_.visible = false;
}

void ClockForm::bringForward() { state_.visible = true; }

void ClockForm::refuseSettings(const QString& text, const QString& caption, platform::MsgIcon icon) {
    if (present_) present_();
    boxes_.show(text, caption, platform::MsgButtons::Ok, icon);
    state_.expanded = true;
}

}  // namespace timekeeper
