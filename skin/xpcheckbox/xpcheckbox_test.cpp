// The check box: click cycle, odd values, disabled looks, layout in twips, hover.
#include "skin/xpcheckbox/xpcheckbox.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>

#include "skin/tests/skin_test_support.h"

namespace skin {
namespace {

using testing::mouse;
using testing::SimulatedPointer;

TEST(xpcheckbox_test, click_is_raised_before_the_value_changes) {
    xpcheckbox box;
    box.show();
    box.setValue(1);
    QList<int> seen;
    QObject::connect(&box, &xpcheckbox::Click, [&] { seen << box.Value(); });
    testing::click(&box, {5, 5});
    EXPECT_EQ(seen, QList<int>({1}));
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(box.shownCell(), 0);

    box.setValue(2);  // grey becomes unticked, not ticked
    testing::click(box.p(), {5, 5});
    EXPECT_EQ(box.Value(), 0);
    testing::click(box.lbl(), {1, 1});
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(box.shownCell(), 4);
}

TEST(xpcheckbox_test, values_outside_zero_to_two_are_kept_and_change_nothing) {
    xpcheckbox box;
    box.show();
    box.setValue(1);
    box.setValue(5);
    EXPECT_EQ(box.Value(), 5);
    EXPECT_EQ(box.shownCell(), 4);
    testing::click(&box, {5, 5});
    EXPECT_EQ(box.Value(), 5);
    EXPECT_EQ(box.shownCell(), 4);
    box.setEnabled(false);
    EXPECT_EQ(box.shownCell(), 4);
}

TEST(xpcheckbox_test, disabled_boxes_show_the_grey_cell_and_keep_fore_colour_for_later) {
    xpcheckbox box;
    box.show();
    box.setValue(1);
    box.setEnabled(false);
    EXPECT_EQ(box.shownCell(), 7);
    EXPECT_EQ(box.lbl()->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(161, 161, 146));
    box.setForeColor(oleRgb(200, 0, 0));
    EXPECT_EQ(box.ForeColor(), oleRgb(200, 0, 0));
    mouse(&box, QEvent::MouseMove, {5, 5});  // a disabled box does not light up
    EXPECT_EQ(box.shownCell(), 7);
    box.setEnabled(true);
    EXPECT_EQ(box.shownCell(), 4);
    EXPECT_EQ(box.lbl()->palette().color(QPalette::Active, QPalette::WindowText), QColor(200, 0, 0));
}

TEST(xpcheckbox_test, box_and_caption_are_placed_in_twips) {
    xpcheckbox box;
    box.resize(150, 20);  // 300 twips high
    box.show();
    EXPECT_EQ(box.p()->geometry(), QRect(0, 2, 16, 16));  // top 30 twips
    EXPECT_EQ(box.lbl()->x(), 32);                        // 480 twips
    EXPECT_EQ(box.lbl()->y(), qRound(((300 - box.lbl()->height() * 15) / 2) / 15.0));
    box.resize(150, 10);  // shorter than the box: it moves up, nothing breaks
    EXPECT_EQ(box.p()->y(), -3);
}

TEST(xpcheckbox_test, hover_and_press_looks_and_the_first_poll_raises_mouse_out) {
    SimulatedPointer pointer;
    xpcheckbox box;
    box.resize(150, 20);
    box.show();
    EXPECT_TRUE(box.Timer1().isActive());
    int outs = 0;
    QObject::connect(&box, &xpcheckbox::MouseOut, [&] { ++outs; });
    box.Timer1_Timer();  // the pointer is elsewhere
    EXPECT_EQ(outs, 1);
    EXPECT_FALSE(box.Timer1().isActive());

    box.setValue(2);
    pointer.moveTo(&box, {4, 4});
    mouse(box.p(), QEvent::MouseMove, {2, 2});
    EXPECT_EQ(box.shownCell(), 9);
    mouse(box.p(), QEvent::MouseMove, {2, 2}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(box.shownCell(), 10);
    int cellAtMouseOut = -1;
    QObject::connect(&box, &xpcheckbox::MouseOut, [&] { cellAtMouseOut = box.shownCell(); });
    pointer.moveTo(&box, {151, 4});
    box.Timer1_Timer();
    EXPECT_EQ(outs, 2);
    EXPECT_EQ(cellAtMouseOut, 8);  // redrawn before MouseOut

    // The pressed look stays after the release until the click redraws.
    QSignalSpy ups(&box, &xpcheckbox::MouseUp);
    mouse(&box, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(box.shownCell(), 10);
    mouse(&box, QEvent::MouseButtonRelease, {300, 5}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(box.shownCell(), 10);
    EXPECT_EQ(box.Value(), 2);
}

void key(QWidget* w, QEvent::Type type, int k, const QString& text = QString(), bool repeat = false) {
    QKeyEvent e(type, k, Qt::NoModifier, text, repeat);
    QCoreApplication::sendEvent(w, &e);
}

TEST(xpcheckbox_test, keys_are_passed_on_then_space_and_return_toggle_like_a_click) {
    xpcheckbox box;
    QSignalSpy downs(&box, &xpcheckbox::KeyDown);
    QSignalSpy presses(&box, &xpcheckbox::KeyPress);
    QSignalSpy ups(&box, &xpcheckbox::KeyUp);
    QList<int> valueAtClick;
    QObject::connect(&box, &xpcheckbox::Click, [&] { valueAtClick.append(box.Value()); });
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::ShiftModifier, QStringLiteral(" "));
    QCoreApplication::sendEvent(&box, &space);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(0).toInt(), 32);
    EXPECT_EQ(downs.at(0).at(1).toInt(), 1);
    EXPECT_EQ(presses.count(), 1);
    EXPECT_EQ(box.Value(), 0);  // Shift+Space presses nothing

    // Space: pressed look while down (repeats change nothing), the click on release.
    key(&box, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(box.shownCell(), 2);
    key(&box, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), true);
    EXPECT_TRUE(valueAtClick.isEmpty());
    key(&box, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(ups.count(), 1);
    EXPECT_EQ(valueAtClick, QList<int>{0});
    EXPECT_EQ(box.Value(), 1);
    key(&box, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(valueAtClick, (QList<int>{0, 1}));
    EXPECT_EQ(box.Value(), 0);

    box.setEnabled(false);
    key(&box, QEvent::KeyPress, Qt::Key_Return);
    key(&box, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    key(&box, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(valueAtClick.size(), 2);
    EXPECT_EQ(box.Value(), 0);
}

}  // namespace
}  // namespace skin
