// The author window: one beep per opening, its text, the default-look button.
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

#include "shellstyle/tests/form_fixture.h"
#include "shellstyle/ui/frmmsg.h"
#include "shellstyle/ui/xpfg.h"
#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"

namespace shellstyle {
namespace {

class FrmmsgTest : public testing::FormTest {};

TEST_F(FrmmsgTest, EachOpeningBeepsOnceAndShowsTheAuthorLines) {
    ui::xpfg form(seams);
    form.show();
    form.About_Click();
    ui::frmmsg* msg = form.messageWindow();
    ASSERT_NE(msg, nullptr);
    EXPECT_EQ(boxes.beeps, 1);
    form.About_Click();  // already open: brought forward only
    EXPECT_EQ(boxes.beeps, 1);

    EXPECT_EQ(msg->windowTitle(), QStringLiteral("版权信息"));
    EXPECT_EQ(msg->xp_canvas2->Caption(), QStringLiteral("版权信息"));
    EXPECT_EQ(msg->cmdexit->State(), 1);
    EXPECT_EQ(msg->cmdexit->Caption(), QStringLiteral("确  定"));
    EXPECT_TRUE(msg->imginformation->isVisible());
    EXPECT_FALSE(msg->imginformation->pixmap().isNull());
    // The text's mixed line ends show as three lines: no stray return, no empty line.
    const QString shown = msg->Label1_1->text();
    EXPECT_FALSE(shown.contains(QChar('\r')));
    const QStringList lines = shown.split(QChar('\n'));
    EXPECT_EQ(lines.size(), 3);
    for (const QString& line : lines) EXPECT_FALSE(line.trimmed().isEmpty()) << shown.toStdString();

    emit msg->cmdexit->Click();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form.messageWindow(), nullptr);

    form.About_Click();
    EXPECT_EQ(boxes.beeps, 2);
    form.messageWindow()->close();
}

}  // namespace
}  // namespace shellstyle
