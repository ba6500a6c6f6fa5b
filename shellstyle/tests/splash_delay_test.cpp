// The start-up waits on a fake clock.
#include <stdexcept>

#include <gtest/gtest.h>

#include "platform/testing/fake_clock.h"
#include "shellstyle/core/splash_delay.h"

namespace shellstyle {
namespace {

using platform::testing::FakeClock;

// Runs SplashDelay with each dispatch moving the clock 100 ms; returns the dispatches.
int dispatchesOfOneDelay(FakeClock& clock) {
    int steps = 0;
    SplashDelay(clock, [&] {
        ++steps;
        clock.advanceMs(100);
        return true;
    });
    return steps;
}

TEST(SplashDelay, EndsJustAfterFourSecondsEvenAcrossMidnight) {
    FakeClock noon;
    const std::int64_t start = noon.monotonicMs();
    const int atNoon = dispatchesOfOneDelay(noon);
    EXPECT_EQ(noon.monotonicMs() - start, 4100) << "more than 4.0 s, by one dispatch";
    EXPECT_EQ(atNoon, 41);

    FakeClock late(QDateTime(QDate(2003, 12, 31), QTime(23, 59, 58)));
    EXPECT_EQ(dispatchesOfOneDelay(late), atNoon);
    EXPECT_EQ(late.now().time(), QTime(0, 0, 2, 100));

    // The wall clock set back by an hour mid-wait changes nothing either.
    FakeClock changed;
    int steps = 0;
    SplashDelay(changed, [&] {
        if (++steps == 5) changed.setNow(changed.now().addSecs(-3600));
        changed.advanceMs(100);
        return true;
    });
    EXPECT_EQ(steps, atNoon);
}

TEST(SplashDelay, FailingDispatchIsIgnoredAndAnEndingProgramStopsTheWait) {
    FakeClock clock;
    int steps = 0;
    SplashDelay(clock, [&]() -> bool {
        ++steps;
        clock.advanceMs(1000);
        if (steps == 2) throw std::runtime_error("window gone");
        return true;
    });
    EXPECT_EQ(steps, 5);

    steps = 0;
    SplashDelay(clock, [&] {
        ++steps;
        clock.advanceMs(10);
        return steps < 3;
    });
    EXPECT_EQ(steps, 3);
}

TEST(SplashGuard, WaitsOnlyForWhatIsLeftOfThreeSeconds) {
    FakeClock clock;
    const std::int64_t loaded = clock.monotonicMs();
    clock.advanceMs(1000);
    int polls = 0;
    waitPast(clock, loaded, kSplashMinimumMs, [&] {
        ++polls;
        clock.advanceMs(500);
        return true;
    });
    EXPECT_EQ(polls, 5);  // 1.0 s gone, then 2.5 s more to pass 3.0 s

    polls = 0;
    waitPast(clock, loaded, kSplashMinimumMs, [&] {
        ++polls;
        return true;
    });
    EXPECT_EQ(polls, 0) << "long past: no wait";
}

}  // namespace
}  // namespace shellstyle
