// The main and author windows with the keyboard alone: Tab in reading order, the
// icon scroll bar's keys, replace, preset and restore, and closing the author window.
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include "shellstyle/tests/form_fixture.h"
#include "shellstyle/ui/frmmsg.h"
#include "shellstyle/ui/xpfg.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"

namespace shellstyle {
namespace {

const std::string kShellIcons =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";

class KeyboardTest : public testing::FormTest {
protected:
    // Keys go where the focus is, as they would from the keyboard.
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    static void tabTo(QWidget* target) {
        for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i) press(Qt::Key_Tab);
    }
};

TEST_F(KeyboardTest, TabFollowsReadingOrderAndThePresetRestoreAndReplaceNeedNoMouse) {
    icons.counts = {{"/a.icl", 5}};
    dialogs.results = {"/a.icl"};
    ui::xpfg form(seams);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.OpenFile->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return);  // the open dialog answers /a.icl, and the scroll bar opens
    EXPECT_EQ(form.Label4->text(), QStringLiteral("5"));

    QList<QWidget*> order;
    for (int i = 0; i < 6; ++i) {
        order << QApplication::focusWidget();
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(order, (QList<QWidget*>{form.OpenFile, form.About, form.HS, form.Change, form.restore, form.WinXp}));
    EXPECT_EQ(QApplication::focusWidget(), form.box(0));

    tabTo(form.HS);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Left);
    EXPECT_EQ(form.Label3->text(), QStringLiteral("1"));
    press(Qt::Key_PageDown);
    EXPECT_EQ(form.HS->value(), form.HS->maximum());
    press(Qt::Key_PageUp);
    press(Qt::Key_Right);

    tabTo(form.box("check1(2)"));
    press(Qt::Key_Space);
    EXPECT_EQ(form.box("check1(2)")->Value(), 1);
    tabTo(form.Change);
    press(Qt::Key_Space);
    EXPECT_EQ(store.value(kShellIcons, "11"), "/a.icl,1");

    tabTo(form.WinXp);
    press(Qt::Key_Return);
    EXPECT_EQ(store.value(kShellIcons, "11"), "/opt/shellstyle/voveredav.icl,37");
    tabTo(form.restore);
    press(Qt::Key_Space);
    EXPECT_EQ(store.value(kShellIcons, "11"), "");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(KeyboardTest, TheAuthorWindowStaysInFrontWithoutPollingAndClosesOnReturnOrEscape) {
    ui::xpfg form(seams);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        tabTo(form.About);
        press(Qt::Key_Return);
        QPointer<ui::frmmsg> msg = form.messageWindow();
        ASSERT_TRUE(msg);
        ASSERT_TRUE(QTest::qWaitForWindowActive(msg));
        // Owned by the main window and modal to it: nothing to poll.
        EXPECT_EQ(msg->windowHandle()->transientParent(), form.windowHandle());
        EXPECT_EQ(msg->windowModality(), Qt::WindowModal);
        EXPECT_TRUE(msg->findChildren<QTimer*>().isEmpty());
        EXPECT_EQ(QApplication::activeModalWidget(), msg.data());
        press(key);
        QTRY_VERIFY(!msg);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    EXPECT_EQ(boxes.beeps, 2);
}

}  // namespace
}  // namespace shellstyle
