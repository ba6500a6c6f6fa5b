// The time label: ticking, reading seconds back by position, speed and the schedule.
#include "typedrill/core/time_label.h"

#include <gtest/gtest.h>

#include "typedrill/core/speed.h"
#include "typedrill/core/tick_schedule.h"

namespace typedrill {
namespace {

TEST(TimeLabel, ElapsedSecondsReadByCharacterPosition) {
    EXPECT_EQ(elapsedSeconds(QStringLiteral("0:00:07")), 7.0);
    EXPECT_EQ(elapsedSeconds(QStringLiteral("0:01:05")), 65.0);
    EXPECT_EQ(elapsedSeconds(QStringLiteral("1:00:05")), 5.0);     // the hour is not read
    EXPECT_EQ(elapsedSeconds(QStringLiteral("10:01:05")), 0.0);    // ":0" and ":0"
    EXPECT_EQ(elapsedSeconds(QStringLiteral("00:00:01")), 0.0);    // the first second
    EXPECT_EQ(elapsedSeconds(QStringLiteral("00:00:00")), 0.0);
    EXPECT_EQ(elapsedSeconds(QString()), 0.0);
    EXPECT_EQ(elapsedSeconds(QStringLiteral("0:0")), 0.0);
}

TEST(TimeLabel, LeadingNumberTakesTheLongestNumericStart) {
    EXPECT_EQ(leadingNumber(u" 12x"), 12.0);
    EXPECT_EQ(leadingNumber(u"-3"), -3.0);
    EXPECT_EQ(leadingNumber(u"1.5:"), 1.5);
    EXPECT_EQ(leadingNumber(u":5"), 0.0);
    EXPECT_EQ(leadingNumber(u"+"), 0.0);
}

TEST(TimeLabel, NextTickStartsFixedThenCountsAndWrapsAtMidnight) {
    NextTick next;
    next.reset();
    EXPECT_EQ(next.text(), QStringLiteral("00:00:01"));
    next.advance();
    EXPECT_EQ(next.text(), QStringLiteral("0:00:02"));
    for (int i = 0; i < 3598; ++i) next.advance();
    EXPECT_EQ(next.text(), QStringLiteral("1:00:00"));
    for (int i = 0; i < 23 * 3600 - 1; ++i) next.advance();
    EXPECT_EQ(next.text(), QStringLiteral("23:59:59"));
    next.advance();
    EXPECT_EQ(next.text(), QStringLiteral("0:00:00"));

    EXPECT_EQ(parseTimeLabel(QStringLiteral("0:01:05")), QTime(0, 1, 5));
    EXPECT_EQ(parseTimeLabel(QStringLiteral("00:00:01")), QTime(0, 0, 1));
    EXPECT_EQ(parseTimeLabel(QString()), QTime(0, 0, 0));
    EXPECT_EQ(parseTimeLabel(QStringLiteral("25:00:00")), QTime(0, 0, 0));
}

TEST(Speed, RoundsDownAndStaysInRange) {
    EXPECT_EQ(speedPerMinute(10, 7), 85);
    EXPECT_EQ(speedPerMinute(90, 60), 90);
    EXPECT_EQ(speedPerMinute(1, 3), 20);
    EXPECT_EQ(speedPerMinute(1000, 1), 32767);
    EXPECT_EQ(speedPerMinute(32767, 0.5), 32767);
}

TEST(TickSchedule, CountsWholeSecondsFromTheStartAndCatchesUp) {
    TickSchedule s;
    EXPECT_EQ(s.takeDue(5000), 0);  // not running
    s.start(1000);
    EXPECT_EQ(s.msUntilNext(1000), 1000);
    EXPECT_EQ(s.takeDue(1999), 0);
    EXPECT_EQ(s.takeDue(2000), 1);
    EXPECT_EQ(s.takeDue(2500), 0);
    EXPECT_EQ(s.msUntilNext(2500), 500);
    EXPECT_EQ(s.takeDue(5100), 3);  // a late timer event delivers the missed seconds
    EXPECT_EQ(s.msUntilNext(5100), 900);
    s.stop();
    EXPECT_EQ(s.takeDue(9000), 0);
}

}  // namespace
}  // namespace typedrill
