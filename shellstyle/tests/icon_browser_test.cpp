// Opening icon files and moving the scroll bar.
#include <gtest/gtest.h>

#include "shellstyle/core/icon_browser.h"

namespace shellstyle {
namespace {

TEST(IconBrowser, ScrollBarFollowsTheIconCount) {
    IconBrowser b;
    EXPECT_FALSE(b.moved(3)) << "nothing to draw before a file is open";

    b.opened("/two.icl", 2);
    EXPECT_TRUE(b.scrollEnabled());
    EXPECT_EQ(b.scrollMax(), 1);
    EXPECT_EQ(b.countText(), "2");
    EXPECT_EQ(b.indexText(), "0");

    b.opened("/one.ico", 1);
    EXPECT_FALSE(b.scrollEnabled());
    EXPECT_EQ(b.scrollMax(), 0);
    EXPECT_TRUE(b.moved(0));

    b.opened("/none.txt", 0);
    EXPECT_FALSE(b.scrollEnabled());
    EXPECT_EQ(b.countText(), "0");
    EXPECT_FALSE(b.moved(0));
    EXPECT_EQ(b.iconFile(), "/none.txt") << "a file without icons still counts as chosen";
}

TEST(IconBrowser, MovingPicksTheIconAndReopeningStartsAtZero) {
    IconBrowser b;
    b.opened("/lib.icl", 40);
    EXPECT_TRUE(b.moved(37));
    EXPECT_EQ(b.iconIndex(), 37);
    EXPECT_EQ(b.indexText(), "37");
    EXPECT_TRUE(b.moved(99));
    EXPECT_EQ(b.iconIndex(), 39);

    b.opened("/other.dll", 5);
    EXPECT_EQ(b.iconIndex(), 0);

    // A cancelled dialog forgets the file, whatever count comes with it.
    b.opened("", 7);
    EXPECT_TRUE(b.iconFile().isEmpty());
    EXPECT_EQ(b.iconCount(), 0);
    EXPECT_FALSE(b.scrollEnabled());
}

}  // namespace
}  // namespace shellstyle
