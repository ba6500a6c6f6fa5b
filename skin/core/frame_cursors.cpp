// The sizing cursor each frame handle shows, by host window state and Fixed_Single.
#include "skin/core/frame_cursors.h"

namespace skin {

namespace {

// Sizing cursor of each handle, by edge code.
constexpr FrameCursor kSizing[kEdgeCount] = {
    FrameCursor::SizeWestEast,    // left bar
    FrameCursor::SizeWestEast,    // right bar
    FrameCursor::SizeNorthSouth,  // top grip
    FrameCursor::SizeNorthSouth,  // bottom bar
    FrameCursor::SizeNwSe,        // bottom-right
    FrameCursor::SizeNeSw,        // bottom-left
    FrameCursor::SizeNeSw,        // top-right
    FrameCursor::SizeNwSe,        // top-left
};

}  // namespace

std::optional<FrameCursor> handleCursor(Edge edge, bool fixedSingle, HostState host) {
    const int code = static_cast<int>(edge);
    if (code < 0 || code >= kEdgeCount)
        return std::nullopt;
    if (fixedSingle)
        return FrameCursor::Arrow;
    switch (host) {
    case HostState::Normal:
        return kSizing[code];
    case HostState::Maximised:
        return FrameCursor::Arrow;
    case HostState::Minimised:
        break;
    }
    return std::nullopt;
}

}  // namespace skin
