// The practice window driven through its widgets, offscreen.
#include "typedrill/ui/form1.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/codepage.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/fake_dialogs.h"
#include "typedrill/ui/lesson_box.h"
#include "typedrill/ui/typing_line.h"

namespace typedrill::ui {
namespace {

const QColor kYellow(255, 255, 0);
const QColor kBlack(0, 0, 0);

std::filesystem::path lessonDir() {
    const char* tmp = std::getenv("TMPDIR");
    auto dir = std::filesystem::path(tmp ? tmp : "/tmp") / "lessons";
    std::filesystem::create_directories(dir);
    return dir;
}

void writeLesson(const char* name, const std::string& bytes) {
    std::ofstream(lessonDir() / name, std::ios::binary) << bytes;
}

void commit(QWidget* box, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

class Form1Test : public ::testing::Test {
protected:
    Form1Test() : form(boxes, clock, lessonDir()) {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QString colours(int count) const {
        QString s;
        for (int i = 0; i < count; ++i) s += form.RTB->shownColour(i) == kYellow ? QLatin1Char('Y') : QLatin1Char('.');
        return s;
    }
    void second() {
        clock.advanceMs(1000);
        form.Timer1_Timer();
    }

    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeClock clock;
    Form1 form;
};

TEST_F(Form1Test, WindowLooksAsDesigned) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("五笔typedrill"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(473, 300));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());  // fixed border
    EXPECT_EQ(form.Text1->geometry(), form.Text2->geometry());
    EXPECT_FALSE(form.Text1->isVisible());
    EXPECT_FALSE(form.go->isVisible());
    EXPECT_FALSE(form.pause->isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_TRUE(form.Label2->text().isEmpty());
    EXPECT_EQ(form.Label1->text(), QStringLiteral("总共输入："));
    EXPECT_TRUE(form.RTB->isReadOnly());
}

// Every caption, including the counters at their widest, shows whole in the font
// actually drawn, and the status line's labels do not run into each other.
TEST_F(Form1Test, CaptionsFitTheirLabels) {
    writeLesson("1.txt", "abc");
    form.OpenFile(QStringLiteral("1.txt"));
    for (int i = 0; i < 12; ++i) second();  // keep the clock text wide
    form.begin->trigger();
    QTest::keyClicks(form.Text2, QStringLiteral("abx"));  // an error count to show
    QLabel* const row[] = {form.Label1, form.Label2, form.Label5, form.Label6,
                           form.Label3, form.Label4, form.Label7, form.Label8};
    for (QLabel* label : row) {
        const QFontMetrics fm = label->fontMetrics();
        const QRect need = fm.boundingRect(label->text());
        const QRect room = label->contentsRect();
        EXPECT_GE(room.width(), fm.horizontalAdvance(label->text())) << label->text().toStdString();
        EXPECT_GE(room.width(), need.right() + 1) << label->text().toStdString();
        EXPECT_GE(room.left() + need.left(), 0) << label->text().toStdString();
        EXPECT_GE(room.height(), fm.height()) << label->text().toStdString();
    }
    for (std::size_t i = 0; i + 1 < std::size(row); ++i)
        EXPECT_LT(row[i]->geometry().right(), row[i + 1]->geometry().left()) << row[i]->text().toStdString();
    EXPECT_LE(form.Label1->geometry().bottom(), form.RTB->geometry().top());
}

TEST_F(Form1Test, AbcdLessonTypedThroughTheInputBox) {
    writeLesson("1.txt", "ab\r\ncd\r\n");
    form.OpenFile(QStringLiteral("1.txt"));
    EXPECT_EQ(form.exercise().lesson(), QStringLiteral("abcd"));
    EXPECT_EQ(form.Label6->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(colours(4), QStringLiteral("...."));
    EXPECT_FALSE(form.Text2->isEnabled());

    form.begin->trigger();
    EXPECT_TRUE(form.Text2->isEnabled());
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_TRUE(form.pause->isVisible());
    EXPECT_EQ(form.Label6->text(), QStringLiteral("00:00:01"));
    EXPECT_EQ(colours(4), QStringLiteral("Y..."));

    QTest::keyClicks(form.Text2, QStringLiteral("a"));
    EXPECT_EQ(colours(4), QStringLiteral("YY.."));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("1个字"));
    QTest::keyClicks(form.Text2, QStringLiteral("x"));
    EXPECT_EQ(form.Label8->text(), QStringLiteral("1个字"));
    EXPECT_EQ(colours(4), QStringLiteral("Y..."));
    QTest::keyClicks(form.Text2, QStringLiteral("c"));
    EXPECT_EQ(colours(4), QStringLiteral("Y..Y"));
    QTest::keyClick(form.Text2, Qt::Key_Backspace);
    EXPECT_EQ(form.Text2->text(), QStringLiteral("ax"));
    EXPECT_EQ(form.Label8->text(), QStringLiteral("1个字"));  // 1 - 2 -> 0, then x counts again
    EXPECT_EQ(colours(4), QStringLiteral("Y..Y"));

    QTest::keyClick(form.Text2, Qt::Key_Backspace);
    EXPECT_EQ(form.Label8->text(), QStringLiteral("0个字"));
    EXPECT_EQ(colours(4), QStringLiteral("YY.Y"));
    for (int i = 0; i < 7; ++i) second();
    EXPECT_EQ(form.Label6->text(), QStringLiteral("0:00:07"));
    QTest::keyClicks(form.Text2, QStringLiteral("bcd"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("平均每分钟:34个字\t0个字"));  // 4 in 7 s
    EXPECT_TRUE(form.Text2->text().isEmpty());
    EXPECT_FALSE(form.Text2->isEnabled());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.Label2->text(), QStringLiteral("0个字"));
}

TEST_F(Form1Test, InputMethodCommitsAreCompared) {
    writeLesson("2.txt", "\xCE\xE5\xB1\xCA\xD7\xD6\xD0\xCD");  // 五笔字型
    form.OpenFile(QStringLiteral("2.txt"));
    form.begin->trigger();
    commit(form.Text2, QStringLiteral("x笔"));  // two at once: only 笔 is compared
    EXPECT_EQ(form.Text2->text(), QStringLiteral("x笔"));
    EXPECT_EQ(form.exercise().errorCount(), 0);
    EXPECT_EQ(colours(4), QStringLiteral("Y.Y."));
    commit(form.Text2, QStringLiteral("字"));
    EXPECT_EQ(colours(4), QStringLiteral("Y.YY"));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("3个字"));
}

TEST_F(Form1Test, MenuShortcutsBeatTheFocusedInputBox) {
    writeLesson("3.txt", "abc");
    form.OpenFile(QStringLiteral("3.txt"));
    form.begin->trigger();
    form.Text2->setFocus();
    QTest::keyClicks(form.Text2, QStringLiteral("ab"));
    form.Text2->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(form.Text2, Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("关于"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));  // nothing copied

    QTest::keyClick(form.Text2, Qt::Key_F11);
    EXPECT_TRUE(form.go->isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
    QTest::keyClick(&form, Qt::Key_F12);
    EXPECT_TRUE(form.pause->isVisible());
    EXPECT_TRUE(form.Timer1->isActive());
}

TEST_F(Form1Test, RightClickOnTheRunningLessonEmptiesTheClipboard) {
    writeLesson("4.txt", "abc");
    form.OpenFile(QStringLiteral("4.txt"));
    QApplication::clipboard()->setText(QStringLiteral("keep"));
    QTest::mouseClick(form.RTB->viewport(), Qt::RightButton);  // disabled: nothing happens
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("keep"));
    form.begin->trigger();
    QTest::mouseClick(form.RTB->viewport(), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("keep"));
    EXPECT_TRUE(form.Text2->hasFocus());  // typing goes on into the input box
    QTest::mouseClick(form.RTB->viewport(), Qt::RightButton);
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

TEST_F(Form1Test, FreeEntryThenStartPractisesTheTypedText) {
    form.inset->trigger();
    EXPECT_TRUE(form.Text1->isVisible());
    EXPECT_FALSE(form.Text2->isVisible());
    EXPECT_TRUE(form.pause->isVisible());
    commit(form.Text1, QStringLiteral("汉字"));
    EXPECT_EQ(form.RTB->toPlainText(), QStringLiteral("汉字"));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("2个字"));
    form.begin->trigger();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(colours(2), QStringLiteral("Y."));
}

TEST_F(Form1Test, EmptyOrMissingLessonMeansNoLevelChosen) {
    writeLesson("5.txt", "");
    form.OpenFile(QStringLiteral("5.txt"));
    form.begin->trigger();
    form.OpenFile(QStringLiteral("missing.txt"));
    form.begin->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("对不起,你还没有选择练习的级别！"));
    EXPECT_FALSE(form.pause->isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
}

TEST_F(Form1Test, LongLessonKeepsThePlaceInViewAndMarksIt) {
    form.inset->trigger();
    commit(form.Text1, QString(5000, QChar(0x6C49)));  // 汉 x 5000 becomes the lesson
    form.begin->trigger();
    commit(form.Text2, QString(3000, QChar(0x6C49)));
    const int line = form.RTB->documentPosition(3000) - 3000;
    EXPECT_GT(line, 20);  // wrapped into many lines
    EXPECT_EQ(form.RTB->shownColour(3000), kYellow);
    EXPECT_EQ(form.RTB->shownColour(3001), kBlack);
    EXPECT_GT(form.RTB->verticalScrollBar()->value(), 0);
}

// What is on screen, not only the marks: the box keeps its page drawn and must
// redraw a character whose mark changed, after scrolling too.
TEST_F(Form1Test, LessonBoxPictureFollowsTheMarks) {
    auto yellowOnScreen = [&](int position) {
        const QImage shot = form.RTB->viewport()->grab(form.RTB->characterRect(position)).toImage();
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() < 100) return true;
            }
        return false;
    };
    form.inset->trigger();
    commit(form.Text1, QString(2000, QChar(0x6C49)));
    form.begin->trigger();
    EXPECT_TRUE(yellowOnScreen(0));
    EXPECT_FALSE(yellowOnScreen(1));
    commit(form.Text2, QStringLiteral("汉"));
    EXPECT_TRUE(yellowOnScreen(1));
    commit(form.Text2, QStringLiteral("x"));  // wrong: the place typed turns black
    EXPECT_FALSE(yellowOnScreen(1));
    QTest::keyClick(form.Text2, Qt::Key_Backspace);
    EXPECT_TRUE(yellowOnScreen(1));
    form.Text2->setText(QString(1500, QChar(0x6C49)));  // far down: the box scrolls
    EXPECT_GT(form.RTB->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(yellowOnScreen(1500));
    EXPECT_FALSE(yellowOnScreen(1501));
}

// Free entry lays out only the last lines again on each change: the box must end
// up as if the whole text had been shown at once.
TEST_F(Form1Test, FreeEntryTypedPieceByPieceShowsAsAWhole) {
    form.inset->trigger();
    QString all;
    for (int i = 0; i < 60; ++i) {
        const QString piece = QString(7, QChar(0x4E00 + i)) + QStringLiteral("ab ");
        commit(form.Text1, piece);
        form.RTB->viewport()->repaint();  // so that what is kept drawn must be right
        all += piece;
        if (i % 9 == 8) {  // and take some back
            QTest::keyClick(form.Text1, Qt::Key_Backspace);
            all.chop(1);
        }
    }
    Form1 whole(boxes, clock, lessonDir());
    whole.show();
    whole.inset->trigger();
    commit(whole.Text1, all);
    EXPECT_EQ(form.RTB->lesson(), all);
    EXPECT_EQ(form.RTB->toPlainText(), whole.RTB->toPlainText());
    EXPECT_EQ(form.RTB->documentPosition(all.size() - 1), whole.RTB->documentPosition(all.size() - 1));
    EXPECT_EQ(form.RTB->viewport()->grab().toImage(), whole.RTB->viewport()->grab().toImage());
}

// Edits in the middle of a free-entry text lay out only the lines they touch:
// whatever the edits, the box shows the whole text in order, every line within
// the box's width, the first character of each line at its left edge.
TEST_F(Form1Test, FreeEntryEditedAnywhereStaysWhole) {
    form.inset->trigger();
    const QString pieces[] = {QStringLiteral("汉字五笔"), QStringLiteral("word "), QStringLiteral("e\u0301"),
                              QString(40, QChar(0x301)), QStringLiteral("，。")};
    QString all;
    for (int i = 0; i < 200; ++i) all += pieces[i % 5 == 3 ? 0 : i % 5];
    commit(form.Text1, all);
    const int width = form.RTB->viewport()->width();
    const QFontMetrics metrics(form.RTB->document()->defaultFont());
    QRandomGenerator random(24);
    for (int round = 0; round < 80; ++round) {
        const int at = random.bounded(static_cast<int>(all.size()) + 1);
        const int gone = std::min(random.bounded(30), static_cast<int>(all.size()) - at);
        const QString put = random.bounded(3) == 0 ? QString() : pieces[random.bounded(5)];
        form.Text1->replace(at, at + gone, put);
        all.replace(at, gone, put);
        const std::vector<int>& starts = form.RTB->lineStarts();
        ASSERT_EQ(form.RTB->lesson(), all);
        ASSERT_EQ(form.RTB->toPlainText().remove(QLatin1Char('\n')), all) << round;
        ASSERT_EQ(form.RTB->document()->blockCount(), static_cast<int>(starts.size())) << round;
        ASSERT_EQ(starts.front(), 0);
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const int end = i + 1 < starts.size() ? starts[i + 1] : static_cast<int>(all.size());
            ASSERT_LT(starts[i], end) << round;
            const QString line = all.mid(starts[i], end - starts[i]);
            if (line.size() > 1 && !line.contains(QChar(0x301))) {
                EXPECT_LE(metrics.horizontalAdvance(line), width) << round;
            }
            EXPECT_EQ(form.RTB->documentPosition(starts[i]), starts[i] + static_cast<int>(i)) << round;
        }
    }
}

// A paste longer than the lesson is cut at the lesson's end, not scored past it;
// Ctrl+Backspace deletes a word and is no Backspace to the error count.
TEST_F(Form1Test, InputPastTheLessonIsRefused) {
    writeLesson("1.txt", "abcd efgh");
    form.OpenFile(QStringLiteral("1.txt"));
    form.begin->trigger();
    commit(form.Text2, QStringLiteral("abcd x"));
    EXPECT_EQ(form.Label8->text(), QStringLiteral("1个字"));
    QTest::keyClick(form.Text2, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(form.Text2->text(), QStringLiteral("abcd "));
    EXPECT_EQ(form.Label8->text(), QStringLiteral("1个字"));
    QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('e')));
    QTest::keyClick(form.Text2, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown.size(), 1u);  // the end of the lesson, with its report
    EXPECT_EQ(form.Label2->text(), QStringLiteral("0个字"));
    // Four of the pasted characters fit; the last is compared with the lesson's last.
    EXPECT_TRUE(boxes.shown[0].text.endsWith(QStringLiteral("\t2个字"))) << boxes.shown[0].text.toStdString();
}

TEST_F(Form1Test, ContinueGivesTheKeyboardBackToTheBoxInFront) {
    writeLesson("1.txt", "\xCE\xE5\xB1\xCA");  // 五笔
    form.OpenFile(QStringLiteral("1.txt"));
    form.begin->trigger();
    EXPECT_TRUE(form.Text2->hasFocus());
    form.pause->trigger();
    form.go->trigger();
    ASSERT_TRUE(form.Text2->hasFocus());
    commit(QApplication::focusWidget(), QStringLiteral("五"));  // the input method commits to the focus
    EXPECT_EQ(form.Label2->text(), QStringLiteral("1个字"));

    form.inset->trigger();
    EXPECT_TRUE(form.Text1->hasFocus());
    form.pause->trigger();
    form.go->trigger();
    EXPECT_TRUE(form.Text1->hasFocus());

    form.OpenFile(QStringLiteral("1.txt"));  // loading shows the input box again, disabled
    form.begin->trigger();
    EXPECT_TRUE(form.Text2->hasFocus());
}

TEST_F(Form1Test, OversizedLessonIsRefusedAndSaidSo) {
    writeLesson("3.txt", std::string(2 * 1024 * 1024, 'a'));
    form.OpenFile(QStringLiteral("3.txt"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("3.txt")));
    EXPECT_TRUE(form.exercise().lesson().isEmpty());
    form.begin->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("对不起,你还没有选择练习的级别！"));
}

// Screen readers get the lesson as loaded, not the box's wrapped lines, and its
// marks as colours.
TEST_F(Form1Test, ScreenReadersReadTheLessonAndItsMarks) {
    QString lesson;
    for (int i = 0; i < 650; ++i) lesson += QChar(i % 13 == 12 ? char16_t(u'，') : char16_t(0x4E00 + i));
    std::string head, tail;
    ASSERT_TRUE(platform::utf8ToCp936(lesson.left(300).toStdString(), head));
    ASSERT_TRUE(platform::utf8ToCp936(lesson.mid(300).toStdString(), tail));
    writeLesson("2.txt", head + "\r\n" + tail);

    form.OpenFile(QStringLiteral("2.txt"));
    form.begin->trigger();
    for (int i = 0; i < 3; ++i) commit(form.Text2, lesson.mid(i, 1));
    commit(form.Text2, QStringLiteral("x"));  // wrong: the fourth character turns black
    ASSERT_GT(form.RTB->documentPosition(649), 649);  // shown wrapped into lines

    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(form.RTB);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("课文"));
    EXPECT_TRUE(box->state().readOnly);
    QAccessibleTextInterface* text = box->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 650);
    EXPECT_EQ(text->text(0, 650), lesson);
    EXPECT_EQ(text->cursorPosition(), 3);  // back at the wrong one

    int start = -1, end = -1;
    const QString yellow = text->attributes(1, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 3));
    EXPECT_TRUE(yellow.contains(QStringLiteral(";color:rgb(255,255,0);"))) << yellow.toStdString();
    EXPECT_TRUE(yellow.startsWith(QStringLiteral("background-color:rgb(0,192,192);")));
    const QString black = text->attributes(3, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(3, 650));
    EXPECT_TRUE(black.contains(QStringLiteral(";color:rgb(0,0,0);")));

    // Geometry in both directions, on the second shown line (after a line break).
    int onSecondLine = 0;
    while (form.RTB->documentPosition(onSecondLine) == onSecondLine) ++onSecondLine;
    const QRect rect = text->characterRect(onSecondLine + 1);
    EXPECT_TRUE(QRect(form.RTB->mapToGlobal(QPoint(0, 0)), form.RTB->size()).contains(rect.center()));
    EXPECT_EQ(text->offsetAtPoint(rect.center()), onSecondLine + 1);
}

TEST(ShippedLessons, FiveLevelsDecodeCleanly) {
    platform::testing::FakeMessageBoxes boxes;
    platform::testing::FakeClock clock;
    const char* bin = std::getenv("SUITE_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    Form1 form(boxes, clock, bin);
    for (int level = 1; level <= 5; ++level) {
        form.OpenFile(QStringLiteral("%1.txt").arg(level));
        const QString& lesson = form.exercise().lesson();
        EXPECT_GE(lesson.size(), 300) << level;
        EXPECT_FALSE(lesson.contains(QChar(0xFFFD))) << level;
        EXPECT_FALSE(lesson.contains(QLatin1Char('\n'))) << level;
    }
    form.OpenFile(QStringLiteral("1.txt"));
    EXPECT_TRUE(form.exercise().lesson().startsWith(QStringLiteral("王土大木工")));
}

}  // namespace
}  // namespace typedrill::ui
