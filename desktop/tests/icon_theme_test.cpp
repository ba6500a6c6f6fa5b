// The chosen icons as a theme folder: what the pictures are, what index.theme says,
// and that nothing outside the suite's own files is written through or removed.
#include <QFile>

#include "desktop/icon_choices.h"
#include "desktop/theme_folder.h"
#include "desktop/tests/desktop_fixture.h"
#include "shellstyle/core/icon_targets.h"

namespace desktop {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string readText(const fs::path& p) {
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(IconValue, SplitsAtTheLastCommaAndRefusesWhatNamesNoIcon) {
    auto v = parseIconValue("/home/u/a,b.icl,30");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->file, "/home/u/a,b.icl");
    EXPECT_EQ(v->number, 30);
    ASSERT_TRUE(parseIconValue("/x.ico, 7 "));
    EXPECT_EQ(parseIconValue("/x.ico, 7 ")->number, 7);
    for (const char* bad : {"", ",3", "/x.ico,", "/x.ico,-1", "/x.ico,3a", "/x.ico", "/x.ico,99999999999"})
        EXPECT_FALSE(parseIconValue(bad)) << bad;
}

TEST_F(DesktopTest, SizesUseTheGroupsOwnImagesElseTheNearestLarger) {
    const fs::path icl = programFolder / "voveredav.icl";
    auto centre = [](const std::optional<QImage>& image) { return image ? image->pixel(image->width() / 2, image->height() / 2) & 0xFFFFFFu : 0u; };
    EXPECT_EQ(centre(platform::iconImageOfSide(icl, 5, 16)), colourOf(5, 16));
    EXPECT_EQ(centre(platform::iconImageOfSide(icl, 5, 22)), colourOf(5, 32));  // from 32, not up from 16
    EXPECT_EQ(centre(platform::iconImageOfSide(icl, 5, 24)), colourOf(5, 32));
    EXPECT_EQ(centre(platform::iconImageOfSide(icl, 5, 48)), colourOf(5, 48));
    const auto up = platform::iconImageOfSide(other, 0, 48);  // only a smaller one there
    ASSERT_TRUE(up);
    EXPECT_EQ(up->size(), QSize(48, 48));
    EXPECT_FALSE(platform::iconImageOfSide(icl, 40, 32));
}

TEST_F(DesktopTest, AGoneLibraryIsReadFromTheInstalledFolderByNameOrNamedAsMissing) {
    preset();
    const fs::path installed = root / "installed";
    fs::create_directories(installed);
    fs::rename(programFolder / "voveredav.icl", installed / "voveredav.icl");
    const IconChoices choices = readIconChoices(reg, installed);
    ASSERT_TRUE(choices[0]);
    EXPECT_EQ(choices[0]->file, (installed / "voveredav.icl").string());
    EXPECT_TRUE(missingIconFiles(choices).empty());
    EXPECT_FALSE(themePictures(choices).empty());

    const IconChoices lost = readIconChoices(reg, root / "elsewhere");
    EXPECT_EQ(missingIconFiles(lost), std::vector<std::string>{(programFolder / "voveredav.icl").string()});
    EXPECT_TRUE(themePictures(lost).empty());
}

TEST_F(DesktopTest, PresetReplaceAndRestoreShapeTheThemeFolder) {
    ThemeFolder folder(dataHome);
    preset();
    ASSERT_TRUE(folder.write(themePictures(readIconChoices(reg)), {"Adwaita"}, nullptr));

    const fs::path icl = programFolder / "voveredav.icl";
    EXPECT_EQ(themePicture("32x32/devices/drive-harddisk.png"), expected(icl, 30, 32));
    EXPECT_EQ(themePicture("32x32/devices/computer.png"), expected(icl, 7, 32));
    EXPECT_EQ(themePicture("32x32/status/user-trash-full.png"), expected(icl, 11, 32));
    EXPECT_EQ(themePicture("16x16/places/user-trash.png"), expected(icl, 10, 16));
    EXPECT_EQ(themePicture("48x48/devices/drive-optical.png"), themePicture("48x48/devices/media-optical.png"));
    const std::string index = readText(themeRoot() / "index.theme");
    EXPECT_NE(index.find("Inherits=Adwaita,hicolor\n"), std::string::npos) << index;
    EXPECT_NE(index.find("[22x22/actions]\nSize=22\nContext=Actions\nType=Fixed\n"), std::string::npos) << index;
    // Every listed folder exists; the items without a name left nothing behind.
    const auto dirsAt = index.find("Directories=") + 12;
    QStringList dirs = QString::fromStdString(index.substr(dirsAt, index.find('\n', dirsAt) - dirsAt)).split(u',');
    EXPECT_EQ(dirs.size(), 5 * 7);
    for (const QString& d : dirs) EXPECT_TRUE(fs::is_directory(themeRoot() / d.toStdString())) << d.toStdString();

    // Replacing the hard disk alone changes its picture and no other.
    replace({shellstyle::iconBoxIndex("check1(0)")}, other, 0);
    ASSERT_TRUE(folder.write(themePictures(readIconChoices(reg)), {"Adwaita"}, nullptr));
    EXPECT_EQ(themePicture("32x32/devices/drive-harddisk.png"), expected(other, 0, 32));
    EXPECT_EQ(themePicture("32x32/devices/computer.png"), expected(icl, 7, 32));

    // An item whose file went is left to the inherited theme.
    fs::remove(other);
    ASSERT_TRUE(folder.write(themePictures(readIconChoices(reg)), {}, nullptr));
    EXPECT_FALSE(fs::exists(themeRoot() / "32x32/devices/drive-harddisk.png"));
    EXPECT_NE(readText(themeRoot() / "index.theme").find("Inherits=hicolor\n"), std::string::npos);

    shellstyle::restoreAllIcons(reg);
    EXPECT_TRUE(themePictures(readIconChoices(reg)).empty());
    EXPECT_TRUE(folder.remove(nullptr));
    EXPECT_FALSE(fs::exists(themeRoot()));
    EXPECT_TRUE(fs::exists(dataHome / "icons"));
}

TEST_F(DesktopTest, FoldersAndLinksNotOfTheSuitesMakingAreLeftAlone) {
    preset();
    const auto pictures = themePictures(readIconChoices(reg));
    std::string error;

    // Someone else's theme of the same name: neither written into nor removed.
    fs::create_directories(themeRoot());
    writeFile(themeRoot() / "index.theme", {'x'});
    ThemeFolder folder(dataHome);
    EXPECT_FALSE(folder.write(pictures, {}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(folder.remove(&error));
    EXPECT_EQ(readText(themeRoot() / "index.theme"), "x");
    fs::remove_all(themeRoot());

    // The theme folder as a link to elsewhere: refused, the elsewhere untouched.
    const fs::path elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(dataHome / "icons");
    fs::create_directory_symlink(elsewhere, themeRoot());
    EXPECT_FALSE(folder.write(pictures, {}, &error));
    EXPECT_FALSE(folder.remove(&error));
    EXPECT_TRUE(fs::is_empty(elsewhere));
    fs::remove(themeRoot());

    // A link planted at a picture's place is replaced, never written through; a file
    // of the user's inside the folder keeps the folder when the theme goes.
    ASSERT_TRUE(folder.write(pictures, {}, &error)) << error;
    const fs::path victim = root / "victim.png";
    writeFile(victim, {'v'});
    fs::remove(themeRoot() / "32x32/devices/computer.png");
    fs::create_symlink(victim, themeRoot() / "32x32/devices/computer.png");
    ASSERT_TRUE(folder.write(pictures, {}, &error)) << error;
    EXPECT_EQ(readText(victim), "v");
    EXPECT_FALSE(fs::is_symlink(themeRoot() / "32x32/devices/computer.png"));
    writeFile(themeRoot() / "32x32/devices/mine.png", {'m'});
    EXPECT_FALSE(folder.remove(&error));
    EXPECT_EQ(readText(themeRoot() / "32x32/devices/mine.png"), "m");
    EXPECT_FALSE(fs::exists(themeRoot() / "index.theme"));
    EXPECT_TRUE(folder.ours());  // the marker stays while the folder does
}

}  // namespace
}  // namespace desktop
