// Three-slice and nine-slice geometry, including sizes smaller than the slices.
#include "skin/core/slices.h"

#include <gtest/gtest.h>

#include <QRegion>

namespace skin {
namespace {

TEST(slices_test, title_strip_caps_stay_unscaled_and_middle_stretches) {
    const auto pieces = threeSlice({66, 29}, {300, 29});
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].dst, QRect(0, 0, 5, 29));
    EXPECT_EQ(pieces[1].dst, QRect(5, 0, 290, 29));
    EXPECT_EQ(pieces[1].src, QRect(5, 0, 56, 29));
    EXPECT_EQ(pieces[2].dst, QRect(295, 0, 5, 29));
    EXPECT_EQ(pieces[2].src, QRect(61, 0, 5, 29));
}

TEST(slices_test, narrow_bars_get_only_the_caps) {
    const auto ten = threeSlice({66, 29}, {10, 29});
    ASSERT_EQ(ten.size(), 2u);
    EXPECT_EQ(ten[0].dst, QRect(0, 0, 5, 29));
    EXPECT_EQ(ten[1].dst, QRect(5, 0, 5, 29));
    for (int w : {0, 3, 7, 9}) {
        for (const SlicePiece& p : threeSlice({66, 29}, {w, 29})) {
            EXPECT_GT(p.dst.width(), 0) << w;
            EXPECT_NE(p.src, QRect(5, 0, 56, 29)) << "no middle slice at width " << w;
        }
    }
    EXPECT_TRUE(threeSlice({66, 29}, {100, 0}).empty());
}

TEST(slices_test, face_pieces_cover_the_control_exactly_once) {
    const QSize target(100, 30);
    const auto pieces = nineSlice({18, 21}, target);
    ASSERT_EQ(pieces.size(), 9u);
    int area = 0;
    QRegion covered;
    for (const SlicePiece& p : pieces) {
        area += p.dst.width() * p.dst.height();
        covered += p.dst;
        EXPECT_TRUE(QRect(0, 0, 18, 21).contains(p.src));
    }
    EXPECT_EQ(area, 100 * 30);
    EXPECT_EQ(covered, QRegion(0, 0, 100, 30));
}

TEST(slices_test, tiny_faces_keep_only_pieces_with_area) {
    for (QSize s : {QSize(2, 2), QSize(6, 6), QSize(0, 0), QSize(5, 40), QSize(-4, 10)}) {
        for (const SlicePiece& p : nineSlice({18, 21}, s)) {
            EXPECT_GT(p.dst.width(), 0);
            EXPECT_GT(p.dst.height(), 0);
        }
    }
    EXPECT_EQ(nineSlice({18, 21}, {6, 6}).size(), 4u);  // corners only
}

}  // namespace
}  // namespace skin
