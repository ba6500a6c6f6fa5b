// Path texts: the library prefix, the replace data and what the store can hold.
#include <gtest/gtest.h>

#include "shellstyle/core/icon_data.h"
#include "shellstyle/core/open_dialog.h"

namespace shellstyle {
namespace {

TEST(LibraryPathPrefix, AddsOneSeparatorOnlyWhenTheFolderLacksIt) {
    EXPECT_EQ(libraryPathPrefix("/opt/app"), "/opt/app/voveredav.icl,");
    EXPECT_EQ(libraryPathPrefix("/"), "/voveredav.icl,");
    EXPECT_EQ(libraryPathPrefix("/opt/app/"), "/opt/app/voveredav.icl,");
    EXPECT_EQ(libraryPathPrefix("C:\\", QChar('\\')), "C:\\voveredav.icl,");
    EXPECT_EQ(libraryPathPrefix("C:\\Tools", QChar('\\')), "C:\\Tools\\voveredav.icl,");
}

TEST(ReplaceData, TrimsOnlySpacesAroundTheNumber) {
    EXPECT_EQ(replaceData("/a.icl", "  7  "), "/a.icl,7");
    EXPECT_EQ(replaceData("/a b.icl", "0"), "/a b.icl,0");
    EXPECT_EQ(replaceData("/a.icl", "\t7"), "/a.icl,\t7");
    EXPECT_EQ(replaceData("/a.icl", "   "), "/a.icl,");
}

TEST(StorableText, AcceptsCodePage936AndRejectsTheRest) {
    EXPECT_TRUE(storableText(QStringLiteral("/home/张三/图标.icl,3")));
    EXPECT_TRUE(storableText(QString()));
    EXPECT_FALSE(storableText(QString::fromUtf8("/tmp/\xF0\x9F\x98\x80.ico")));
    EXPECT_FALSE(storableText(QString::fromUtf8("/tmp/\xE0\xB8\x81.ico")));  // Thai
}

TEST(OpenDialogFilters, BecomeFourQtFiltersWithTheSameDescriptions) {
    const QStringList f = nameFiltersFrom(QString::fromUtf8(kOpenFilter));
    ASSERT_EQ(f.size(), 4);
    EXPECT_EQ(f[0], QStringLiteral("可执行文件和图标库(*.exe,*.dll,*.icl) (*.exe *.dll *.icl)"));
    EXPECT_EQ(f[1], QStringLiteral("图标文件和位图文件(*.ico,*.bmp) (*.ico *.bmp)"));
    EXPECT_EQ(f[2], QStringLiteral("AVI文件和WAV文件(*.avi,*.wav) (*.avi *.wav)"));
    EXPECT_EQ(f[3], QStringLiteral("所有文件(*.*) (*)"));
    EXPECT_TRUE(nameFiltersFrom("dangling").isEmpty());
}

}  // namespace
}  // namespace shellstyle
