// The splash: busy pointer from load to unload, held at least 3 seconds.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/testing/fake_clock.h"
#include "platform/testing/fake_dialogs.h"
#include "shellstyle/ui/frm_splash.h"

namespace shellstyle {
namespace {

TEST(FrmSplash, UnloadWaitsOutThreeSecondsThenRestoresThePointer) {
    platform::testing::FakeClock clock(QDateTime(QDate(2003, 1, 1), QTime(23, 59, 59)));
    platform::testing::FakeMessageBoxes boxes;
    int idles = 0;
    {
        ui::frmSplash splash(clock, boxes, [&] {
            ++idles;
            clock.advanceMs(250);
        });
        EXPECT_TRUE(boxes.shown.empty()) << "the splash picture is built in";
        EXPECT_TRUE(splash.busyPointerShown());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_EQ(splash.size(), QSize(329, 213));
        splash.show();
        clock.advanceMs(1000);
        splash.close();
        EXPECT_EQ(idles, 9);  // 1 s gone, 2.25 s more: past 3.0 s
        EXPECT_FALSE(splash.busyPointerShown());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);

        // Long past the guard: closing again does not wait.
        splash.show();
        splash.close();
        EXPECT_EQ(idles, 9);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace shellstyle
