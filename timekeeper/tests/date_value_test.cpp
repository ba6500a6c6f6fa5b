// Typed alarm dates and times, and which of them are a day.
#include "timekeeper/core/date_value.h"

#include <gtest/gtest.h>

using timekeeper::DateValue;
using timekeeper::parseDateValue;

TEST(date_value, days_times_and_both) {
    EXPECT_EQ(parseDateValue("2003-6-15"), (DateValue{QDate(2003, 6, 15), QTime(0, 0, 0)}));
    EXPECT_EQ(parseDateValue("07:30:00"), (DateValue{std::nullopt, QTime(7, 30, 0)}));
    EXPECT_EQ(parseDateValue(" 2003/6/15\t 7:30:05 "), (DateValue{QDate(2003, 6, 15), QTime(7, 30, 5)}));
}

TEST(date_value, full_width_and_chinese_forms) {
    EXPECT_EQ(parseDateValue("２００３－６－１５"), parseDateValue("2003-6-15"));
    EXPECT_EQ(parseDateValue("2003年6月15日"), parseDateValue("2003-6-15"));
    EXPECT_EQ(parseDateValue("２００３年０６月１５日"), parseDateValue("2003-6-15"));
    EXPECT_EQ(parseDateValue("０７：３０：００"), (DateValue{std::nullopt, QTime(7, 30, 0)}));
    EXPECT_EQ(parseDateValue("2003年6月15日\u30007:30:05"), (DateValue{QDate(2003, 6, 15), QTime(7, 30, 5)}));
    for (const char* bad : {"2003年6月15", "2003年13月1日", "年月日", "24:00:00", "２４：００：００"})
        EXPECT_FALSE(parseDateValue(QString::fromUtf8(bad))) << bad;
}

TEST(date_value, only_a_day_without_time_of_day_is_that_day) {
    const QDate day(2003, 6, 15);
    EXPECT_TRUE(parseDateValue("2003-6-15")->isDay(day));
    EXPECT_TRUE(parseDateValue("2003-6-15 0:00:00")->isDay(day));
    EXPECT_FALSE(parseDateValue("2003-6-15 7:30:00")->isDay(day));
    EXPECT_FALSE(parseDateValue("2003-6-16")->isDay(day));
    // A time alone stands for no day at all.
    EXPECT_FALSE(parseDateValue("0:00:00")->isDay(day));
}

TEST(date_value, other_text_is_refused) {
    for (const char* bad : {"", "   ", "年-月-日", "2003-6-15 7:30:00 x", "7:30:00 2003-6-15",
                            "2003-6-15 2003-6-16", "tomorrow", "2003-6-15\n7:30"})
        EXPECT_FALSE(parseDateValue(QString::fromUtf8(bad))) << bad;
}
