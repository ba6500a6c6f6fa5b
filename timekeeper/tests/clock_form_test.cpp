// The clock window's handlers against a fake clock and scripted message boxes.
#include "timekeeper/core/clock_form.h"

#include <QtGlobal>

#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/drive_c.h"
#include "platform/testing/fake_clock.h"
#include "platform/testing/fake_dialogs.h"
#include "timekeeper/core/alarm_files.h"

using namespace timekeeper;
using platform::testing::FakeClock;
using platform::testing::FakeMessageBoxes;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

class ClockFormTest : public ::testing::Test {
protected:
    // Each test starts with an empty drive C:, which only the test sandbox may clear.
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("SUITE_TEST_DATA")) GTEST_SKIP() << "run through ctest";
        std::filesystem::remove_all(platform::driveCDir());
    }

    // A form as the program starts it, with what it looked like before each box.
    std::unique_ptr<ClockForm> start() {
        auto f = std::make_unique<ClockForm>(clock, boxes, [this] { presented.push_back(form->state()); });
        form = f.get();
        form->load();
        return f;
    }
    void tickEverySecond(int n) {
        for (int i = 0; i < n; ++i) {
            clock.advanceMs(1000);
            form->tick();
        }
    }
    void setAlarm(const QString& date, const QString& time) {
        form->openAlarmSettings();
        form->setDateBox(date);
        form->setTimeBox(time);
        form->acceptAlarmSettings();
    }
    int alarms() const {
        return static_cast<int>(std::count_if(boxes.shown.begin(), boxes.shown.end(), [](const auto& b) {
            return b.text == kAlarmText && b.caption == kAlarmCaption &&
                   b.icon == platform::MsgIcon::Information;
        }));
    }

    FakeClock clock{at(2003, 6, 15, 7, 29, 50, 400)};
    FakeMessageBoxes boxes;
    ClockForm* form = nullptr;
    std::vector<ClockFormState> presented;
};

}  // namespace

TEST_F(ClockFormTest, first_start_without_files_never_fires) {
    auto f = start();
    EXPECT_EQ(form->state().dateBox, kDateBoxDesign);
    EXPECT_EQ(form->state().timeBox, kTimeBoxDesign);
    EXPECT_FALSE(form->alarm().date);
    EXPECT_EQ(form->alarm().time, QTime(0, 0, 0));
    EXPECT_EQ(form->state().heightTwips(), kCollapsedTwips);
    // Not even at 00:00:00, the design time.
    clock.setNow(at(2003, 6, 15, 23, 59, 50));
    tickEverySecond(20);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ClockFormTest, clock_mode_shows_the_whole_second) {
    auto f = start();
    form->tick();
    EXPECT_EQ(form->state().showTime, "7:29:50");
    clock.setNow(at(2003, 6, 15, 23, 59, 59, 999));
    form->tick();
    EXPECT_EQ(form->state().showTime, "23:59:59");
}

TEST_F(ClockFormTest, alarm_set_hides_the_window_and_fires_once_in_its_second) {
    auto f = start();
    setAlarm("2003-6-15", "07:30:00");
    EXPECT_FALSE(form->state().visible);
    EXPECT_FALSE(form->state().expanded);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(loadAlarmText(kDateFile), "2003-6-15");
    EXPECT_EQ(loadAlarmText(kTimeFile), "07:30:00");

    tickEverySecond(9);  // 7:29:59.4
    EXPECT_EQ(alarms(), 0);
    tickEverySecond(1);  // 7:30:00.4
    ASSERT_EQ(alarms(), 1);
    // The window was back on screen before the message came.
    ASSERT_FALSE(presented.empty());
    EXPECT_TRUE(presented.back().visible);
    EXPECT_TRUE(form->state().visible);
    tickEverySecond(10);
    EXPECT_EQ(alarms(), 1);
    clock.setNow(at(2003, 6, 16, 7, 29, 59));  // the same second of the next day is another day
    tickEverySecond(2);
    EXPECT_EQ(alarms(), 1);
}

TEST_F(ClockFormTest, stored_alarm_survives_a_restart) {
    {
        auto f = start();
        setAlarm("2003/06/15", "7:30:00");
    }
    auto f = start();
    EXPECT_EQ(form->state().dateBox, "2003/06/15");
    EXPECT_EQ(form->state().timeBox, "7:30:00");
    tickEverySecond(10);
    EXPECT_EQ(alarms(), 1);
}

TEST_F(ClockFormTest, date_file_without_time_file_fires_at_midnight_of_that_day) {
    ASSERT_TRUE(saveAlarmText(kDateFile, "2003-6-16"));
    clock.setNow(at(2003, 6, 15, 23, 59, 58, 500));
    auto f = start();
    EXPECT_EQ(form->state().timeBox, kTimeBoxDesign);
    tickEverySecond(1);
    EXPECT_EQ(alarms(), 0);
    tickEverySecond(1);  // 0:00:00.5
    EXPECT_EQ(alarms(), 1);
    tickEverySecond(60);
    EXPECT_EQ(alarms(), 1);
}

TEST_F(ClockFormTest, alarm_off_stores_nothing_and_blocks_until_unticked) {
    ASSERT_TRUE(saveAlarmText(kDateFile, "2003-6-15"));
    ASSERT_TRUE(saveAlarmText(kTimeFile, "07:30:00"));
    auto f = start();
    form->setAlarmOff(true);
    setAlarm("2003-6-20", "08:00:00");
    EXPECT_FALSE(form->state().expanded);
    EXPECT_TRUE(form->state().visible);
    EXPECT_EQ(loadAlarmText(kDateFile), "2003-6-15");
    tickEverySecond(10);  // 7:30:00.4 passes unnoticed
    EXPECT_EQ(alarms(), 0);

    clock.setNow(at(2003, 6, 15, 7, 29, 59));
    form->setAlarmOff(false);
    tickEverySecond(1);
    EXPECT_EQ(alarms(), 1);
}

TEST_F(ClockFormTest, settings_that_could_never_fire_are_refused_and_say_why) {
    auto f = start();
    for (auto [date, time, why] : {
             std::tuple{"", "07:30:00", kIncomplete},
             {"2003-6-15", "", kIncomplete},
             {"年-月-日", "00:00:00", kNotADate},
             {"2003-2-30", "07:30:00", kNotADate},
             {"07:30:00", "07:30:00", kTimeInDateBox},
             {"2003-6-15 07:30:00", "07:30:00", kDateWithTimeOfDay},
             {"2003-6-15", "7点半", kNotATime},
             {"2003-6-15", "24:00:00", kNotATime},
             {"2003-6-16", "2003-6-16", kDateInTimeBox},
             {"2003-6-15", "2003-6-15 07:30:00", kDateInTimeBox},
             {"2003-6-14", "07:30:00", kAlarmInThePast},
             {"2003-6-15", "07:29:50", kAlarmInThePast},
         }) {
        boxes.shown.clear();
        setAlarm(QString::fromUtf8(date), QString::fromUtf8(time));
        ASSERT_EQ(boxes.shown.size(), 1u) << date << " " << time;
        EXPECT_EQ(boxes.shown[0].text, why) << date << " " << time;
        EXPECT_EQ(boxes.shown[0].caption, kTitle);
        EXPECT_TRUE(form->state().expanded);
        EXPECT_TRUE(form->state().visible);
        EXPECT_FALSE(form->alarm().date);
    }
    EXPECT_FALSE(std::filesystem::exists(platform::driveCDir() / "date.txt"));
    EXPECT_FALSE(std::filesystem::exists(platform::driveCDir() / "time.txt"));
    // One second ahead is still ahead.
    setAlarm("2003-6-15", "07:29:51");
    EXPECT_FALSE(form->state().visible);
}

TEST_F(ClockFormTest, stored_alarms_that_cannot_fire_load_but_stay_silent) {
    // Files written by hand or by an older copy: loaded as they are, never firing.
    for (const char* date : {"2003-6-15 07:30:00", "2003-6-14"}) {
        ASSERT_TRUE(saveAlarmText(kDateFile, QString::fromUtf8(date)));
        ASSERT_TRUE(saveAlarmText(kTimeFile, "07:30:00"));
        clock.setNow(at(2003, 6, 15, 7, 29, 50, 400));
        auto f = start();
        EXPECT_EQ(form->state().dateBox, date);
        tickEverySecond(20);
        EXPECT_EQ(alarms(), 0) << date;
    }
}

TEST_F(ClockFormTest, alarm_slept_through_fires_once_on_waking) {
    auto f = start();
    setAlarm("2003-6-15", "07:30:00");
    tickEverySecond(5);       // 7:29:55.4
    clock.advanceMs(20'000);  // stopped across the alarm's second
    form->tick();
    ASSERT_EQ(alarms(), 1);
    EXPECT_TRUE(presented.back().visible);
    tickEverySecond(5);
    EXPECT_EQ(alarms(), 1);
    // A clock set back over the alarm's second does not bring it round again.
    clock.setNow(at(2003, 6, 15, 7, 29, 58, 400));
    tickEverySecond(5);
    EXPECT_EQ(alarms(), 1);
}

TEST_F(ClockFormTest, clock_set_back_still_fires_and_a_skipped_alarm_day_never) {
    {
        // Set back before the alarm came: it still comes, in its own second.
        auto f = start();
        setAlarm("2003-6-15", "07:30:00");
        form->tick();
        clock.setNow(at(2003, 6, 15, 7, 0, 0, 400));
        form->tick();
        tickEverySecond(30 * 60 - 1);
        EXPECT_EQ(alarms(), 0);
        tickEverySecond(1);
        EXPECT_EQ(alarms(), 1);
        EXPECT_EQ(form->state().showTime, "7:30:00");
    }
    {
        // Asleep from the evening before the alarm day to the day after: no reminder.
        boxes.shown.clear();
        clock.setNow(at(2003, 6, 14, 23, 0, 0, 400));
        auto f = start();
        form->tick();
        clock.setNow(at(2003, 6, 16, 8, 0, 0, 400));
        form->tick();
        EXPECT_EQ(alarms(), 0);
    }
}

TEST_F(ClockFormTest, ticks_during_the_reminder_do_not_repeat_it) {
    // The message waits for the user while the timer goes on ticking.
    struct TickingBoxes final : platform::MessageBoxes {
        std::function<void()> during;
        int shown = 0;
        platform::MsgAnswer show(const QString&, const QString&, platform::MsgButtons,
                                 platform::MsgIcon) override {
            if (++shown == 1 && during) during();
            return platform::MsgAnswer::Ok;
        }
        void beep() override {}
    } ticking;
    ASSERT_TRUE(saveAlarmText(kDateFile, "2003-6-15"));
    ASSERT_TRUE(saveAlarmText(kTimeFile, "07:30:00"));
    ClockForm f(clock, ticking);
    f.load();
    ticking.during = [&] {
        for (int i = 0; i < 5; ++i) {
            clock.advanceMs(1000);
            f.tick();
        }
    };
    f.tick();
    clock.advanceMs(30'000);
    f.tick();
    EXPECT_EQ(ticking.shown, 1);
}

TEST_F(ClockFormTest, failed_write_is_reported_and_the_settings_stay_open) {
    std::filesystem::create_directories(platform::driveCDir() / "date.txt");
    auto f = start();
    setAlarm("2003-6-15", "07:30:00");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, kTitle + " Error");
    EXPECT_EQ(boxes.shown[0].icon, platform::MsgIcon::Critical);
    EXPECT_TRUE(form->state().visible);
    EXPECT_TRUE(form->state().expanded);
    EXPECT_FALSE(std::filesystem::exists(platform::driveCDir() / "time.txt"));
}

TEST_F(ClockFormTest, stopwatch_display_lags_the_count_and_resumes_after_stop) {
    auto f = start();
    form->switchMode();
    EXPECT_EQ(form->state().timeCaption, kOffersClock);
    EXPECT_TRUE(form->state().startEnabled);
    EXPECT_EQ(form->state().showTime, "00:00:00");
    tickEverySecond(3);  // standing: the display keeps still
    EXPECT_EQ(form->state().showTime, "00:00:00");

    form->startStop();
    EXPECT_EQ(form->state().startCaption, kStop);
    EXPECT_FALSE(form->state().resetEnabled);
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        tickEverySecond(1);
        shown << form->state().showTime;
    }
    EXPECT_EQ(shown, (QStringList{"00:00:00", "0:00:01", "0:00:02"}));

    form->startStop();
    EXPECT_EQ(form->state().startCaption, kStart);
    EXPECT_TRUE(form->state().resetEnabled);
    tickEverySecond(5);
    EXPECT_EQ(form->state().showTime, "0:00:02");
    form->startStop();
    tickEverySecond(1);
    EXPECT_EQ(form->state().showTime, "0:00:03");

    form->startStop();
    form->reset();
    EXPECT_EQ(form->state().showTime, "00:00:00");
    form->startStop();
    tickEverySecond(2);
    EXPECT_EQ(form->state().showTime, "0:00:01");
}

TEST_F(ClockFormTest, leaving_a_running_stopwatch_restarts_it_on_return) {
    auto f = start();
    form->switchMode();
    form->startStop();
    tickEverySecond(5);
    form->switchMode();
    EXPECT_EQ(form->state().timeCaption, kOffersStopwatch);
    EXPECT_EQ(form->state().startCaption, kStop);
    EXPECT_FALSE(form->state().startEnabled);
    EXPECT_FALSE(form->state().resetEnabled);
    tickEverySecond(1);
    EXPECT_EQ(form->state().showTime, "7:29:56");

    form->switchMode();
    EXPECT_FALSE(form->state().resetEnabled);
    tickEverySecond(1);
    EXPECT_EQ(form->state().showTime, "00:00:00");
    tickEverySecond(1);
    EXPECT_EQ(form->state().showTime, "0:00:01");
}

TEST_F(ClockFormTest, stopwatch_goes_on_from_zero_after_a_day) {
    auto f = start();
    form->switchMode();
    form->startStop();
    tickEverySecond(86400);
    EXPECT_EQ(form->state().showTime, "23:59:59");
    tickEverySecond(1);
    EXPECT_EQ(form->state().showTime, "0:00:00");
    tickEverySecond(1);
    EXPECT_EQ(form->state().showTime, "0:00:01");
}

TEST_F(ClockFormTest, date_shows_only_on_request_and_not_before_the_first_tick) {
    auto f = start();
    form->showDate();
    EXPECT_EQ(form->state().showDate, "");
    form->tick();
    form->showDate();
    EXPECT_EQ(form->state().showDate, "2003-6-15");
    clock.setNow(at(2003, 6, 16, 0, 0, 1));
    form->tick();
    EXPECT_EQ(form->state().showDate, "2003-6-15");
}

TEST(tick_timing, each_tick_lands_just_after_the_next_second_begins) {
    auto delay = [](int ms) { return msToNextTick(QDateTime(QDate(2003, 6, 15), QTime(23, 59, 59, ms))); };
    EXPECT_EQ(delay(kTickPhaseMs), 1000);
    EXPECT_EQ(delay(kTickPhaseMs - 1), 1001);  // an early tick does not come twice in a second
    EXPECT_EQ(delay(0), 1000 + kTickPhaseMs);
    EXPECT_EQ(delay(999), 1 + kTickPhaseMs);
}
