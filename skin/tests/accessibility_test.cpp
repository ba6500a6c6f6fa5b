// What assistive technology is told about each kit control.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>

#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

namespace skin {
namespace {

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
    EXPECT_EQ(f->role(), QAccessible::TitleBar);
    EXPECT_EQ(f->text(QAccessible::Name), QString::fromUtf8("外观风格"));
}

}  // namespace
}  // namespace skin
