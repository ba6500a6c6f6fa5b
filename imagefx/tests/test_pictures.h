// Pictures and planes built for tests.
#pragma once

#include <functional>
#include <random>

#include "imagefx/core/picture.h"
#include "imagefx/core/planes.h"

namespace imagefx::testing {

inline Picture makePicture(int w, int h, const std::function<std::uint32_t(int x, int y)>& f) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.set(x, y, f(x, y));
    return p;
}

inline Picture randomPicture(int w, int h, unsigned seed) {
    std::mt19937 gen(seed);
    return makePicture(w, h, [&](int, int) {
        return rgbPixel(static_cast<int>(gen() % 256), static_cast<int>(gen() % 256),
                        static_cast<int>(gen() % 256));
    });
}

inline Planes planesOf(const Picture& p) {
    Planes planes;
    loadPlanes(p, planes, nullptr);
    return planes;
}

}  // namespace imagefx::testing
