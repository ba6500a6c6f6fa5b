// The window shape computed from key-colour pixels in the top rows of a surface.
#include "skin/core/key_colour_region.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

int area(const QRegion& r) {
    int a = 0;
    for (const QRect& rect : r)
        a += rect.width() * rect.height();
    return a;
}

// A surface with the rounded title corners: rows 0-4 lose 5, 3, 2, 1, 1 pixels at each end.
QImage roundedSurface(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(0, 81, 229));
    const int cut[5] = {5, 3, 2, 1, 1};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < cut[y]; ++x) {
            img.setPixel(x, y, kKeyColour);
            img.setPixel(w - 1 - x, y, kKeyColour);
        }
    return img;
}

TEST(key_colour_region_test, rounded_corners_lose_exactly_their_key_pixels) {
    const QRegion r = keyColourRegion(roundedSurface(200, 100), {200, 100});
    EXPECT_EQ(area(r), 200 * 100 - 24);
    EXPECT_FALSE(r.contains(QPoint(4, 0)));
    EXPECT_TRUE(r.contains(QPoint(5, 0)));
    EXPECT_FALSE(r.contains(QPoint(199, 4)));
    EXPECT_TRUE(r.contains(QPoint(1, 4)));
    EXPECT_TRUE(r.contains(QPoint(0, 5)));
    EXPECT_TRUE(r.contains(QPoint(0, 99)));  // bottom corners stay
}

TEST(key_colour_region_test, only_exact_key_pixels_in_the_top_six_rows_count) {
    QImage img(50, 20, QImage::Format_ARGB32);
    img.fill(qRgb(255, 255, 255));
    img.setPixel(10, 5, kKeyColour);                  // row 5: cut
    img.setPixel(10, 6, kKeyColour);                  // row 6: kept
    img.setPixel(11, 0, qRgb(254, 0, 255));           // near the key: kept
    img.setPixel(12, 0, qRgba(255, 0, 255, 0));       // key RGB, transparent: cut
    const QRegion r = keyColourRegion(img, {50, 20});
    EXPECT_FALSE(r.contains(QPoint(10, 5)));
    EXPECT_TRUE(r.contains(QPoint(10, 6)));
    EXPECT_TRUE(r.contains(QPoint(11, 0)));
    EXPECT_FALSE(r.contains(QPoint(12, 0)));
    EXPECT_EQ(area(r), 50 * 20 - 2);
}

TEST(key_colour_region_test, surfaces_of_another_size_never_cut_outside_the_client) {
    // A surface wider than the client: its key pixels beyond the client edge change nothing.
    const QRegion wide = keyColourRegion(roundedSurface(120, 10), {100, 10});
    EXPECT_EQ(area(wide), 100 * 10 - 12);
    // A surface smaller than the client, or none at all.
    EXPECT_EQ(area(keyColourRegion(roundedSurface(20, 3), {100, 50})), 100 * 50 - 2 * (5 + 3 + 2));
    EXPECT_EQ(area(keyColourRegion(QImage(), {30, 30})), 900);
    EXPECT_TRUE(keyColourRegion(roundedSurface(20, 20), {0, 0}).isEmpty());
}

}  // namespace
}  // namespace skin
