#include "platform/drive_c.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(drive_c, paths_on_c_map_inside_the_folder) {
    auto root = driveCDir();
    EXPECT_EQ(mapDriveCPath("c:\\date.txt"), root / "date.txt");
    EXPECT_EQ(mapDriveCPath("C:\\sub\\x.txt"), root / "sub" / "x.txt");
    EXPECT_EQ(mapDriveCPath("c:/a/./b/../t.txt"), root / "a" / "t.txt");
    EXPECT_EQ(mapDriveCPath("c:"), root);
}

TEST(drive_c, paths_elsewhere_or_escaping_are_refused) {
    EXPECT_FALSE(mapDriveCPath("d:\\date.txt"));
    EXPECT_FALSE(mapDriveCPath("date.txt"));
    EXPECT_FALSE(mapDriveCPath("c:\\..\\etc\\passwd"));
    EXPECT_FALSE(mapDriveCPath("c:\\a\\..\\..\\x"));
    EXPECT_FALSE(mapDriveCPath(std::string_view("c:\\a\0b", 6)));
}
