// The typing box on its own, offscreen: editing, input methods, what is drawn at
// the end of a long text, and what screen readers are told.
#include "typedrill/ui/typing_line.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextCharFormat>

#include <gtest/gtest.h>

#include <limits>

namespace typedrill::ui {
namespace {

void commit(QWidget* box, const QString& text, int replaceFrom = 0, int replaceLength = 0) {
    QInputMethodEvent event;
    event.setCommitString(text, replaceFrom, replaceLength);
    QApplication::sendEvent(box, &event);
}

void preedit(QWidget* box, const QString& text) {
    QInputMethodEvent event(text, {});
    QApplication::sendEvent(box, &event);
}

// Characters of several kinds: ideographs, Latin, a letter with a combining mark
// and one outside the basic plane, so that a window edge may fall anywhere.
QString mixedText(int length) {
    const QString pieces[] = {QStringLiteral("汉字"), QStringLiteral("ab "), QStringLiteral("e\u0301"),
                              QString::fromUcs4(U"\U00020000"), QStringLiteral("五笔字型"), QStringLiteral("x,")};
    QString text;
    for (int i = 0; text.size() < length; ++i) text += pieces[(i * 7 + i / 5) % std::size(pieces)];
    text.truncate(length);
    if (text.back().isHighSurrogate()) text.back() = QLatin1Char('z');
    return text;
}

class TypingLineTest : public ::testing::Test {
protected:
    TypingLineTest() {
        window.resize(520, 60);
        box = new TypingLine(&window);
        box->setGeometry(10, 10, 473, 25);
        QFont font(QStringLiteral("宋体"));
        font.setPixelSize(14);
        box->setFont(font);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
    }

    QWidget window;
    TypingLine* box;
};

TEST_F(TypingLineTest, KeysAndMouseEditMoveAndSelect) {
    QSignalSpy changes(box, &TypingLine::textChanged);
    QTest::keyClicks(box, QStringLiteral("abcd"));
    EXPECT_EQ(changes.count(), 4);  // one change per key
    EXPECT_EQ(changes.last().at(0).toString(), QStringLiteral("abcd"));
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(box->selectedText(), QStringLiteral("c"));
    QTest::keyClicks(box, QStringLiteral("X"));  // typing replaces the selection
    EXPECT_EQ(box->text(), QStringLiteral("abXd"));
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(box->selectedText(), QStringLiteral("bXd"));
    QTest::keyClick(box, Qt::Key_Left);  // from the cursor, and the selection goes
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_FALSE(box->hasSelectedText());

    // Clusters move and delete whole; Backspace takes a mark alone, a pair whole.
    box->setText(QStringLiteral("e\u0301") + QString::fromUcs4(U"\U00020000") + QStringLiteral("z"));
    box->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_Right);
    EXPECT_EQ(box->cursorPosition(), 2);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Left);
    EXPECT_EQ(box->cursorPosition(), 2);  // past z, then past the pair whole
    QTest::keyClick(box, Qt::Key_Delete);
    EXPECT_EQ(box->text(), QStringLiteral("e\u0301z"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), QStringLiteral("ez"));

    // Select all, cut and paste by their standard keys.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ez"));
    EXPECT_TRUE(box->text().isEmpty());
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);  // the cut taken back, and done again
    EXPECT_EQ(box->selectedText(), QStringLiteral("ez"));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(box->text().isEmpty());
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("ezez"));
    QTest::keyClick(box, Qt::Key_Q, Qt::ControlModifier);  // a control chord types nothing
    EXPECT_EQ(box->text(), QStringLiteral("ezez"));

    // The mouse places the cursor and drags a selection.
    box->setText(QStringLiteral("汉字五笔字型"));
    const QRect second = box->characterRect(1), fourth = box->characterRect(3);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(second.left() + 1, second.center().y()));
    EXPECT_EQ(box->cursorPosition(), 1);
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(second.left() + 1, second.center().y()));
    QMouseEvent drag(QEvent::MouseMove, QPointF(fourth.right() - 1, fourth.center().y()), box->mapToGlobal(QPointF(fourth.right() - 1, fourth.center().y())), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drag);
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(fourth.right() - 1, fourth.center().y()));
    EXPECT_EQ(box->selectedText(), QStringLiteral("字五笔"));

    // setText and clear tell of a change only when there is one.
    changes.clear();
    box->setText(box->text());
    box->clear();
    box->clear();
    EXPECT_EQ(changes.count(), 1);
}

// The same random edits in a line edit and in the typing box leave the same
// text, cursor and selection: the box keeps what users of a line edit relied on.
TEST_F(TypingLineTest, RandomEditsMatchALineEdit) {
    auto* edit = new QLineEdit(&window);
    edit->setMaxLength(1 << 30);
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    };
    const Key keys[] = {{Qt::Key_Left, {}}, {Qt::Key_Right, {}}, {Qt::Key_Left, Qt::ShiftModifier},
                        {Qt::Key_Right, Qt::ShiftModifier}, {Qt::Key_Home, {}}, {Qt::Key_End, Qt::ShiftModifier},
                        {Qt::Key_Backspace, {}}, {Qt::Key_Delete, {}}, {Qt::Key_A, Qt::ControlModifier},
                        {Qt::Key_Left, Qt::ControlModifier}, {Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier},
                        {Qt::Key_Backspace, Qt::ControlModifier}, {Qt::Key_Delete, Qt::ControlModifier},
                        {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}};
    const QString pieces[] = {QStringLiteral("汉"), QStringLiteral("ab"), QStringLiteral("e\u0301"),
                              QString::fromUcs4(U"\U00020000"), QStringLiteral(" "), QStringLiteral("x,")};
    QRandomGenerator random(18);
    for (int step = 0; step < 3000; ++step) {
        std::size_t pick = random.bounded(25);
        // A line edit keeps a stale selection when a replacement reaches past its
        // text; the box does not copy that, so replacements go where there is text.
        if (pick >= 23 && (box->hasSelectedText() ? box->selectionStart() : box->cursorPosition()) == 0) pick = 0;
        const int x = random.bounded(box->width());
        for (QWidget* w : {static_cast<QWidget*>(edit), static_cast<QWidget*>(box)}) {
            w->setFocus();
            if (pick < std::size(keys)) {
                QTest::keyClick(w, keys[pick].key, keys[pick].mods);
            } else if (pick == 22) {  // a triple click
                const QPoint at(x, w->height() / 2);
                QTest::mouseClick(w, Qt::LeftButton, {}, at);
                QTest::mouseDClick(w, Qt::LeftButton, {}, at);
                QTest::mouseClick(w, Qt::LeftButton, {}, at);
            } else if (pick >= 23) {
                commit(w, QStringLiteral("字"), -1, 1);  // an input method mending the last one
            } else {
                commit(w, pieces[pick % std::size(pieces)]);
            }
        }
        ASSERT_EQ(box->text(), edit->text()) << step;
        ASSERT_EQ(box->cursorPosition(), edit->cursorPosition()) << step;
        // A line edit's redo can leave a stale selection that it does not report as
        // one and that the next key then replaces; the box does not copy that.
        if (edit->selectionStart() < 0 && !edit->selectedText().isEmpty()) edit->deselect();
        ASSERT_EQ(box->selectedText(), edit->selectedText()) << step;
    }
}

// Past its limit the box refuses text, whichever way it comes; text dragged in
// lands where it is dropped and is taken back by undo; a selection becomes the
// primary selection where the platform has one.
TEST_F(TypingLineTest, LimitDropsCaretEventsAndPrimarySelection) {
    box->setMaxLength(5);
    EXPECT_EQ(box->inputMethodQuery(Qt::ImMaximumTextLength).toInt(), 5);
    commit(box, QStringLiteral("汉字"));
    QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('x')));  // a 1 MB paste
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("汉字xxx"));
    QTest::keyClicks(box, QStringLiteral("y"));
    commit(box, QString::fromUcs4(U"\U00020000"));
    EXPECT_EQ(box->text(), QStringLiteral("汉字xxx"));
    box->setCursorPosition(4);
    QTest::keyClick(box, Qt::Key_Backspace);
    commit(box, QString::fromUcs4(U"\U00020000"));  // a pair never goes in by half
    EXPECT_EQ(box->text(), QStringLiteral("汉字xx"));
    box->setMaxLength(3);
    EXPECT_EQ(box->text(), QStringLiteral("汉字x"));
    box->setMaxLength(std::numeric_limits<int>::max());

    box->setText(QStringLiteral("汉字五笔"));
    QMimeData dragged;
    dragged.setText(QStringLiteral("ab"));
    const QPoint at = box->characterRect(2).topLeft() + QPoint(1, 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(box, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(box, &drop);
    EXPECT_EQ(box->text(), QStringLiteral("汉字ab五笔"));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("汉字五笔"));

    box->setCursorPosition(4);
    QTest::keyClicks(box, QStringLiteral(" ab"));
    QTest::keyClick(box, Qt::Key_Backspace, Qt::ControlModifier);  // a word back
    EXPECT_EQ(box->text(), QStringLiteral("汉字五笔 "));
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete, Qt::ControlModifier);  // Chinese without blanks is one word
    EXPECT_EQ(box->text(), QString());

    if (QApplication::clipboard()->supportsSelection()) {
        box->setSelection(1, 2);
        QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::clipboard()->text(QClipboard::Selection), QStringLiteral("字五笔"));
    }
}

TEST_F(TypingLineTest, InputMethodPreeditCommitAndReplacement) {
    QSignalSpy changes(box, &TypingLine::textChanged);
    commit(box, QStringLiteral("五笔"));
    const QImage plain = box->grab().toImage();
    preedit(box, QStringLiteral("tfnh"));
    EXPECT_EQ(box->text(), QStringLiteral("五笔"));  // the preedit is shown, not typed
    EXPECT_EQ(changes.count(), 1);
    EXPECT_NE(box->grab().toImage(), plain);
    EXPECT_GT(box->cursorRect().left(), box->characterRect(1).right());  // the cursor sits after the preedit

    commit(box, QStringLiteral("字"));  // the commit ends the preedit
    EXPECT_EQ(box->text(), QStringLiteral("五笔字"));
    EXPECT_TRUE(box->preeditText().isEmpty());
    commit(box, QStringLiteral("型"), -1, 1);  // replaces the character before the cursor
    EXPECT_EQ(box->text(), QStringLiteral("五笔型"));
    EXPECT_EQ(changes.count(), 3);  // one change per event, even with a replacement
    box->setSelection(0, 2);
    commit(box, QStringLiteral("汉"));
    EXPECT_EQ(box->text(), QStringLiteral("汉型"));
    EXPECT_EQ(box->cursorPosition(), 1);

    // What the input method is told stays a stretch around the cursor.
    const QString text = QString(5000, QChar(0x6C49)) + QStringLiteral("abc") + QString(5000, QChar(0x5B57));
    box->setText(text);
    box->setCursorPosition(5001);
    const QString around = box->inputMethodQuery(Qt::ImSurroundingText).toString();
    const int at = box->inputMethodQuery(Qt::ImCursorPosition).toInt();
    EXPECT_LE(around.size(), 2000);
    EXPECT_EQ(around.mid(at - 1, 3), QStringLiteral("abc"));
    box->setSelection(5003, -2);
    EXPECT_EQ(box->inputMethodQuery(Qt::ImCurrentSelection).toString(), QStringLiteral("bc"));
    const int anchor = box->inputMethodQuery(Qt::ImAnchorPosition).toInt();
    EXPECT_EQ(around.mid(box->inputMethodQuery(Qt::ImCursorPosition).toInt(), anchor - box->inputMethodQuery(Qt::ImCursorPosition).toInt()), QStringLiteral("bc"));
    EXPECT_TRUE(box->inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_TRUE(box->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_GE(box->inputMethodQuery(Qt::ImMaximumTextLength).toInt(), 1 << 20);
    EXPECT_TRUE(box->rect().contains(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center()));
}

// The end of a long text, reached by typing, must look exactly like the same last
// stretch shown alone; a window computed wrongly shows other characters or
// shifts them. The edge must never split a cluster.
TEST_F(TypingLineTest, EndOfALongTextLooksLikeItsLastStretchAlone) {
    const QString text = mixedText(100000);
    box->clearFocus();  // no blinking cursor in the pictures
    commit(box, text.left(99000));
    for (int i = 99000; i < text.size(); i += 97) {
        box->grab();  // drawn on the way, as a user sees it
        commit(box, text.mid(i, 97));
    }

    // A fresh box gets the shown stretch, some text before it and what the box took
    // back, and takes it back the same way: a line edit's scrolling depends on
    // whether the cursor or the text's end last pushed it.
    auto sameAsAlone = [&](const QString& takenBack) {
        const QString& shown = box->text();
        const int first = box->firstVisible();
        ASSERT_GT(first, 90000);
        EXPECT_FALSE(shown.at(first).isLowSurrogate());
        EXPECT_NE(shown.at(first).category(), QChar::Mark_NonSpacing);
        TypingLine alone(&window);
        alone.setGeometry(box->geometry());
        alone.setFont(box->font());
        alone.show();
        alone.setText(shown.mid(first - 300) + takenBack);
        alone.grab();
        while (alone.text().size() > 300 + shown.size() - first) alone.backspace();
        EXPECT_EQ(alone.text().mid(alone.firstVisible()), shown.mid(first));
        EXPECT_EQ(alone.grab().toImage(), box->grab().toImage());
    };
    sameAsAlone(QString());
    const QString typed = box->text();
    for (int i = 0; i < 30; ++i) box->backspace();  // the end comes back into the box
    sameAsAlone(typed.mid(box->text().size()));
    box->setText(text.left(95000));  // and from a fresh placement
    box->grab();
    commit(box, QStringLiteral("z"));
    sameAsAlone(QString());
}

TEST_F(TypingLineTest, ScreenReadersReadAndEditTheText) {
    box->setAccessibleName(QStringLiteral("录入"));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::EditableText);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("录入"));
    QAccessibleTextInterface* text = a->textInterface();
    QAccessibleEditableTextInterface* edit = a->editableTextInterface();
    ASSERT_NE(text, nullptr);
    ASSERT_NE(edit, nullptr);

    const QString long_ = QString(20000, QChar(0x6C49)) + QStringLiteral(" five words at the end");
    box->setText(long_);
    EXPECT_EQ(text->characterCount(), long_.size());
    EXPECT_EQ(text->text(0, -1), long_);
    EXPECT_EQ(text->cursorPosition(), long_.size());
    int start = 0, end = 0;
    EXPECT_EQ(text->textAtOffset(long_.size() - 5, QAccessible::WordBoundary, &start, &end), QStringLiteral("the"));
    EXPECT_EQ(std::pair(start, end), std::pair(int(long_.size()) - 7, int(long_.size()) - 4));

    // Geometry for the characters in view only, both ways.
    const QRect r = text->characterRect(long_.size() - 3);
    EXPECT_TRUE(QRect(box->mapToGlobal(QPoint(0, 0)), box->size()).contains(r.center()));
    EXPECT_EQ(text->offsetAtPoint(r.center()), long_.size() - 3);
    EXPECT_TRUE(text->characterRect(10).isNull());

    text->setSelection(0, 2, 5);
    EXPECT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(2, 5));
    EXPECT_EQ(box->selectedText(), long_.mid(2, 3));

    QSignalSpy changes(box, &TypingLine::textChanged);
    edit->replaceText(0, 1, QStringLiteral("字"));
    edit->insertText(1, QStringLiteral("ab"));
    edit->deleteText(1, 2);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(box->text(), QStringLiteral("字b") + long_.mid(1));
}

}  // namespace
}  // namespace typedrill::ui
