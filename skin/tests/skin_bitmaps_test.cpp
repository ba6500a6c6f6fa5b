// The embedded skin bitmaps: sizes, the key-colour corners, the tick and the grey square.
#include "skin/skin_bitmaps.h"

#include <gtest/gtest.h>

#include "skin/core/strip.h"

namespace skin {
namespace {

bool isKey(QRgb p) {
    return (p & 0xFFFFFF) == 0xFF00FF;
}

QImage bitmapOf(const char* name) {
    return skinBitmap(QString::fromLatin1(name));
}

TEST(skin_bitmaps_test, frame_pieces_have_their_sizes_and_key_only_in_the_round_corners) {
    struct Piece {
        const char* name;
        QSize size;
        bool rounded;
    };
    const Piece pieces[] = {
        {bitmap::kTopActive, {66, 29}, true},      {bitmap::kTopInactive, {66, 29}, true},
        {bitmap::kTopMaxActive, {66, 29}, false},  {bitmap::kTopMaxInactive, {66, 29}, false},
        {bitmap::kLeftActive, {5, 31}, false},     {bitmap::kLeftInactive, {5, 31}, false},
        {bitmap::kRightActive, {5, 31}, false},    {bitmap::kRightInactive, {5, 31}, false},
        {bitmap::kBottomActive, {49, 5}, false},   {bitmap::kBottomInactive, {49, 5}, false},
    };
    const int cut[5] = {5, 3, 2, 1, 1};
    for (const Piece& p : pieces) {
        const QImage img = bitmapOf(p.name);
        ASSERT_EQ(img.size(), p.size) << p.name;
        EXPECT_EQ(img.format(), QImage::Format_Indexed8) << p.name;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const int fromEnd = std::min(x, img.width() - 1 - x);
                const bool wanted = p.rounded && y < 5 && fromEnd < cut[y];
                EXPECT_EQ(isKey(img.pixel(x, y)), wanted) << p.name << " at " << x << "," << y;
            }
        }
    }
    // The two looks: saturated blue and pale blue-grey in the middle of the title.
    const QColor active(bitmapOf(bitmap::kTopActive).pixel(33, 14));
    const QColor inactive(bitmapOf(bitmap::kTopInactive).pixel(33, 14));
    EXPECT_LT(active.red(), 30);
    EXPECT_GT(active.blue(), 200);
    EXPECT_GT(inactive.red(), 100);
    EXPECT_GT(inactive.saturation(), 0);
    EXPECT_LT(inactive.saturation(), active.saturation());
}

TEST(skin_bitmaps_test, box_cells_carry_the_tick_and_square_on_their_exact_pixels) {
    const QImage boxes = bitmapOf(bitmap::kBoxes);
    ASSERT_EQ(boxes.size(), QSize(16, 192));
    struct Run {
        int y, x0, x1;
    };
    const Run tick[] = {{3, 11, 11}, {4, 10, 11}, {5, 9, 11}, {6, 2, 2},  {6, 8, 11}, {7, 2, 3},  {7, 7, 10},
                        {8, 2, 4},   {8, 6, 9},   {9, 2, 8},  {10, 3, 7}, {11, 4, 6}, {12, 5, 5}};
    auto onTick = [&](int x, int y) {
        for (const Run& r : tick)
            if (r.y == y && x >= r.x0 && x <= r.x1)
                return true;
        return false;
    };
    const QImage ticked = cellImage(boxes, kBoxStrip, 4);
    int tickPixels = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool green = ticked.pixel(x, y) == qRgb(32, 160, 32);
            EXPECT_EQ(green, onTick(x, y)) << x << "," << y;
            tickPixels += green;
        }
    EXPECT_EQ(tickPixels, 40);
    const QImage greyHot = cellImage(boxes, kBoxStrip, 9);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool inSquare = x >= 3 && x <= 12 && y >= 3 && y <= 12;
            EXPECT_EQ(greyHot.pixel(x, y) == qRgb(32, 160, 32), inSquare) << x << "," << y;
        }
    EXPECT_EQ(cellImage(boxes, kBoxStrip, 0).pixel(0, 0), qRgb(31, 80, 128));
    EXPECT_EQ(cellImage(boxes, kBoxStrip, 3).pixel(0, 0), qRgb(207, 207, 191));
}

TEST(skin_bitmaps_test, face_and_glyph_strips_have_their_cells) {
    EXPECT_EQ(bitmapOf(bitmap::kFaces).size(), QSize(90, 21));
    const QImage faces = bitmapOf(bitmap::kFaces);
    EXPECT_EQ(faces.pixel(9, 0), qRgb(0, 60, 116));                 // normal: dark blue border
    EXPECT_EQ(faces.pixel(3 * 18 + 9, 1), qRgb(255, 240, 207));     // hot: warm ring at the top
    EXPECT_EQ(faces.pixel(4 * 18 + 9, 19), qRgb(105, 130, 238));    // default: blue ring at the bottom
    EXPECT_EQ(faces.pixel(2 * 18 + 9, 10), qRgb(245, 244, 234));    // disabled: flat fill
    for (const char* g : {bitmap::kGlyphClose, bitmap::kGlyphMaximise, bitmap::kGlyphMinimise, bitmap::kGlyphRestore})
        EXPECT_EQ(bitmapOf(g).size(), QSize(84, 21)) << g;
    EXPECT_EQ(bitmapOf(bitmap::kDefaultIcon).size(), QSize(16, 16));
    EXPECT_TRUE(bitmapOf("no_such_bitmap").isNull());
}

}  // namespace
}  // namespace skin
