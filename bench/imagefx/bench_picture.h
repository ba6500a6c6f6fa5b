// The picture the benchmarks work on: smooth colour with some noise, like a photograph.
#pragma once

#include <random>

#include "imagefx/core/picture.h"

namespace imagefx::bench {

inline Picture photoLike(int w, int h) {
    Picture p(w, h);
    std::mt19937 gen(42);
    std::uniform_int_distribution<int> noise(-12, 12);
    auto channel = [&](int v) { v += noise(gen); return v < 0 ? 0 : v > 255 ? 255 : v; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.set(x, y, rgbPixel(channel(255 * x / w), channel(255 * y / h), channel(128 + (x ^ y) % 64)));
    return p;
}

}  // namespace imagefx::bench
