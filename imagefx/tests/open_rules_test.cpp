// Tests of the rules around opening a picture: size, caption, preview fit, enabling, files.
#include <filesystem>

#include <gtest/gtest.h>

#include "imagefx/core/caption.h"
#include "imagefx/core/enabling.h"
#include "imagefx/core/file_places.h"
#include "imagefx/core/form_layout.h"
#include "imagefx/core/preview_fit.h"
#include "imagefx/core/size_check.h"

namespace imagefx {
namespace {

TEST(SizeCheck, RefusesOnlyWhenBothSidesAreOverOrMemoryWouldRunOut) {
    EXPECT_TRUE(acceptedSize(1600, 1200));
    EXPECT_FALSE(acceptedSize(1601, 1201));
    EXPECT_TRUE(acceptedSize(1601, 1200));
    EXPECT_TRUE(acceptedSize(1600, 1201));
    EXPECT_TRUE(acceptedSize(3000, 1000));
    EXPECT_TRUE(acceptedSize(1000, 3000));
    EXPECT_TRUE(acceptedSize(1, 1));
    // Narrow enough for the rule but too many pixels to hold.
    EXPECT_FALSE(acceptedSize(1600, 1'000'000));
    EXPECT_FALSE(acceptedSize(2'000'000'000, 1));
    EXPECT_FALSE(fitsInMemory(std::int64_t{1} << 31, std::int64_t{1} << 31));  // no overflow
    EXPECT_TRUE(fitsInMemory(1600, 40000));
}

TEST(Caption, NumbersCarryALeadingBlank) {
    EXPECT_EQ(windowCaption(kAppTitle, "/home/u/a b.jpg", 640, 480),
              QStringLiteral("imagefx-/home/u/a b.jpg( 640x 480)"));
    EXPECT_EQ(signedNumberText(-3), QStringLiteral("-3"));
    EXPECT_EQ(signedNumberText(0), QStringLiteral(" 0"));
}

TEST(PreviewFit, KeepsProportionsNeverEnlargesAndCentres) {
    const int vw = 317, vh = 309;
    // Smaller than the viewport: own size, centred (each of these was once stretched).
    EXPECT_EQ(fitPreview(301, 199, vw, vh), QRect(8, 55, 301, 199));
    EXPECT_EQ(fitPreview(195, 195, vw, vh), QRect(61, 57, 195, 195));
    EXPECT_EQ(fitPreview(317, 309, vw, vh), QRect(0, 0, 317, 309));
    // Larger: the side that decides fills the viewport, the other keeps the proportion.
    EXPECT_EQ(fitPreview(330, 460, vw, vh), QRect(47, 0, 222, 309));  // 330 * 309 / 460 = 221.7
    EXPECT_EQ(fitPreview(1600, 1200, vw, vh), QRect(0, 35, 317, 238));
    EXPECT_EQ(fitPreview(3000, 1000, vw, vh), QRect(0, 101, 317, 106));
    // A sliver keeps one pixel; nothing to show gives an empty box.
    EXPECT_EQ(fitPreview(20000, 1, vw, vh), QRect(0, 154, 317, 1));
    EXPECT_TRUE(fitPreview(0, 10, vw, vh).isEmpty());
}

TEST(Enabling, FollowsOpenRefuseFilterAndFlip) {
    Enabling e;
    auto state = [&] {
        std::string s;
        for (int g = 0; g < kButtonGroups; ++g) s += e.enabled(static_cast<ButtonGroup>(g)) ? '1' : '0';
        return s;  // Open Presets Custom Save Flips Wallpaper
    };
    EXPECT_EQ(state(), "100000");
    e.apply(FormEvent::Opened);
    EXPECT_EQ(state(), "111011");  // Save keeps its state
    e.apply(FormEvent::Filtered);
    EXPECT_EQ(state(), "111111");
    e.apply(FormEvent::Refused);
    EXPECT_EQ(state(), "100011");  // flips and wallpaper stay as they were
    e.apply(FormEvent::Opened);
    EXPECT_EQ(state(), "111011");
}

TEST(FilePlaces, ProgramFolderWhenWritableElseTheDataFolder) {
    const auto root = std::filesystem::temp_directory_path() / "imagefx-places";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "bin");
    bool writable = true;
    FilePlaces places(root / "bin", root / "data" / "suite",
                      [&](const std::filesystem::path&) { return writable; });
    EXPECT_EQ(places.displayFile(), root / "bin" / "Very.bmp");
    writable = false;
    EXPECT_EQ(places.savedFile(), root / "data" / "suite" / "ok.bmp");
    EXPECT_TRUE(std::filesystem::is_directory(root / "data" / "suite"));
    EXPECT_FALSE(FilePlaces::folderWritable(root / "missing"));
    EXPECT_TRUE(FilePlaces::folderWritable(root / "bin"));
}

TEST(FormLayout, ButtonsSitBelowTheFrameTitlesAndTheWindowGrowsOnlyWhenItMust) {
    // Nothing asked for: the design, pixel for pixel, the filter buttons 5 apart.
    const layout::ColumnLayout design = layout::layoutColumn({});
    EXPECT_EQ(design.frame1Buttons[0], layout::pixels(240, 240, 975, 290));
    EXPECT_EQ(design.frame1Buttons[1], layout::pixels(240, 535, 975, 290));
    EXPECT_EQ(design.frame2Buttons[2], layout::pixels(240, 840, 975, 290));
    EXPECT_EQ(design.frame2, layout::pixels(4920, 3000, 1455, 1215));
    EXPECT_EQ(design.form, QSize(431, 315));
    // The titled frames and CJK fonts in use here fit the design window; a much larger
    // font moves everything down and grows it. Either way each button is inside its frame
    // below the title, wide and high enough, and nothing overlaps.
    for (const layout::ColumnNeeds n : {layout::ColumnNeeds{23, 3, 3, 74, 19}, layout::ColumnNeeds{30, 4, 3, 90, 28}}) {
        const layout::ColumnLayout c = layout::layoutColumn(n);
        auto inFrame = [&](const auto& buttons, const QRect& frame) {
            for (std::size_t i = 0; i < buttons.size(); ++i) {
                const QRect& b = buttons[i];
                EXPECT_TRUE(QRect(0, n.frameTop, frame.width(), frame.height() - n.frameTop - n.frameBottom).contains(b));
                EXPECT_TRUE(b.width() >= n.buttonW && b.height() >= n.buttonH);
                EXPECT_TRUE(i == 0 || b.top() > buttons[i - 1].bottom());
            }
        };
        inFrame(c.frame1Buttons, c.frame1);
        inFrame(c.frame2Buttons, c.frame2);
        EXPECT_TRUE(c.comOpen.bottom() < c.frame1.top() && c.frame1.bottom() < c.frame2.top() &&
                    c.frame2.bottom() < c.save.top() && c.save.bottom() < c.form.height());
        EXPECT_EQ(c.viewport.height(), c.form.height() - 2);
        EXPECT_EQ(c.form.height() > design.form.height(), n.buttonH > 19);
    }
}

}  // namespace
}  // namespace imagefx
