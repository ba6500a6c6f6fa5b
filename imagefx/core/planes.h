// The three colour planes the filters read: the opened picture split into red, green, blue.
#pragma once

#include <cstdint>

#include "imagefx/core/large_buffer.h"
#include "imagefx/core/picture.h"
#include "imagefx/core/progress_meter.h"

namespace imagefx {

enum class Channel { Red, Green, Blue };

// Each plane holds H rows of W channel values, [row][column], row-major. Loaded values
// are 0..255, so a byte each: half the memory the row loops stream through compared with
// 16-bit elements, and the arithmetic is done in 16 bits where the rules need it.
struct Planes {
    int width = 0;
    int height = 0;
    LargeBuffer<std::uint8_t> PlaneR;
    LargeBuffer<std::uint8_t> PlaneG;
    LargeBuffer<std::uint8_t> PlaneB;

    const LargeBuffer<std::uint8_t>& plane(Channel c) const {
        return c == Channel::Red ? PlaneR : c == Channel::Green ? PlaneG : PlaneB;
    }
    std::int16_t at(Channel c, int y, int x) const {
        return plane(c)[static_cast<std::size_t>(y) * width + x];
    }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    void release();
};

// Resizes the planes to the picture (old content discarded) and fills them row by row,
// reporting progress after each row.
void loadPlanes(const Picture& work, Planes& planes, ProgressSink* progress);

}  // namespace imagefx
