// Reading lesson files: code page 936 decoding and joined lines.
#include "typedrill/core/lesson_file.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(readLessonFile(scratch("no-such-lesson.txt")), QString());
    const auto dir = scratch("lesson-dir.txt");
    std::filesystem::create_directories(dir);
    EXPECT_EQ(readLessonFile(dir), QString());

    const auto file = scratch("lesson.txt");
    {
        std::ofstream out(file, std::ios::binary);
        out << "\xCE\xE5\xB1\xCA\r\n\xD7\xD6\xD0\xCD\r\n";  // 五笔 / 字型
    }
    EXPECT_EQ(readLessonFile(file), QStringLiteral("五笔字型"));
}

}  // namespace
}  // namespace typedrill
