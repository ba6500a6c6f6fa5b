// One typing exercise in the practice window: lesson, marks, counters, clock and
// the visible state of the window's controls and menus.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

#include "platform/message_box.h"
#include "typedrill/core/exercise_view.h"
#include "typedrill/core/time_label.h"

namespace typedrill {

enum class Mark : std::uint8_t { Black, Yellow };

// Title used as the caption of the program's message boxes.
inline const QString kProgramTitle = QStringLiteral("typedrill");

// The four value labels of the status line.
struct StatusLabels {
    QString typed;    // Label2
    QString speed;    // Label4
    QString time;     // Label6
    QString errors;   // Label8
};

// Enabled and visible states that the exercise switches.
struct Controls {
    bool timerOn = false;        // Timer1
    bool text1Visible = false;   // free-entry box
    bool text1Enabled = true;
    bool text2Visible = true;    // input box
    bool text2Enabled = true;
    bool lessonEnabled = true;   // RTB
    bool goVisible = false;      // "继续"
    bool pauseVisible = false;   // "暂停"
    bool text1First = false;     // free-entry box first in the tab order
};

class Exercise {
public:
    Exercise(ExerciseView& view, platform::MessageBoxes& boxes);

    // A level item: shows `lesson` (empty when its file could not be read).
    void openLesson(const QString& lesson);
    void begin();     // "开始"
    void pause();     // "暂停"
    void resume();    // "继续"
    void freeEntry(); // "录入练习"
    void about();     // "关于"
    void tick();      // one second of the exercise timer

    // The text of the input box changed to `input`.
    void inputChanged(const QString& input);
    // Backspace pressed in the input box, before the box deletes anything.
    void backspace();
    // The text of the free-entry box changed to `text`.
    void freeTextChanged(const QString& text);

    const QString& lesson() const { return lesson_; }
    const std::vector<Mark>& marks() const { return marks_; }
    int caret() const { return caret_; }
    std::int16_t errorCount() const { return errorCount_; }
    const StatusLabels& labels() const { return labels_; }
    const Controls& controls() const { return controls_; }

private:
    void setRunning(bool running);
    void setLesson(const QString& text);
    void mark(int position, Mark colour);
    void moveCaret(int position);
    void showSpeed(long long characters);
    void finish();

    ExerciseView& view_;
    platform::MessageBoxes& boxes_;
    QString lesson_;
    std::vector<Mark> marks_;
    std::size_t yellowMarks_ = 0;  // how many of marks_ are yellow
    int caret_ = 0;
    std::int16_t errorCount_ = 0;
    NextTick nextTick_;
    QTime pausedTime_{0, 0, 0};
    StatusLabels labels_;
    Controls controls_;
};

}  // namespace typedrill
