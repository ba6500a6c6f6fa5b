// A fixed window's maximised state is undone; a window that may grow keeps it.
#include "platform/ui/fixed_window.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

TEST(fixed_window, a_fixed_window_is_not_left_maximised_and_a_growing_one_is) {
    QWidget fixed, growing;
    fixed.setFixedSize(200, 100);
    growing.resize(200, 100);
    for (QWidget* w : {&fixed, &growing}) {
        platform::ui::refuseMaximise(w);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        w->setWindowState(Qt::WindowMaximized);
    }
    QTRY_VERIFY(!(fixed.windowState() & Qt::WindowMaximized));
    EXPECT_EQ(fixed.size(), QSize(200, 100));
    EXPECT_TRUE(growing.windowState() & Qt::WindowMaximized);
    fixed.setWindowState(Qt::WindowFullScreen);
    QTRY_VERIFY(!(fixed.windowState() & Qt::WindowFullScreen));
}
