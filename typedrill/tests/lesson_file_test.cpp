// Reading lesson files: code page 936 decoding and joined lines.
#include "typedrill/core/lesson_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

namespace typedrill {
namespace {

std::filesystem::path scratch(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::filesystem::path(dir ? dir : "/tmp") / name;
}

TEST(LessonFile, LinesAreJoinedWhateverTheirEnds) {
    EXPECT_EQ(joinLessonLines("ab\r\ncd"), QStringLiteral("abcd"));
    EXPECT_EQ(joinLessonLines("ab\ncd\n"), QStringLiteral("abcd"));
    EXPECT_EQ(joinLessonLines("ab\rcd\r\n\r\nef"), QStringLiteral("abcdef"));
    EXPECT_EQ(joinLessonLines(" a b \n"), QStringLiteral(" a b "));  // blanks are lesson text
    EXPECT_EQ(joinLessonLines(""), QString());
    EXPECT_EQ(joinLessonLines("\r\n\n"), QString());
}

TEST(LessonFile, DecodesCodePage936LineByLine) {
    // 五笔 = CE E5 B1 CA; a lead byte cut off at a line end stays on its own line.
    EXPECT_EQ(joinLessonLines("\xCE\xE5\r\n\xB1\xCA"), QStringLiteral("五笔"));
    EXPECT_EQ(joinLessonLines("a\xCE\n\xE5"), QStringLiteral("a\uFFFD\uFFFD"));
}

TEST(LessonFile, MissingOrUnreadableFilesGiveNoLesson) {
    const LessonRead missing = readLessonFile(scratch("no-such-lesson.txt"));
    EXPECT_TRUE(missing.text.isEmpty());
    EXPECT_TRUE(missing.refusal.isEmpty());  // "开始" then says no level was chosen

    const auto dir = scratch("lesson-dir.txt");
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(readLessonFile(dir).text.isEmpty());
    EXPECT_TRUE(readLessonFile(dir).refusal.contains(QStringLiteral("lesson-dir.txt")));

    // A FIFO is refused at once instead of blocking the window.
    const auto fifo = scratch("fifo.txt");
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const LessonRead piped = readLessonFile(fifo);
    EXPECT_TRUE(piped.text.isEmpty());
    EXPECT_FALSE(piped.refusal.isEmpty());

    const auto file = scratch("lesson.txt");
    {
        std::ofstream out(file, std::ios::binary);
        out << "\xCE\xE5\xB1\xCA\r\n\xD7\xD6\xD0\xCD\r\n";  // 五笔 / 字型
    }
    EXPECT_EQ(readLessonFile(file).text, QStringLiteral("五笔字型"));
    EXPECT_TRUE(readLessonFile(file).refusal.isEmpty());
    const auto link = scratch("linked.txt");
    std::filesystem::remove(link);
    std::filesystem::create_symlink(file, link);
    EXPECT_EQ(readLessonFile(link).text, QStringLiteral("五笔字型"));  // only read, so a link may stand in
}

TEST(LessonFile, OversizedFilesAreRefusedWhole) {
    const auto edge = scratch("edge.txt");
    std::ofstream(edge, std::ios::binary) << std::string(kMaxLessonBytes, 'a');
    EXPECT_EQ(readLessonFile(edge).text.size(), static_cast<qsizetype>(kMaxLessonBytes));

    const auto big = scratch("big.txt");
    std::ofstream(big, std::ios::binary) << std::string(kMaxLessonBytes + 1, 'a');
    const LessonRead refused = readLessonFile(big);
    EXPECT_TRUE(refused.text.isEmpty());
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("big.txt")));
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("1 MB")));
}

}  // namespace
}  // namespace typedrill
