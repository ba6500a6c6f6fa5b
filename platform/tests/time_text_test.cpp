#include "platform/time_text.h"

#include <gtest/gtest.h>

TEST(time_text, chinese_layouts_without_padding_of_hour_month_day) {
    EXPECT_EQ(platform::timeOfDayText(QTime(9, 5, 7)), "9:05:07");
    EXPECT_EQ(platform::timeOfDayText(QTime(0, 0, 0)), "0:00:00");
    EXPECT_EQ(platform::timeOfDayText(QTime(23, 59, 59)), "23:59:59");
    EXPECT_EQ(platform::dateText(QDate(2003, 6, 5)), "2003-6-5");
    EXPECT_EQ(platform::dateText(QDate()), "");
}

TEST(time_text, dates_read_with_dash_or_slash_and_loose_padding) {
    EXPECT_EQ(platform::parseDateText(u"2003-6-15"), QDate(2003, 6, 15));
    EXPECT_EQ(platform::parseDateText(u"2003/06/05"), QDate(2003, 6, 5));
    EXPECT_EQ(platform::parseDateText(u" 2024-2-29\n"), QDate(2024, 2, 29));
    // What is written reads back to the same day.
    EXPECT_EQ(platform::parseDateText(platform::dateText(QDate(1999, 12, 31))), QDate(1999, 12, 31));
}

TEST(time_text, dates_that_are_not_days_are_refused) {
    for (const char16_t* bad : {u"", u"年-月-日", u"2003-6", u"2003-6-15-1", u"2003-13-1",
                                u"2023-2-29", u"2003-0-10", u"03-6-15", u"2003-6/15",
                                u"2003--6-15", u"2003-6-15 7:30:00", u"２００３-6-15", u"2003-006-15"})
        EXPECT_FALSE(platform::parseDateText(bad)) << QString::fromUtf16(bad).toStdString();
}

TEST(time_text, times_read_with_or_without_hour_padding) {
    EXPECT_EQ(platform::parseTimeOfDayText(u"07:30:00"), QTime(7, 30, 0));
    EXPECT_EQ(platform::parseTimeOfDayText(u"7:30:05"), QTime(7, 30, 5));
    EXPECT_EQ(platform::parseTimeOfDayText(u"23:59:59 "), QTime(23, 59, 59));
    EXPECT_EQ(platform::parseTimeOfDayText(u"0:00"), QTime(0, 0, 0));
    EXPECT_EQ(platform::parseTimeOfDayText(platform::timeOfDayText(QTime(9, 5, 7))), QTime(9, 5, 7));
    for (const char16_t* bad : {u"", u"24:00:00", u"7:60:00", u"7:30:60", u"7", u"7:3:00",
                                u"7:30:0", u"007:30:00", u"7:30:00:00", u"a7:30:00", u"-1:30:00",
                                u"7::00"})
        EXPECT_FALSE(platform::parseTimeOfDayText(bad)) << QString::fromUtf16(bad).toStdString();
}
