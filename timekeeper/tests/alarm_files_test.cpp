// The stored alarm files on the mapped drive C:.
#include "timekeeper/core/alarm_files.h"

#include <fstream>

#include <QtGlobal>

#include <gtest/gtest.h>

#include "platform/drive_c.h"

using namespace timekeeper;

class AlarmFiles : public ::testing::Test {
protected:
    // Each test starts with an empty drive C:, which only the test sandbox may clear.
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("SUITE_TEST_DATA")) GTEST_SKIP() << "run through ctest";
        std::filesystem::remove_all(platform::driveCDir());
    }
};

TEST_F(AlarmFiles, typed_text_is_stored_as_rich_text_and_read_back) {
    ASSERT_TRUE(saveAlarmText(kDateFile, QStringLiteral("2003-6-15")));
    ASSERT_TRUE(saveAlarmText(kTimeFile, QStringLiteral("07:30:00")));
    EXPECT_EQ(loadAlarmText(kDateFile), QStringLiteral("2003-6-15"));
    EXPECT_EQ(loadAlarmText(kTimeFile), QStringLiteral("07:30:00"));

    std::ifstream raw(platform::driveCDir() / "date.txt", std::ios::binary);
    std::string head(15, '\0');
    raw.read(head.data(), 15);
    EXPECT_EQ(head, "{\\rtf1\\ansi\\ans");
}

TEST_F(AlarmFiles, missing_foreign_and_blocked_files) {
    EXPECT_FALSE(loadAlarmText(kDateFile));
    std::filesystem::create_directories(platform::driveCDir());
    std::ofstream(platform::driveCDir() / "time.txt") << "07:30:00";
    EXPECT_FALSE(loadAlarmText(kTimeFile));
    // A folder where the file should be cannot be replaced.
    std::filesystem::create_directories(platform::driveCDir() / "date.txt");
    EXPECT_FALSE(saveAlarmText(kDateFile, QStringLiteral("2003-6-15")));
}
