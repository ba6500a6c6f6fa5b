// Border and grip resizing: the geometry each edge code gives, and refused sizes.
#include "skin/core/edge_resize.h"

#include <gtest/gtest.h>

#include <climits>

namespace skin {
namespace {

const QRect kHost(100, 50, 400, 300);

TEST(edge_resize_test, each_edge_moves_only_its_own_sides) {
    const QPoint press(500, 500);
    const QPoint release(530, 480);  // dx 30, dy -20
    EXPECT_EQ(resizedGeometry(kHost, Edge::Left, press, release), QRect(130, 50, 370, 300));
    EXPECT_EQ(resizedGeometry(kHost, Edge::Right, press, release), QRect(100, 50, 430, 300));
    EXPECT_EQ(resizedGeometry(kHost, Edge::Top, press, release), QRect(100, 30, 400, 320));
    EXPECT_EQ(resizedGeometry(kHost, Edge::Bottom, press, release), QRect(100, 50, 400, 280));
    EXPECT_EQ(resizedGeometry(kHost, Edge::BottomRight, press, release), QRect(100, 50, 430, 280));
    EXPECT_EQ(resizedGeometry(kHost, Edge::BottomLeft, press, release), QRect(130, 50, 370, 280));
    EXPECT_EQ(resizedGeometry(kHost, Edge::TopRight, press, release), QRect(100, 30, 430, 320));
    EXPECT_EQ(resizedGeometry(kHost, Edge::TopLeft, press, release), QRect(130, 30, 370, 320));
    // Right and left borders keep the opposite edge where it was.
    EXPECT_EQ(resizedGeometry(kHost, Edge::Left, press, release)->right(), kHost.right());
}

TEST(edge_resize_test, release_at_the_press_point_gives_the_same_geometry) {
    for (int code = 0; code < kEdgeCount; ++code)
        EXPECT_EQ(resizedGeometry(kHost, Edge(code), {7, 7}, {7, 7}), kHost) << code;
}

TEST(edge_resize_test, negative_sizes_and_overflow_are_refused) {
    // The left border dragged right past the right edge.
    EXPECT_FALSE(resizedGeometry(kHost, Edge::Left, {0, 0}, {401, 0}));
    EXPECT_TRUE(resizedGeometry(kHost, Edge::Left, {0, 0}, {400, 0}));  // zero width is a size
    EXPECT_FALSE(resizedGeometry(kHost, Edge::Bottom, {0, 0}, {0, -301}));
    EXPECT_FALSE(resizedGeometry(kHost, Edge::TopLeft, {0, 0}, {10, 301}));
    EXPECT_FALSE(resizedGeometry(kHost, Edge::Right, {INT_MIN, 0}, {INT_MAX, 0}));
    EXPECT_FALSE(resizedGeometry(kHost, Edge(9), {0, 0}, {1, 1}));
}

}  // namespace
}  // namespace skin
