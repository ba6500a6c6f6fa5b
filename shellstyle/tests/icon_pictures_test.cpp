// The icon reader behind the main window, on files written for the test and on the
// shipped library.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QFile>
#include <QScrollBar>

#include "platform/icons/writer/icon_writer.h"
#include "shellstyle/tests/form_fixture.h"
#include "shellstyle/ui/icon_pictures.h"
#include "shellstyle/ui/icon_preview.h"
#include "shellstyle/ui/xpfg.h"
#include "skin/xpcheckbox/xpcheckbox.h"

namespace shellstyle {
namespace {

namespace icons = platform::icons;

icons::IconGroupBlobs flatIcon(std::uint32_t argb) {
    icons::IconPixels px;
    px.width = px.height = 32;
    px.argb.assign(32 * 32, argb);
    return {icons::encodeDibIcon(px, 32)};
}

QString writeFile(const char* name, const std::vector<std::uint8_t>& bytes) {
    const char* base = std::getenv("TMPDIR");
    std::filesystem::path file = std::filesystem::path(base && *base ? base : "/tmp") / name;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return QFile::decodeName(file.c_str());
}

class RealIconsTest : public testing::FormTest {
protected:
    ui::FileIconPictures real;
    ui::Seams realSeams{boxes, dialogs, restart, clock, general, real, QStringLiteral("/opt/shellstyle"), {}, {}};
};

TEST_F(RealIconsTest, OneAndTwoIconFilesSetTheScrollBar) {
    const QString two = writeFile("two.icl", icons::writeNeModule({flatIcon(0xFFFF0000), flatIcon(0xFF0000FF)}, "TWO"));
    const QString one = writeFile("one.ico", icons::writeIcoFile(flatIcon(0xFF00FF00)));
    const QString none = writeFile("none.txt", {'h', 'i'});
    dialogs.results = {two, one, none};
    ui::xpfg form(realSeams);

    form.OpenFile_Click();
    EXPECT_TRUE(form.HS->isEnabled());
    EXPECT_EQ(form.HS->maximum(), 1);
    ASSERT_FALSE(form.Pic->shown().isNull());
    EXPECT_EQ(form.Pic->shown().size(), QSize(32, 32));
    EXPECT_EQ(form.Pic->shown().pixel(16, 16), 0xFFFF0000u);
    form.HS->setValue(1);
    EXPECT_EQ(form.Pic->shown().pixel(16, 16), 0xFF0000FFu);

    form.OpenFile_Click();
    EXPECT_FALSE(form.HS->isEnabled());
    EXPECT_EQ(form.Pic->shown().pixel(16, 16), 0xFF00FF00u);

    // Not an icon file: nothing to show, and replacing still names it with icon 0.
    form.OpenFile_Click();
    EXPECT_FALSE(form.HS->isEnabled());
    EXPECT_TRUE(form.Pic->shown().isNull());
    form.box("check1(1)")->setValue(1);
    form.Change_Click();
    EXPECT_EQ(store.value("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons", "6"),
              (none + ",0").toStdString());
}

TEST_F(RealIconsTest, ShippedLibraryHoldsEveryPresetIcon) {
    const QString library = QFile::decodeName(std::getenv("SUITE_BIN_DIR")) + QStringLiteral("/voveredav.icl");
    ASSERT_TRUE(QFile::exists(library));
    EXPECT_GE(real.count(library), 39);
    for (const IconTarget& row : iconTargets()) EXPECT_FALSE(real.picture(library, row.presetIcon).isNull());
    EXPECT_TRUE(real.picture(library, 9999).isNull());
    EXPECT_EQ(real.count(QStringLiteral("/no/such/file.icl")), 0);
}

}  // namespace
}  // namespace shellstyle
