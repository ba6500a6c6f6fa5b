// The typing box's text model on its own: undo steps and the length limit.
#include "typedrill/core/line_text.h"

#include <gtest/gtest.h>

namespace typedrill {
namespace {

using Kind = LineText::EditKind;

void type(LineText& line, const QString& text) {
    for (QChar c : text) line.splice(line.cursor(), line.cursor(), QString(c), Kind::Typing, nullptr);
}

TEST(LineText, UndoTakesBackStepsAsALineEditGroupsThem) {
    LineText line;
    type(line, QStringLiteral("abc"));
    line.splice(2, 3, QString(), Kind::Backspace, nullptr);
    line.splice(1, 2, QString(), Kind::Backspace, nullptr);
    line.moveCursor(0, false);  // a move ends the step
    type(line, QStringLiteral("xy"));
    EXPECT_EQ(line.text(), QStringLiteral("xya"));
    line.undo();
    EXPECT_EQ(line.text(), QStringLiteral("a"));
    line.undo();  // both Backspaces at once, the cursor back where they began
    EXPECT_EQ(line.text(), QStringLiteral("abc"));
    EXPECT_EQ(line.cursor(), 3);
    line.undo();
    EXPECT_EQ(line.text(), QString());
    EXPECT_FALSE(line.canUndo());
    line.redo();
    line.redo();
    EXPECT_EQ(line.text(), QStringLiteral("a"));

    // A removed selection and what is typed over it come back together, selected.
    line.setText(QStringLiteral("hello"));
    EXPECT_FALSE(line.canRedo());
    line.moveCursor(1, false);
    line.moveCursor(4, true);
    line.splice(1, 4, QString(), Kind::Selection, nullptr);
    type(line, QStringLiteral("ipp"));
    EXPECT_EQ(line.text(), QStringLiteral("hippo"));
    line.undo();
    EXPECT_EQ(line.text(), QStringLiteral("hello"));
    EXPECT_EQ(line.selectedText(), QStringLiteral("ell"));

    // An input method's mending is a step of its own that typing then joins.
    line.setText(QStringLiteral("ab"));
    line.splice(1, 2, QStringLiteral("c"), Kind::Mending, nullptr);
    type(line, QStringLiteral("d"));
    line.undo();
    EXPECT_EQ(line.text(), QStringLiteral("ab"));
    EXPECT_EQ(line.selectedText(), QStringLiteral("b"));
}

TEST(LineText, TheLimitRefusesWhatDoesNotFitAndNeverHalfAPair) {
    LineText line;
    line.setMaxLength(4);
    line.setText(QStringLiteral("abcdef"));
    EXPECT_EQ(line.text(), QStringLiteral("abcd"));
    line.splice(1, 2, QStringLiteral("xyz"), Kind::Typing, nullptr);
    EXPECT_EQ(line.text(), QStringLiteral("axcd"));
    line.splice(4, 4, QStringLiteral("z"), Kind::Typing, nullptr);
    EXPECT_EQ(line.text(), QStringLiteral("axcd"));
    line.splice(3, 4, QString::fromUcs4(U"\U00020000"), Kind::Typing, nullptr);
    EXPECT_EQ(line.text(), QStringLiteral("axc"));
    EXPECT_FALSE(line.splice(3, 3, QString::fromUcs4(U"\U00020000"), Kind::Typing, nullptr));
}

}  // namespace
}  // namespace typedrill
