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

TEST(PreviewFit, WidthDecidesHeightDecidesOrOwnSize) {
    const float vw = 317;
    const int vh = 309;
    const PreviewFit wide = fitPreview(1600, 1200, vw, vh);
    EXPECT_TRUE(wide.scaled);
    EXPECT_EQ(wide.ratioH, 4);
    EXPECT_EQ(wide.box, QRect(0, 36, 317, 238));  // 1200 / (1600/317) = 237.75

    const PreviewFit tall = fitPreview(600, 1200, vw, vh);  // RatioW 1.89, RatioH round(3.88) = 4
    EXPECT_TRUE(tall.scaled);
    EXPECT_EQ(tall.box, QRect(84, 0, 150, 309));      // (317 - 150) / 2 = 83.5, to even

    const PreviewFit small = fitPreview(100, 100, vw, vh);
    EXPECT_FALSE(small.scaled);
    EXPECT_EQ(small.box, QRect(108, 104, 100, 100));  // 108.5 and 104.5, to even

    // Narrower than the viewport but a bit over half its height: RatioH rounds to 1, so the
    // picture keeps its width and takes the full height.
    const PreviewFit quirk = fitPreview(200, 160, vw, vh);
    EXPECT_EQ(quirk.ratioH, 1);
    EXPECT_EQ(quirk.box, QRect(58, 0, 200, 309));
    // Exactly half the height rounds to 0 (ties to even): shown at its own size.
    EXPECT_FALSE(fitPreview(200, 309 / 2 + 0, vw, 308).scaled);
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

TEST(FormLayout, FilterButtonsFitTheirFrame) {
    const auto tops = layout::filterButtonTops();
    EXPECT_EQ(tops[1], 535);
    EXPECT_LE(tops.back() + layout::kButtonH, layout::kFrame1H);
}

}  // namespace
}  // namespace imagefx
