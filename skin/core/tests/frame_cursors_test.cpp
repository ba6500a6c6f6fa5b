// The cursors of the frame's handles in the normal, maximised and fixed states.
#include "skin/core/frame_cursors.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(frame_cursors_test, a_resizable_normal_host_gets_sizing_cursors_by_direction) {
    auto at = [](Edge e) { return handleCursor(e, false, HostState::Normal); };
    EXPECT_EQ(at(Edge::Left), FrameCursor::SizeWestEast);
    EXPECT_EQ(at(Edge::Right), FrameCursor::SizeWestEast);
    EXPECT_EQ(at(Edge::Top), FrameCursor::SizeNorthSouth);
    EXPECT_EQ(at(Edge::Bottom), FrameCursor::SizeNorthSouth);
    // Opposite corners share a diagonal.
    EXPECT_EQ(at(Edge::BottomRight), FrameCursor::SizeNwSe);
    EXPECT_EQ(at(Edge::TopLeft), FrameCursor::SizeNwSe);
    EXPECT_EQ(at(Edge::BottomLeft), FrameCursor::SizeNeSw);
    EXPECT_EQ(at(Edge::TopRight), FrameCursor::SizeNeSw);
}

TEST(frame_cursors_test, maximised_or_fixed_hosts_show_arrows_and_minimised_ones_keep_theirs) {
    for (int code = 0; code < kEdgeCount; ++code) {
        EXPECT_EQ(handleCursor(Edge(code), false, HostState::Maximised), FrameCursor::Arrow);
        for (HostState s : {HostState::Normal, HostState::Maximised, HostState::Minimised})
            EXPECT_EQ(handleCursor(Edge(code), true, s), FrameCursor::Arrow);
        EXPECT_FALSE(handleCursor(Edge(code), false, HostState::Minimised));
    }
}

}  // namespace
}  // namespace skin
