#include "platform/safe_file.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace platform;

namespace {

fs::path freshFolder(const char* name) {
    auto dir = fs::path(std::getenv("SUITE_TEST_DATA") ? std::getenv("SUITE_TEST_DATA")
                                                         : fs::temp_directory_path().c_str()) /
               name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(safe_file, writes_replace_the_name_and_never_follow_a_link) {
    auto dir = freshFolder("safe_write");
    std::ofstream(dir / "thesis.txt") << "my thesis";
    fs::create_symlink(dir / "thesis.txt", dir / "Very.bmp");

    ASSERT_TRUE(writeFileAtomically(dir / "Very.bmp", "BM..."));
    EXPECT_EQ(slurp(dir / "thesis.txt"), "my thesis");
    EXPECT_TRUE(isPlainRegularFile(dir / "Very.bmp"));
    EXPECT_EQ(slurp(dir / "Very.bmp"), "BM...");
    // A scratch copy skips the flushes only: still a whole new file, never through a link.
    fs::remove(dir / "Very.bmp");
    fs::create_symlink(dir / "thesis.txt", dir / "Very.bmp");
    ASSERT_TRUE(writeFileAtomically(dir / "Very.bmp", "BM2", nullptr, Durability::Scratch));
    EXPECT_EQ(slurp(dir / "thesis.txt"), "my thesis");
    EXPECT_TRUE(isPlainRegularFile(dir / "Very.bmp"));
    EXPECT_EQ(slurp(dir / "Very.bmp"), "BM2");

    fs::create_directory(dir / "ok.bmp");
    std::string why;
    EXPECT_FALSE(writeFileAtomically(dir / "ok.bmp", "x", &why));
    EXPECT_NE(why.find("ok.bmp"), std::string::npos);
    EXPECT_FALSE(writeFileAtomically(dir / "missing" / "f", "x"));
    // No temporary file is left behind by either refusal.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

TEST(safe_file, reads_only_regular_files_within_the_cap) {
    auto dir = freshFolder("safe_read");
    std::ofstream(dir / "date.txt") << "2026-12-24";
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink(dir / "date.txt", dir / "link");

    auto ok = readRegularFile(dir / "date.txt", 64);
    EXPECT_EQ(ok.status, ReadStatus::Ok);
    EXPECT_EQ(ok.bytes, "2026-12-24");
    EXPECT_EQ(readRegularFile(dir / "date.txt", 5).status, ReadStatus::TooLarge);
    EXPECT_EQ(readRegularFile(dir / "fifo", 64).status, ReadStatus::NotRegular);
    EXPECT_EQ(readRegularFile(dir / "link", 64).status, ReadStatus::NotRegular);
    EXPECT_EQ(readRegularFile(dir / "link", 64, true).status, ReadStatus::Ok);
    EXPECT_EQ(readRegularFile(dir / "none", 64).status, ReadStatus::Missing);
    EXPECT_EQ(readRegularFile(dir, 64).status, ReadStatus::NotRegular);
}

TEST(safe_file, streams_are_written_as_they_stand_and_files_are_left_alone) {
    auto dir = freshFolder("safe_stream");
    std::ofstream(dir / "thesis.txt") << "my thesis";
    fs::create_symlink(dir / "thesis.txt", dir / "link");
    std::string error;
    EXPECT_FALSE(isStream(dir / "link"));
    EXPECT_FALSE(writeToStream(dir / "link", "x", &error));  // a file that took a stream's place
    EXPECT_FALSE(writeToStream(dir / "absent", "x", &error));
    EXPECT_EQ(slurp(dir / "thesis.txt"), "my thesis");
    EXPECT_FALSE(fs::exists(dir / "absent"));
    EXPECT_TRUE(isStream("/dev/null"));
    EXPECT_TRUE(writeToStream("/dev/null", "x", &error)) << error;
}
