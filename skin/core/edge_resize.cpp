// Border and grip resizing of a frame's host window: one edge code per handle.
#include "skin/core/edge_resize.h"

#include <cstdint>
#include <limits>

namespace skin {

namespace {

// Which of the geometry's parts move with the pointer, per edge code:
// left += dx, top += dy, width += sw * dx, height += sh * dy.
struct EdgeRule {
    int left;
    int top;
    int width;
    int height;
};

constexpr EdgeRule kRules[kEdgeCount] = {
    {1, 0, -1, 0},   // left
    {0, 0, 1, 0},    // right
    {0, 1, 0, -1},   // top
    {0, 0, 0, 1},    // bottom
    {0, 0, 1, 1},    // bottom-right
    {1, 0, -1, 1},   // bottom-left
    {0, 1, 1, -1},   // top-right
    {1, 1, -1, -1},  // top-left
};

bool fits(std::int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

}  // namespace

std::optional<QRect> resizedGeometry(const QRect& host, Edge edge, QPoint press, QPoint release) {
    const int code = static_cast<int>(edge);
    if (code < 0 || code >= kEdgeCount)
        return std::nullopt;
    const EdgeRule& r = kRules[code];
    const std::int64_t dx = std::int64_t(release.x()) - press.x();
    const std::int64_t dy = std::int64_t(release.y()) - press.y();
    const std::int64_t left = host.x() + r.left * dx;
    const std::int64_t top = host.y() + r.top * dy;
    const std::int64_t width = host.width() + r.width * dx;
    const std::int64_t height = host.height() + r.height * dy;
    if (!fits(left) || !fits(top) || !fits(width) || !fits(height) || width < 0 || height < 0)
        return std::nullopt;
    if (!fits(left + width) || !fits(top + height))
        return std::nullopt;
    return QRect(int(left), int(top), int(width), int(height));
}

}  // namespace skin
