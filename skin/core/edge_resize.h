// Border and grip resizing of a frame's host window: one edge code per handle.
#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

namespace skin {

enum class Edge : int {
    Left = 0,
    Right = 1,
    Top = 2,
    Bottom = 3,
    BottomRight = 4,
    BottomLeft = 5,
    TopRight = 6,
    TopLeft = 7,
};
inline constexpr int kEdgeCount = 8;

// The host geometry after dragging handle `edge` from `press` to `release` (screen
// pixels). Nothing when the result would have a negative width or height or leave
// the integer range: such a resize is refused and the host keeps its geometry.
std::optional<QRect> resizedGeometry(const QRect& host, Edge edge, QPoint press, QPoint release);

}  // namespace skin
