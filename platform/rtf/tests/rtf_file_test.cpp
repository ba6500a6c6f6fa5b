// RTF files on disk: round trip, replacement, unreadable files.
#include "platform/rtf/rtf_file.h"

#include <QTemporaryDir>

#include <fstream>

#include <gtest/gtest.h>

using namespace platform::rtf;

TEST(rtf_file, saved_text_loads_back_and_replaces_the_old_file) {
    QTemporaryDir dir;
    std::filesystem::path path = dir.filePath("date.txt").toStdString();
    ASSERT_TRUE(saveRtfFile(path, "2003-6-15"));
    EXPECT_EQ(loadRtfFile(path), "2003-6-15");
    ASSERT_TRUE(saveRtfFile(path, "二〇〇三"));
    EXPECT_EQ(loadRtfFile(path), "二〇〇三");
}

TEST(rtf_file, missing_foreign_and_unwritable_files_fail) {
    QTemporaryDir dir;
    std::filesystem::path base = dir.path().toStdString();
    EXPECT_FALSE(loadRtfFile(base / "none.txt"));
    EXPECT_FALSE(loadRtfFile(base));
    std::ofstream(base / "plain.txt") << "2003-6-15";
    EXPECT_FALSE(loadRtfFile(base / "plain.txt"));
    EXPECT_FALSE(saveRtfFile(base / "no" / "such" / "folder.txt", "x"));
    EXPECT_FALSE(saveRtfFile(base, "x"));
}
