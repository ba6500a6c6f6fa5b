// Exercise behaviour against a recording view and scripted message boxes.
#include "typedrill/core/exercise.h"

#include <gtest/gtest.h>

#include "platform/testing/fake_dialogs.h"

namespace typedrill {
namespace {

// Stands in for the window: holds the input box text and feeds its changes back,
// as the real boxes do.
class Window final : public ExerciseView {
public:
    Window() : exercise(*this, boxes) {}

    void lessonReplaced() override { ++lessonShows; }
    void markChanged(int) override {}
    void caretMoved(int) override {}
    void clearInputBox() override { input.clear(); }
    void clearFreeBox() override { freeText.clear(); }
    void stateChanged() override {}

    void type(const QString& text) {
        input += text;
        exercise.inputChanged(input);
    }
    void typeEach(const QString& text) {
        for (QChar c : text) type(QString(c));
    }
    void backspace() {
        exercise.backspace();
        input.chop(1);
        exercise.inputChanged(input);
    }
    void typeFree(const QString& text) {
        freeText += text;
        exercise.freeTextChanged(freeText);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) exercise.tick();
    }
    QString colours() const {
        QString s;
        for (Mark m : exercise.marks()) s += m == Mark::Yellow ? QLatin1Char('Y') : QLatin1Char('.');
        return s;
    }
    const StatusLabels& labels() const { return exercise.labels(); }

    platform::testing::FakeMessageBoxes boxes;
    Exercise exercise;
    QString input, freeText;
    int lessonShows = 0;
};

TEST(Exercise, AbcdWalkThroughMarksCountsAndBackspace) {
    Window w;
    w.exercise.openLesson(QStringLiteral("abcd"));
    EXPECT_EQ(w.colours(), QStringLiteral("...."));
    EXPECT_FALSE(w.exercise.controls().text2Enabled);
    w.exercise.begin();
    EXPECT_EQ(w.colours(), QStringLiteral("Y..."));
    EXPECT_TRUE(w.exercise.controls().text2Enabled);

    w.type(QStringLiteral("a"));
    EXPECT_EQ(w.colours(), QStringLiteral("YY.."));
    EXPECT_EQ(w.labels().typed, QStringLiteral("1个字"));
    EXPECT_EQ(w.exercise.caret(), 1);

    w.type(QStringLiteral("x"));
    EXPECT_EQ(w.exercise.errorCount(), 1);
    EXPECT_EQ(w.labels().errors, QStringLiteral("1个字"));
    EXPECT_EQ(w.colours(), QStringLiteral("Y..."));

    w.type(QStringLiteral("c"));  // matches the lesson's c: d turns yellow, c stays black
    EXPECT_EQ(w.colours(), QStringLiteral("Y..Y"));
    EXPECT_EQ(w.exercise.errorCount(), 1);

    w.exercise.backspace();
    EXPECT_EQ(w.labels().errors, QStringLiteral("0个字"));
    w.input.chop(1);
    w.exercise.inputChanged(w.input);  // "ax" ends in a mismatch again
    EXPECT_EQ(w.exercise.errorCount(), 1);
    EXPECT_EQ(w.labels().errors, QStringLiteral("1个字"));
    EXPECT_EQ(w.colours(), QStringLiteral("Y..Y"));
    EXPECT_EQ(w.labels().typed, QStringLiteral("2个字"));

    // Deleting back over the wrong character makes it the next to type: yellow again.
    w.backspace();
    EXPECT_EQ(w.colours(), QStringLiteral("YY.Y"));
    EXPECT_EQ(w.exercise.errorCount(), 0);  // Backspace never takes the count below 0
    EXPECT_TRUE(w.boxes.shown.empty());
}

TEST(Exercise, SeveralCharactersCommittedAtOnceCompareOnlyTheLast) {
    Window w;
    w.exercise.openLesson(QStringLiteral("五笔字型"));
    w.exercise.begin();
    w.type(QStringLiteral("x笔"));  // the first is wrong, but only the second is compared
    EXPECT_EQ(w.exercise.errorCount(), 0);
    EXPECT_EQ(w.colours(), QStringLiteral("Y.Y."));
    w.type(QStringLiteral("型字"));
    EXPECT_EQ(w.labels().errors, QStringLiteral("1个字"));
    EXPECT_EQ(w.colours(), QStringLiteral("Y.Y."));  // the mismatch blacks position 4
    EXPECT_FALSE(w.exercise.controls().timerOn);     // the length is reached: finished
}

TEST(Exercise, FinishingWithErrorsReportsSpeedAndErrorsAndResets) {
    Window w;
    w.exercise.openLesson(QStringLiteral("0123456789"));
    w.exercise.begin();
    w.ticks(7);  // "00:00:01", then 0:00:02 .. 0:00:07
    EXPECT_EQ(w.labels().time, QStringLiteral("0:00:07"));
    w.typeEach(QStringLiteral("01234x678"));
    EXPECT_EQ(w.labels().speed, QStringLiteral("77个字"));  // 9 / 7 * 60 = 77.1
    w.type(QStringLiteral("9"));
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    const auto& report = w.boxes.shown[0];
    EXPECT_EQ(report.text, QStringLiteral("平均每分钟:85个字\t1个字"));  // 10 / 7 * 60 = 85.7
    EXPECT_EQ(report.caption, kProgramTitle);
    EXPECT_EQ(report.icon, platform::MsgIcon::Information);

    const Controls& c = w.exercise.controls();
    EXPECT_FALSE(c.timerOn);
    EXPECT_FALSE(c.text2Enabled);
    EXPECT_FALSE(c.lessonEnabled);
    EXPECT_TRUE(c.pauseVisible);
    EXPECT_TRUE(w.input.isEmpty());
    EXPECT_EQ(w.exercise.errorCount(), 0);
    EXPECT_EQ(w.labels().typed, QStringLiteral("0个字"));
    EXPECT_EQ(w.labels().errors, QStringLiteral("1个字"));  // kept, as is the lesson's colouring
    EXPECT_EQ(w.colours(), QStringLiteral("YYYYY..YYY"));  // x blacked the 6th; the 7th was never next

    // A second run without errors repeats the error text of the first one.
    w.exercise.begin();
    EXPECT_EQ(w.labels().errors, QStringLiteral("1个字"));
    w.ticks(61);
    EXPECT_EQ(w.labels().time, QStringLiteral("0:01:01"));
    w.type(QStringLiteral("0123456789"));
    EXPECT_EQ(w.boxes.shown.back().text, QStringLiteral("平均每分钟:9个字\t1个字"));
}

TEST(Exercise, NoSpeedDuringTheFirstSecondOrFromTenHours) {
    Window w;
    w.exercise.openLesson(QStringLiteral("ab"));
    w.exercise.begin();
    w.ticks(1);
    EXPECT_EQ(w.labels().time, QStringLiteral("00:00:01"));
    w.type(QStringLiteral("ab"));
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_EQ(w.boxes.shown[0].text, QStringLiteral("平均每分钟:\t"));  // nothing counted since start-up

    w.exercise.openLesson(QStringLiteral("abc"));
    w.exercise.begin();
    w.ticks(10 * 3600 + 65);
    EXPECT_EQ(w.labels().time, QStringLiteral("10:01:05"));
    w.type(QStringLiteral("a"));
    EXPECT_EQ(w.labels().speed, QString());
}

TEST(Exercise, ClockLabelFromLoadThroughPauseAndContinue) {
    Window w;
    w.exercise.openLesson(QStringLiteral("lesson"));
    EXPECT_EQ(w.labels().time, QStringLiteral("00:00:00"));
    w.exercise.tick();  // the timer is off until the start
    EXPECT_EQ(w.labels().time, QStringLiteral("00:00:00"));
    w.exercise.begin();
    EXPECT_EQ(w.labels().time, QStringLiteral("00:00:01"));
    EXPECT_FALSE(w.exercise.controls().goVisible);
    EXPECT_TRUE(w.exercise.controls().pauseVisible);
    w.ticks(1);
    EXPECT_EQ(w.labels().time, QStringLiteral("00:00:01"));
    w.ticks(1);
    EXPECT_EQ(w.labels().time, QStringLiteral("0:00:02"));
    w.ticks(63);
    EXPECT_EQ(w.labels().time, QStringLiteral("0:01:05"));

    w.exercise.pause();
    EXPECT_FALSE(w.exercise.controls().timerOn);
    EXPECT_FALSE(w.exercise.controls().text2Enabled);
    EXPECT_TRUE(w.exercise.controls().goVisible);
    EXPECT_FALSE(w.exercise.controls().pauseVisible);
    w.exercise.resume();
    EXPECT_EQ(w.labels().time, QStringLiteral("0:01:05"));
    EXPECT_TRUE(w.exercise.controls().timerOn);
    w.ticks(1);
    EXPECT_EQ(w.labels().time, QStringLiteral("0:01:06"));

    // A paused "00:00:01" comes back in the time layout.
    w.exercise.begin();
    w.exercise.pause();
    w.exercise.resume();
    EXPECT_EQ(w.labels().time, QStringLiteral("0:00:01"));
}

TEST(Exercise, StartWithoutALessonOnlyComplains) {
    Window w;
    w.exercise.begin();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_EQ(w.boxes.shown[0].text, QStringLiteral("对不起,你还没有选择练习的级别！"));
    EXPECT_EQ(w.boxes.shown[0].icon, platform::MsgIcon::None);
    EXPECT_EQ(w.boxes.shown[0].caption, kProgramTitle);
    EXPECT_FALSE(w.exercise.controls().goVisible);
    EXPECT_FALSE(w.exercise.controls().pauseVisible);
    EXPECT_FALSE(w.exercise.controls().timerOn);
    EXPECT_EQ(w.labels().time, QStringLiteral("00:00:00"));

    // An unreadable lesson file gives an empty lesson: the same message.
    w.exercise.openLesson(QString());
    w.exercise.begin();
    EXPECT_EQ(w.boxes.shown.size(), 2u);
    EXPECT_FALSE(w.exercise.controls().text2Enabled);
}

TEST(Exercise, FreeEntryMirrorsTextAndCanBecomeTheLesson) {
    Window w;
    w.exercise.openLesson(QStringLiteral("abc"));
    w.exercise.freeEntry();
    EXPECT_TRUE(w.exercise.lesson().isEmpty());
    EXPECT_TRUE(w.exercise.controls().text1Visible);
    EXPECT_FALSE(w.exercise.controls().text2Visible);
    EXPECT_TRUE(w.exercise.controls().timerOn);
    EXPECT_EQ(w.labels().time, QStringLiteral("00:00:01"));
    EXPECT_EQ(w.labels().typed, QString());

    w.ticks(3);
    w.typeFree(QStringLiteral("汉字"));
    EXPECT_EQ(w.exercise.lesson(), QStringLiteral("汉字"));
    EXPECT_EQ(w.labels().typed, QStringLiteral("2个字"));
    EXPECT_EQ(w.labels().speed, QStringLiteral("40个字"));  // 2 in 3 s
    EXPECT_EQ(w.colours(), QStringLiteral(".."));
    EXPECT_TRUE(w.boxes.shown.empty());

    // "开始" now practises the typed text; the free-entry box stays on top.
    w.exercise.begin();
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(w.colours(), QStringLiteral("Y."));
    EXPECT_TRUE(w.exercise.controls().text1Visible);
    EXPECT_FALSE(w.exercise.controls().text2Visible);
    w.exercise.openLesson(QStringLiteral("abc"));
    EXPECT_FALSE(w.exercise.controls().text1Visible);
    EXPECT_TRUE(w.exercise.controls().text2Visible);
}

TEST(Exercise, InputPastTheLessonEndFinishes) {
    Window w;
    w.exercise.openLesson(QStringLiteral("abc"));
    w.exercise.begin();
    w.type(QStringLiteral("ab"));
    w.type(QStringLiteral("cd"));  // one commit runs past the end
    EXPECT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_FALSE(w.exercise.controls().timerOn);
    EXPECT_TRUE(w.input.isEmpty());
    EXPECT_EQ(w.labels().errors, QStringLiteral("1个字"));  // d against the last lesson character
}

TEST(Exercise, CountsStayAtTheTopOfTheSixteenBitRange) {
    Window w;
    const QString lesson(70000, QLatin1Char('a'));
    w.exercise.openLesson(lesson);
    w.exercise.begin();
    w.ticks(2);  // 0:00:02
    w.type(QString(33000, QLatin1Char('a')));
    EXPECT_EQ(w.labels().typed, QStringLiteral("32767个字"));
    EXPECT_EQ(w.labels().speed, QStringLiteral("32767个字"));
    EXPECT_EQ(w.exercise.marks()[33000], Mark::Yellow);  // marking follows the true length

    for (int i = 0; i < 32800; ++i) {
        w.input += QLatin1Char('x');
        w.exercise.inputChanged(w.input);
    }
    EXPECT_EQ(w.exercise.errorCount(), 32767);
    EXPECT_EQ(w.labels().errors, QStringLiteral("32767个字"));
    w.exercise.backspace();
    EXPECT_EQ(w.exercise.errorCount(), 32765);
}

TEST(Exercise, ClearingTheInputResetsErrorsButNotTheirLabel) {
    Window w;
    w.exercise.openLesson(QStringLiteral("abcd"));
    w.exercise.begin();
    w.typeEach(QStringLiteral("xy"));
    EXPECT_EQ(w.exercise.errorCount(), 2);
    w.input.clear();
    w.exercise.inputChanged(w.input);
    EXPECT_EQ(w.exercise.errorCount(), 0);
    EXPECT_EQ(w.labels().errors, QStringLiteral("2个字"));
    EXPECT_EQ(w.labels().typed, QStringLiteral("0个字"));
    EXPECT_EQ(w.exercise.caret(), 0);
}

TEST(Exercise, AboutBoxCreditsTheAuthor) {
    Window w;
    w.exercise.about();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_EQ(w.boxes.shown[0].caption, QStringLiteral("关于"));
    EXPECT_EQ(w.boxes.shown[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(w.boxes.shown[0].buttons, platform::MsgButtons::Ok);
    EXPECT_TRUE(w.boxes.shown[0].text.contains(QStringLiteral("作者")));
}

}  // namespace
}  // namespace typedrill
