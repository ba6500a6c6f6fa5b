// The sizing cursor each frame handle shows, by host window state and Fixed_Single.
#pragma once

#include <optional>

#include "skin/core/edge_resize.h"

namespace skin {

enum class HostState { Normal, Maximised, Minimised };

enum class FrameCursor { Arrow, SizeWestEast, SizeNorthSouth, SizeNwSe, SizeNeSw };

// The cursor of the handle for `edge`; nothing when it should stay as it was
// (a minimised host that is still resizable).
std::optional<FrameCursor> handleCursor(Edge edge, bool fixedSingle, HostState host);

}  // namespace skin
