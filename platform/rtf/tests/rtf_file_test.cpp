// RTF files on disk: round trip, replacement, files that are refused. Links and FIFOs
// in their place are tried where the alarm files live (timekeeper/tests).
#include "platform/rtf/rtf_file.h"

#include <QTemporaryDir>

#include <fstream>

#include <gtest/gtest.h>

using namespace platform::rtf;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCap = 64 * 1024;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(rtf_file, saved_text_loads_back_and_replaces_the_old_file) {
    QTemporaryDir dir;
    fs::path path = dir.filePath("date.txt").toStdString();
    ASSERT_TRUE(saveRtfFile(path, "2003-6-15"));
    EXPECT_EQ(loadRtfFile(path, kCap), "2003-6-15");
    ASSERT_TRUE(saveRtfFile(path, "二〇〇三"));
    EXPECT_EQ(loadRtfFile(path, kCap), "二〇〇三");
    EXPECT_EQ(slurp(path).rfind("{\\rtf1", 0), 0u);
}

TEST(rtf_file, missing_plain_and_unwritable_files) {
    QTemporaryDir dir;
    fs::path base = dir.path().toStdString();
    EXPECT_FALSE(loadRtfFile(base / "none.txt", kCap));
    EXPECT_FALSE(loadRtfFile(base, kCap));
    std::ofstream(base / "plain.txt") << "2003-6-15\n";
    EXPECT_EQ(loadRtfFile(base / "plain.txt", kCap), "2003-6-15");
    EXPECT_FALSE(saveRtfFile(base / "no" / "such" / "folder.txt", "x"));
    EXPECT_FALSE(saveRtfFile(base, "x"));
}
