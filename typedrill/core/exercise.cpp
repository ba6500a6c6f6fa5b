// The exercise: lesson control, comparison, marking, counters and the report.
#include "typedrill/core/exercise.h"

#include <algorithm>

#include "platform/time_text.h"
#include "typedrill/core/count_text.h"
#include "typedrill/core/speed.h"

namespace typedrill {
namespace {

const QString kNoLevel = QStringLiteral("对不起,你还没有选择练习的级别！");
const QString kAboutCaption = QStringLiteral("关于");
const QString kAboutText = QStringLiteral("   青桐职业技术学院 计算机应用系 制作\n\n作者 林远舟 欢迎您使用本软件！");
const QString kReportLead = QStringLiteral("平均每分钟:");
const QString kStartTime = QStringLiteral("00:00:00");

}  // namespace

Exercise::Exercise(ExerciseView& view, platform::MessageBoxes& boxes) : view_(view), boxes_(boxes) {}

void Exercise::setLesson(const QString& text) {
    lesson_ = text;
    // All black: while none is yellow (free entry) only the length changes.
    if (yellowMarks_ == 0) marks_.resize(static_cast<std::size_t>(lesson_.size()), Mark::Black);
    else marks_.assign(static_cast<std::size_t>(lesson_.size()), Mark::Black);
    yellowMarks_ = 0;
    caret_ = 0;
    view_.lessonReplaced();
}

void Exercise::mark(int position, Mark colour) {
    if (position < 0 || position >= lesson_.size()) return;  // past the end: nothing to colour
    auto& m = marks_[static_cast<std::size_t>(position)];
    if (m == colour) return;
    m = colour;
    if (colour == Mark::Yellow) ++yellowMarks_;
    else --yellowMarks_;
    view_.markChanged(position);
}

void Exercise::moveCaret(int position) {
    caret_ = std::clamp(position, 0, static_cast<int>(lesson_.size()));
    view_.caretMoved(caret_);
}

void Exercise::openLesson(const QString& lesson) {
    controls_.timerOn = false;
    controls_.text1Enabled = false;
    controls_.text1Visible = false;
    controls_.text2Visible = true;
    controls_.text2Enabled = false;
    controls_.lessonEnabled = false;
    labels_.typed.clear();
    labels_.speed.clear();
    labels_.time = kStartTime;
    nextTick_.reset();
    setLesson(lesson);
    view_.stateChanged();
}

void Exercise::begin() {
    errorCount_ = 0;
    if (lesson_.isEmpty()) {
        view_.stateChanged();
        boxes_.show(kNoLevel, kProgramTitle, platform::MsgButtons::Ok, platform::MsgIcon::None);
        controls_.timerOn = false;
        controls_.text2Enabled = false;
        controls_.lessonEnabled = false;
        labels_.typed.clear();
        labels_.speed.clear();
        labels_.time = kStartTime;
        nextTick_.reset();
        view_.stateChanged();
        return;
    }
    mark(0, Mark::Yellow);
    controls_.goVisible = false;
    controls_.pauseVisible = true;
    controls_.text2Enabled = true;
    controls_.lessonEnabled = true;
    view_.clearInputBox();
    inputChanged(QString());
    controls_.timerOn = true;
    nextTick_.reset();
    labels_.time = nextTick_.text();
    labels_.typed.clear();
    labels_.speed.clear();
    view_.stateChanged();
}

void Exercise::tick() {
    if (!controls_.timerOn) return;
    labels_.time = nextTick_.text();
    nextTick_.advance();
    view_.stateChanged();
}

void Exercise::pause() {
    pausedTime_ = parseTimeLabel(labels_.time);
    setRunning(false);
}

void Exercise::resume() {
    labels_.time = platform::timeOfDayText(pausedTime_);
    setRunning(true);
}

// Pause and continue swap the two menu items and lock or free the clock and the boxes.
void Exercise::setRunning(bool running) {
    controls_.pauseVisible = running;
    controls_.goVisible = !running;
    controls_.timerOn = running;
    controls_.text1Enabled = running;
    controls_.text2Enabled = running;
    controls_.lessonEnabled = running;
    view_.stateChanged();
}

void Exercise::freeEntry() {
    setLesson(QString());
    view_.clearFreeBox();
    freeTextChanged(QString());
    controls_.pauseVisible = true;
    controls_.text2Visible = false;
    controls_.text1Visible = true;
    controls_.text1Enabled = true;
    controls_.timerOn = true;
    nextTick_.reset();
    labels_.time = nextTick_.text();
    labels_.typed.clear();
    labels_.speed.clear();
    controls_.text1First = true;
    view_.stateChanged();
}

void Exercise::about() {
    boxes_.show(kAboutText, kAboutCaption, platform::MsgButtons::Ok, platform::MsgIcon::Information);
}

void Exercise::showSpeed(long long characters) {
    const double seconds = elapsedSeconds(labels_.time);
    if (seconds != 0.0 && characters != 0) labels_.speed = countText(speedPerMinute(characters, seconds));
}

void Exercise::inputChanged(const QString& input) {
    const qsizetype n = input.size();
    const qsizetype length = lesson_.size();
    if (n > 0) {
        // The lesson character at position n, or the last one when the input is longer.
        const qsizetype at = std::min(n, length) - 1;
        const bool same = at >= 0 && input.back() == lesson_[at];
        if (!same) {
            errorCount_ = capCount(errorCount_ + 1);
            labels_.errors = countText(errorCount_);
            mark(static_cast<int>(n - 1), Mark::Black);
            moveCaret(static_cast<int>(std::min(n - 1, length)));
        } else {
            mark(static_cast<int>(n), Mark::Yellow);
            moveCaret(static_cast<int>(std::min(n, length)));
        }
    } else {
        errorCount_ = 0;
        moveCaret(0);
    }
    labels_.typed = countText(capCount(n));
    showSpeed(n);
    // An input method may commit several characters at once past the lesson's end;
    // reaching or passing the length ends the exercise alike.
    if (n > 0 && n >= length) {
        finish();
        return;
    }
    view_.stateChanged();
}

void Exercise::finish() {
    controls_.timerOn = false;
    controls_.lessonEnabled = false;
    controls_.text2Enabled = false;
    view_.clearInputBox();
    inputChanged(QString());
    boxes_.show(kReportLead + labels_.speed + QLatin1Char('\t') + labels_.errors, kProgramTitle,
                platform::MsgButtons::Ok, platform::MsgIcon::Information);
}

void Exercise::backspace() {
    errorCount_ = static_cast<std::int16_t>(std::max(0, errorCount_ - 2));
    labels_.errors = countText(errorCount_);
    view_.stateChanged();
}

void Exercise::freeTextChanged(const QString& text) {
    setLesson(text);
    const qsizetype m = text.size();
    labels_.typed = countText(capCount(m));
    showSpeed(m);
    view_.stateChanged();
}

}  // namespace typedrill
