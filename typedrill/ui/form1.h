// The practice window: status line, lesson box, input boxes, timer and menus.
#pragma once

#include <QMainWindow>

#include <filesystem>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "typedrill/core/exercise.h"
#include "typedrill/core/tick_schedule.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace typedrill::ui {

class LessonBox;
class MenuKeysFirst;
class TypingLine;

class Form1 final : public QMainWindow, private ExerciseView {
    Q_OBJECT
public:
    // Lessons "1.txt".."5.txt" are read from `lessonDir` (the program's folder).
    Form1(platform::MessageBoxes& boxes, platform::Clock& clock, std::filesystem::path lessonDir,
          QWidget* parent = nullptr);
    ~Form1() override;

    // Loads one lesson file, given by its bare name such as "3.txt".
    void OpenFile(const QString& fileName);
    // Runs the timer ticks that are due by the clock's present reading.
    void Timer1_Timer();

    const Exercise& exercise() const { return exercise_; }

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8;
    LessonBox* RTB;
    TypingLine *Text1, *Text2;
    QTimer* Timer1;
    QMenu *file, *set, *about;
    QAction *begin, *go, *pause, *line1, *quit;
    QAction *one, *two, *three, *four, *five, *inset, *about1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void Form_Load();
    void begin_Click();
    void go_Click();
    void focusTypingBox();
    void inset_Click();
    void RTB_MouseUp(Qt::MouseButton button);

    void lessonReplaced() override;
    void markChanged(int position) override;
    void caretMoved(int position) override;
    void clearInputBox() override;
    void clearFreeBox() override;
    void stateChanged() override;
    void armTimer();

    platform::MessageBoxes& boxes_;
    platform::Clock& clock_;
    std::filesystem::path lessonDir_;
    Exercise exercise_;
    TickSchedule schedule_;
    MenuKeysFirst* menuKeys_;
};

}  // namespace typedrill::ui
