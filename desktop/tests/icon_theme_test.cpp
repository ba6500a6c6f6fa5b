// The chosen icons as a theme folder: what the pictures are, what index.theme says,
// and that nothing outside the suite's own files is written through or removed.
#include <atomic>
#include <set>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QProcess>

#include "desktop/icon_choices.h"
#include "desktop/icon_names.h"
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

// One read of a theme as a desktop's icon loader makes it: index.theme, then each
// folder it lists, which must hold a file. `inPlace`: the folder read was still the
// one at `theme` afterwards (its open handle keeps its number from being reused).
struct ThemeRead {
    bool inPlace = false;
    bool whole = false;
};
ThemeRead readTheme(const fs::path& theme) {
    ThemeRead result;
    const int fd = ::open(theme.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return result;
    std::string index(64 * 1024, '\0');
    const int indexFd = ::openat(fd, "index.theme", O_RDONLY | O_CLOEXEC);
    const ssize_t n = indexFd < 0 ? -1 : ::read(indexFd, index.data(), index.size());
    if (indexFd >= 0) ::close(indexFd);
    index.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    result.whole = index.find("\nDirectories=") != std::string::npos;
    for (const std::string key : {"\nDirectories=", "\nScaledDirectories="}) {
        const auto at = index.find(key);
        if (at == std::string::npos) continue;
        const auto from = at + key.size();
        for (const QString& dir : QString::fromStdString(index.substr(from, index.find('\n', from) - from)).split(u',')) {
            const int dirFd = ::openat(fd, dir.toStdString().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            DIR* listing = dirFd < 0 ? nullptr : ::fdopendir(dirFd);
            int files = 0;
            while (listing && ::readdir(listing)) ++files;
            if (listing) ::closedir(listing);
            else if (dirFd >= 0) ::close(dirFd);
            if (files <= 2) result.whole = false;  // missing, or only "." and ".."
        }
    }
    struct stat read {}, now {};
    result.inPlace = ::fstat(fd, &read) == 0 && ::stat(theme.c_str(), &now) == 0 && read.st_ino == now.st_ino;
    ::close(fd);
    return result;
}

// GTK 3's answers, as a GTK program gets them, to "theme name size scale" requests:
// one "file width height" (or "-") each; empty when the lookup could not run.
std::vector<QStringList> gtkLookups(const fs::path& icons, const QStringList& requests) {
    QProcess gtk;
    gtk.start(QStringLiteral("/usr/bin/python3"),
              {QString::fromLocal8Bit(std::getenv("SUITE_SOURCE_DIR")) + QStringLiteral("/desktop/tests/gtk_lookup.py"),
               QString::fromStdString(icons.string())});
    gtk.write((requests.join(u'\n') + u'\n').toUtf8());
    gtk.closeWriteChannel();
    if (!gtk.waitForFinished(60000)) {
        gtk.kill();
        gtk.waitForFinished();
        return {};
    }
    std::vector<QStringList> answers;
    for (const QString& line : QString::fromUtf8(gtk.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        answers.push_back(line.split(u' '));
    if (answers.size() != static_cast<std::size_t>(requests.size()))
        ADD_FAILURE() << "GTK answered " << answers.size() << " of " << requests.size() << ": "
                      << gtk.readAllStandardError().toStdString();
    return answers;
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
    auto listed = [&](const std::string& key) {
        const auto at = index.find("\n" + key + "=") + key.size() + 2;
        return QString::fromStdString(index.substr(at, index.find('\n', at) - at)).split(u',');
    };
    // 16 to 48 pixels, and the largest (48) also Scalable; 16, 22 and 24 at scale 2.
    const QStringList dirs = listed("Directories"), scaled = listed("ScaledDirectories");
    EXPECT_EQ(dirs.size(), 6 * 7);
    EXPECT_EQ(scaled.size(), 3 * 7);
    for (const QString& d : dirs + scaled) EXPECT_TRUE(fs::is_directory(themeRoot() / d.toStdString())) << d.toStdString();

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

TEST_F(DesktopTest, HiDpiAndLargeSizesComeFromTheIconsOwnLargerImages) {
    // The hard disk from an icon with 16, 32 and 48 pixel images and a 256 pixel PNG,
    // each its own colour; the rest from the library, whose largest images are 48.
    const std::map<int, std::uint32_t> colours = {{16, 0x200010}, {32, 0x200020}, {48, 0x200030}, {256, 0x2000F0}};
    platform::icons::IconGroupBlobs images;
    for (int side : {16, 32, 48}) images.push_back(platform::icons::encodeDibIcon(picture(side, colours.at(side)), 32));
    QImage large(256, 256, QImage::Format_ARGB32);
    large.fill(QColor::fromRgb(0xFF000000u | colours.at(256)));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(large.save(&buffer, "PNG"));
    images.push_back(platform::icons::pngIconImage(256, 256, std::vector<std::uint8_t>(png.begin(), png.end())));
    const fs::path big = root / "big.ico";
    writeFile(big, platform::icons::writeIcoFile(images));
    preset();
    replace({shellstyle::iconBoxIndex("check1(0)")}, big, 0);
    ASSERT_TRUE(ThemeFolder(dataHome).write(themePictures(readIconChoices(reg)), {}, nullptr));

    const std::string index = readText(themeRoot() / "index.theme");
    EXPECT_NE(index.find("[16x16@2/devices]\nSize=16\nScale=2\nContext=Devices\nType=Fixed\n"), std::string::npos) << index;
    EXPECT_NE(index.find("[48x48-scalable/devices]\nSize=48\nContext=Devices\nType=Scalable\nMinSize=48\nMaxSize=256\n"),
              std::string::npos);
    const auto dirs = index.find("\nDirectories="), scaled = index.find("\nScaledDirectories=16x16@2/");
    ASSERT_NE(scaled, std::string::npos);
    EXPECT_EQ(index.substr(dirs, index.find('\n', dirs + 1) - dirs).find('@'), std::string::npos);  // scale 2 in its own list
    // No 256 pixel picture blown up from a 48 pixel image.
    EXPECT_FALSE(fs::exists(themeRoot() / "256x256/devices/computer.png"));
    // One file for each image, however many folders and names show it.
    EXPECT_TRUE(fs::equivalent(themeRoot() / "16x16@2/devices/computer.png", themeRoot() / "32x32/devices/computer.png"));
    EXPECT_TRUE(fs::equivalent(themeRoot() / "48x48/devices/drive-optical.png", themeRoot() / "48x48/devices/media-optical.png"));

    // What GTK gives at each size and scale: file, pixels, colour at the centre.
    struct Case {
        const char* request;
        const char* folder;
        int pixels;
        std::uint32_t colour;  // 0: compare with the library's icon 7 at 32 pixels
    };
    const Case cases[] = {
        {"drive-harddisk 256 1", "256x256/devices", 256, colours.at(256)},
        {"drive-harddisk 128 2", "128x128@2/devices", 256, colours.at(256)},
        {"drive-harddisk 64 1", "64x64/devices", 64, colours.at(256)},  // down from 256, not up from 48
        {"drive-harddisk 16 2", "16x16@2/devices", 32, colours.at(32)},
        {"computer 16 2", "16x16@2/devices", 32, 0},
        {"computer 128 1", "48x48-scalable/devices", 128, colourOf(7, 48)},
    };
    QStringList requests;
    for (const Case& c : cases) requests << QStringLiteral("shellstyle-suite ") + QString::fromLatin1(c.request);
    const auto answers = gtkLookups(dataHome / "icons", requests);
    ASSERT_EQ(answers.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        ASSERT_EQ(answers[i].size(), 3) << c.request;
        EXPECT_EQ(fs::path(answers[i][0].toStdString()).parent_path(), themeRoot() / c.folder) << c.request;
        EXPECT_EQ(answers[i][1].toInt(), c.pixels) << c.request;
        const QImage got = QImage(answers[i][0]).convertToFormat(QImage::Format_ARGB32);
        if (c.colour) EXPECT_EQ(got.pixel(got.width() / 2, got.height() / 2) & 0xFFFFFFu, c.colour) << c.request;
        else EXPECT_EQ(got, expected(programFolder / "voveredav.icl", 7, 32)) << c.request;
    }
}

TEST_F(DesktopTest, EveryItemsNamesResolveThroughGtkToItsOwnPicture) {
    // Every item has its one row of names, and every row of names an item.
    const auto targets = shellstyle::iconTargets();
    std::set<const IconNames*> rows;
    for (const shellstyle::IconTarget& target : targets) {
        const IconNames* names = iconNamesOf(target);
        ASSERT_NE(names, nullptr) << target.key << " " << target.valueName;
        EXPECT_TRUE(names->count() > 0 || !names->note.empty()) << target.valueName;
        rows.insert(names);
    }
    EXPECT_EQ(rows.size(), iconNames().size());

    // After the XP look (each item its own icon), GTK finds every name of every item in
    // the suite's theme, as that item's picture; and each item has a name a stock theme
    // knows too, so no desktop program asks for a name nobody uses.
    preset();
    ASSERT_TRUE(ThemeFolder(dataHome).write(themePictures(readIconChoices(reg)), {}, nullptr));
    QStringList requests;
    std::vector<std::pair<std::size_t, std::string_view>> asked;  // item, name
    std::map<std::string_view, std::size_t> firstItem;            // the item whose picture a name shows
    for (std::size_t row = 0; row < targets.size(); ++row) {
        const IconNames& names = *iconNamesOf(targets[row]);
        for (int n = 0; n < names.count(); ++n) {
            const std::string_view name = names.names[static_cast<std::size_t>(n)].name;
            firstItem.emplace(name, row);
            asked.push_back({row, name});
            requests << QStringLiteral("shellstyle-suite ") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + QStringLiteral(" 32 1")
                     << QStringLiteral("Adwaita ") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + QStringLiteral(" 32 1");
        }
    }
    const auto answers = gtkLookups(dataHome / "icons", requests);
    ASSERT_EQ(answers.size(), static_cast<std::size_t>(requests.size()));
    std::set<std::size_t> knownToStock;
    for (std::size_t i = 0; i < asked.size(); ++i) {
        const auto [row, name] = asked[i];
        const QStringList& ours = answers[2 * i];
        ASSERT_EQ(ours.size(), 3) << name;
        EXPECT_TRUE(ours[0].startsWith(QString::fromStdString(themeRoot().string()) + u'/')) << ours[0].toStdString();
        EXPECT_EQ(QImage(ours[0]).convertToFormat(QImage::Format_ARGB32),
                  expected(programFolder / "voveredav.icl", targets[firstItem.at(name)].presetIcon, 32))
            << name;
        if (answers[2 * i + 1].size() == 3) knownToStock.insert(row);
    }
    for (std::size_t row = 0; row < targets.size(); ++row)
        EXPECT_TRUE(iconNamesOf(targets[row])->count() == 0 || knownToStock.contains(row)) << targets[row].valueName;
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
    // Rewritten, the theme keeps the user's file where it was.
    ASSERT_TRUE(folder.write(pictures, {}, &error)) << error;
    EXPECT_EQ(readText(themeRoot() / "32x32/devices/mine.png"), "m");
    EXPECT_TRUE(fs::exists(themeRoot() / "index.theme"));
    // One that cannot move (a folder where the new theme has a picture) is kept beside,
    // and blocks no later write.
    fs::remove(themeRoot() / "32x32/devices/printer.png");
    fs::create_directory(themeRoot() / "32x32/devices/printer.png");
    writeFile(themeRoot() / "32x32/devices/printer.png/x", {'x'});
    ASSERT_TRUE(folder.write(pictures, {}, &error)) << error;
    ASSERT_TRUE(folder.write(pictures, {}, &error)) << error;
    EXPECT_EQ(readText(dataHome / "icons/.shellstyle-suite.kept-1/32x32/devices/printer.png/x"), "x");
    EXPECT_TRUE(fs::is_regular_file(themeRoot() / "32x32/devices/printer.png"));
}

TEST_F(DesktopTest, FoldersLinkedToAnotherThemeAreNeverReachedInto) {
    preset();
    const auto pictures = themePictures(readIconChoices(reg));
    ThemeFolder folder(dataHome);
    std::string error;
    ASSERT_TRUE(folder.write(pictures, {}, &error)) << error;

    // A size folder and a context folder made links into another theme, which holds
    // files under the suite's own names and one of its own.
    const fs::path another = root / "another-theme";
    const std::vector<std::string> planted = {"16x16/places/folder.png", "16x16/places/user-trash.png",
                                              "16x16/devices/computer.png", "16x16/places/own.png",
                                              "32x32/devices/computer.png", "32x32/devices/printer.png"};
    for (const std::string& file : planted) {
        fs::create_directories((another / file).parent_path());
        writeFile(another / file, {'p'});
    }
    fs::remove_all(themeRoot() / "16x16");
    fs::create_directory_symlink(another / "16x16", themeRoot() / "16x16");
    fs::remove_all(themeRoot() / "32x32/devices");
    fs::create_directory_symlink(another / "32x32/devices", themeRoot() / "32x32/devices");
    auto plantedIntact = [&] {
        for (const std::string& file : planted) EXPECT_EQ(readText(another / file), "p") << file;
    };

    // Restore leaves the links (not the suite's) and says so; nothing behind them goes.
    EXPECT_FALSE(folder.remove(&error));
    EXPECT_NE(error.find("did not write"), std::string::npos) << error;
    plantedIntact();
    EXPECT_TRUE(fs::is_symlink(themeRoot() / "16x16"));

    // A new theme has real folders of its own there; the links go, not what they name.
    ASSERT_TRUE(folder.write(pictures, {}, &error)) << error;
    plantedIntact();
    EXPECT_FALSE(fs::is_symlink(themeRoot() / "16x16"));
    EXPECT_FALSE(fs::is_symlink(themeRoot() / "32x32/devices"));
    EXPECT_EQ(themePicture("32x32/devices/computer.png"), expected(programFolder / "voveredav.icl", 7, 32));
    EXPECT_TRUE(folder.remove(&error)) << error;
    plantedIntact();
    EXPECT_FALSE(fs::exists(themeRoot()));
    EXPECT_EQ(std::distance(fs::directory_iterator(dataHome / "icons"), {}), 0);  // nothing left beside it
}

TEST_F(DesktopTest, ReadersFindEveryListedFolderWhileTheThemeChanges) {
    preset();
    const auto all = themePictures(readIconChoices(reg));
    std::vector<ThemePicture> devices;  // fewer folders: the change removes some
    for (const ThemePicture& p : all)
        if (p.context == "devices") devices.push_back(p);
    ThemeFolder folder(dataHome);
    ASSERT_TRUE(folder.write(all, {}, nullptr));

    std::atomic<bool> writing = true;
    int reads = 0, mixed = 0;
    std::thread reader([&] {
        do {
            const auto [inPlace, whole] = readTheme(themeRoot());
            reads += inPlace;
            mixed += inPlace && !whole;
        } while (writing);
    });
    for (int i = 0; i < 12; ++i) ASSERT_TRUE(folder.write(i % 2 ? all : devices, {}, nullptr));
    writing = false;
    reader.join();
    EXPECT_GT(reads, 0);
    EXPECT_EQ(mixed, 0) << "of " << reads << " reads";
}

}  // namespace
}  // namespace desktop
