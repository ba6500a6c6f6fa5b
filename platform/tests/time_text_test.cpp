#include "platform/time_text.h"

#include <gtest/gtest.h>

TEST(time_text, chinese_layouts_without_padding_of_hour_month_day) {
    EXPECT_EQ(platform::timeOfDayText(QTime(9, 5, 7)), "9:05:07");
    EXPECT_EQ(platform::timeOfDayText(QTime(0, 0, 0)), "0:00:00");
    EXPECT_EQ(platform::timeOfDayText(QTime(23, 59, 59)), "23:59:59");
    EXPECT_EQ(platform::dateText(QDate(2003, 6, 5)), "2003-6-5");
    EXPECT_EQ(platform::dateText(QDate()), "");
}
