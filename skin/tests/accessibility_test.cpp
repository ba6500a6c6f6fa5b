// What assistive technology is told about each kit control.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QSignalSpy>
#include <vector>

#include "skin/skin_accessible.h"
#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

namespace skin {
namespace {

// State changes told to assistive technology while a test runs.
std::vector<std::pair<QObject*, QAccessible::State>> announced;
void record(QAccessibleEvent* event) {
    if (event->type() == QAccessible::StateChanged)
        announced.emplace_back(event->object(), static_cast<QAccessibleStateChangeEvent*>(event)->changedStates());
}

TEST(accessibility_test, controls_report_their_role_name_and_state) {
    QWidget host;
    auto* button = new xpcmdbutton(&host);
    button->setCaption(QString::fromUtf8("打开图标文件(&O)"));
    button->setState(1);
    QAccessibleInterface* b = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->role(), QAccessible::Button);
    EXPECT_EQ(b->text(QAccessible::Name), QString::fromUtf8("打开图标文件(O)"));
    EXPECT_TRUE(b->state().defaultButton);

    auto* box = new xpcheckbox(&host);
    box->setCaption(QString::fromUtf8("我的电脑"));
    QAccessibleInterface* c = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->role(), QAccessible::CheckBox);
    EXPECT_EQ(c->text(QAccessible::Name), QString::fromUtf8("我的电脑"));
    EXPECT_FALSE(c->state().checked);
    box->setValue(1);
    EXPECT_TRUE(c->state().checked);
    box->setValue(2);
    EXPECT_FALSE(c->state().checked);
    EXPECT_TRUE(c->state().checkStateMixed);

    auto* top = new xptopbuttons(&host);
    QAccessibleInterface* t = QAccessible::queryAccessibleInterface(top);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->role(), QAccessible::Button);
    EXPECT_EQ(t->text(QAccessible::Name), QString::fromUtf8("关闭"));
    top->setValue(3);
    EXPECT_EQ(t->text(QAccessible::Name), QString::fromUtf8("还原"));

    auto* frame = new xp_canvas(&host);
    frame->setCaption(QString::fromUtf8("外观风格"));
    QAccessibleInterface* f = QAccessible::queryAccessibleInterface(frame);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->role(), QAccessible::Pane);
    EXPECT_EQ(f->text(QAccessible::Name), QString::fromUtf8("外观风格"));
}

TEST(accessibility_test, frame_shows_only_the_hosted_controls_as_children) {
    xp_canvas frame;
    auto* button = new xpcmdbutton(&frame);
    auto* box = new xpcheckbox(&frame);
    QAccessibleInterface* f = QAccessible::queryAccessibleInterface(&frame);
    ASSERT_EQ(f->childCount(), 2);  // no bars, grips or caption labels
    EXPECT_EQ(f->child(0)->object(), button);
    EXPECT_EQ(f->child(1)->object(), box);
    EXPECT_EQ(f->indexOfChild(QAccessible::queryAccessibleInterface(box)), 1);
    EXPECT_EQ(f->indexOfChild(QAccessible::queryAccessibleInterface(frame.pictop())), -1);
    // A caption is read once, as the control's name, not again as a label inside it.
    EXPECT_EQ(f->child(0)->childCount(), 0);
    EXPECT_EQ(f->child(1)->childCount(), 0);
}

TEST(accessibility_test, each_control_acts_through_its_accessible_action) {
    QWidget host;
    auto* button = new xpcmdbutton(&host);
    auto* box = new xpcheckbox(&host);
    auto* top = new xptopbuttons(&host);
    QSignalSpy buttonClicks(button, &xpcmdbutton::Click);
    QSignalSpy topClicks(top, &xptopbuttons::Click);
    QList<int> valueAtClick;
    QObject::connect(box, &xpcheckbox::Click, [&] { valueAtClick << box->Value(); });
    announced.clear();
    setAnnouncementListener(&record);

    auto* b = QAccessible::queryAccessibleInterface(button)->actionInterface();
    auto* c = QAccessible::queryAccessibleInterface(box)->actionInterface();
    auto* t = QAccessible::queryAccessibleInterface(top)->actionInterface();
    ASSERT_TRUE(b && c && t);
    b->doAction(QAccessibleActionInterface::pressAction());
    t->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(buttonClicks.count(), 1);
    EXPECT_EQ(topClicks.count(), 1);

    // Toggle is a click: Click sees the old value, then the box cycles and says so.
    ASSERT_EQ(c->actionNames(), QStringList{QAccessibleActionInterface::toggleAction()});
    c->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(box->Value(), 1);
    EXPECT_EQ(box->shownCell(), 4);
    box->setValue(2);
    c->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(box->Value(), 0);
    EXPECT_EQ(valueAtClick, QList<int>({0, 2}));
    ASSERT_EQ(announced.size(), 3u);  // ticked, grey, unticked
    EXPECT_EQ(announced[0].first, box);
    EXPECT_TRUE(announced[0].second.checked);

    // A disabled control does nothing, and a value set to itself is not announced.
    for (QWidget* w : {static_cast<QWidget*>(button), static_cast<QWidget*>(box), static_cast<QWidget*>(top)})
        w->setEnabled(false);
    b->doAction(QAccessibleActionInterface::pressAction());
    c->doAction(QAccessibleActionInterface::toggleAction());
    t->doAction(QAccessibleActionInterface::pressAction());
    box->setValue(0);
    setAnnouncementListener(nullptr);
    EXPECT_EQ(buttonClicks.count(), 1);
    EXPECT_EQ(topClicks.count(), 1);
    EXPECT_EQ(box->Value(), 0);
    EXPECT_EQ(announced.size(), 3u);
}

}  // namespace
}  // namespace skin
