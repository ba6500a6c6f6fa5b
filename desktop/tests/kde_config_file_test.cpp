// Entries of Plasma's configuration files changed in place: the rest of the file kept,
// locks honoured, escapes read as the format writes them.
#include "desktop/kde_config_file.h"

#include <gtest/gtest.h>

namespace desktop {
namespace {

const std::string kFile =
    "# kept\n[General]\nColorScheme=Breeze\n\n[Icons]\nTheme=breeze\nTheme[de]=andere\n\n[KDE]\nSingleClick=false\n";

TEST(KdeConfigFile, SetsAddsAndRemovesOneEntryKeepingTheRest) {
    EXPECT_EQ(kdeEntry(kFile, "Icons", "Theme"), "breeze");
    EXPECT_EQ(kdeEntry(kFile, "General", "Theme"), std::nullopt);

    auto set = withKdeEntry(kFile, "Icons", "Theme", std::string("shellstyle-suite"));
    ASSERT_TRUE(set);
    EXPECT_EQ(*set, "# kept\n[General]\nColorScheme=Breeze\n\n[Icons]\nTheme=shellstyle-suite\nTheme[de]=andere\n\n"
                    "[KDE]\nSingleClick=false\n");
    auto added = withKdeEntry(*set, "KDE", "AnimationDurationFactor", std::string("0"));
    ASSERT_TRUE(added);
    EXPECT_EQ(kdeEntry(*added, "KDE", "AnimationDurationFactor"), "0");
    EXPECT_EQ(kdeEntry(*added, "KDE", "SingleClick"), "false");
    auto group = withKdeEntry(*added, "KDE Action Restrictions", "run_command", std::string("false"));
    ASSERT_TRUE(group);
    EXPECT_TRUE(group->ends_with("\n\n[KDE Action Restrictions]\nrun_command=false\n")) << *group;

    auto removed = withKdeEntry(*group, "Icons", "Theme", std::nullopt);
    ASSERT_TRUE(removed);
    EXPECT_EQ(kdeEntry(*removed, "Icons", "Theme"), std::nullopt);
    EXPECT_EQ(kdeEntry(*removed, "Icons", "Theme[de]"), std::nullopt);
    EXPECT_NE(removed->find("Theme[de]=andere\n"), std::string::npos);
    EXPECT_EQ(withKdeEntry("", "Icons", "Theme", std::nullopt), "");
    EXPECT_EQ(withKdeEntry("[Icons]\nTheme=x", "Icons", "Size", std::string("1")), "[Icons]\nTheme=x\nSize=1\n");
}

TEST(KdeConfigFile, LockedEntriesAreNotChangedAndEscapesRoundTrip) {
    for (const char* locked : {"[$i]\n[Icons]\nTheme=x\n", "[Icons][$i]\nTheme=x\n", "[Icons]\nTheme[$i]=x\n"}) {
        EXPECT_TRUE(kdeEntryLocked(locked, "Icons", "Theme")) << locked;
        EXPECT_FALSE(withKdeEntry(locked, "Icons", "Theme", std::string("y"))) << locked;
    }
    EXPECT_FALSE(kdeEntryLocked("[Icons]\nSize[$i]=1\nTheme=x\n", "Icons", "Theme"));
    EXPECT_EQ(kdeEntry("[Icons]\nTheme = a\\sb\\\\c\\n \n", "Icons", "Theme"), "a b\\c\n");
    const auto odd = withKdeEntry("", "G", "k", std::string(" a\\b\n"));
    ASSERT_TRUE(odd);
    EXPECT_EQ(kdeEntry(*odd, "G", "k"), " a\\b\n");
    EXPECT_EQ(odd->find('\n'), odd->find("]\n") + 1);  // the value's line break is escaped
    // Nested groups are their own.
    EXPECT_EQ(kdeEntry("[A][B]\nk=1\n[A]\nk=2\n", "A", "k"), "2");
}

}  // namespace
}  // namespace desktop
