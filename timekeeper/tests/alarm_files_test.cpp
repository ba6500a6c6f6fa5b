// The stored alarm files on the mapped drive C:.
#include "timekeeper/core/alarm_files.h"

#include <fstream>

#include <QtGlobal>

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST_F(AlarmFiles, missing_hand_made_and_blocked_files) {
    EXPECT_FALSE(loadAlarmText(kDateFile));
    std::filesystem::create_directories(platform::driveCDir());
    // What a user gets by editing the file in a text editor.
    std::ofstream(platform::driveCDir() / "time.txt") << "07:30:00\n";
    EXPECT_EQ(loadAlarmText(kTimeFile), QStringLiteral("07:30:00"));
    // A folder where the file should be cannot be replaced.
    std::filesystem::create_directories(platform::driveCDir() / "date.txt");
    EXPECT_FALSE(saveAlarmText(kDateFile, QStringLiteral("2003-6-15")));
}

TEST_F(AlarmFiles, planted_links_fifos_and_huge_files_do_no_harm) {
    const auto dir = platform::driveCDir();
    std::filesystem::create_directories(dir);
    const auto thesis = dir.parent_path() / "thesis.txt";
    std::ofstream(thesis) << "my thesis";
    std::filesystem::create_symlink(thesis, dir / "date.txt");
    ASSERT_EQ(::mkfifo((dir / "time.txt").c_str(), 0600), 0);

    // Neither is read (the FIFO would block an ordinary open for good)...
    EXPECT_FALSE(loadAlarmText(kDateFile));
    EXPECT_FALSE(loadAlarmText(kTimeFile));
    // ...and saving replaces the link, never what it points at.
    ASSERT_TRUE(saveAlarmText(kDateFile, QStringLiteral("2026-12-24")));
    std::ifstream in(thesis);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "my thesis");
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "date.txt"));
    EXPECT_EQ(loadAlarmText(kDateFile), QStringLiteral("2026-12-24"));

    std::filesystem::remove(dir / "time.txt");
    std::ofstream(dir / "time.txt") << "07:30:00" << std::string(kMaxAlarmFileBytes, ' ');
    EXPECT_FALSE(loadAlarmText(kTimeFile));
}
