// Fitting the opened picture into the viewport.
#include "imagefx/core/preview_fit.h"

#include <algorithm>
#include <cmath>

namespace imagefx {

QRect fitPreview(int width, int height, int viewW, int viewH) {
    if (width <= 0 || height <= 0 || viewW <= 0 || viewH <= 0) return {};
    const double scale = std::min({1.0, static_cast<double>(viewW) / width, static_cast<double>(viewH) / height});
    // The side that decides comes out exactly the viewport's; the other is rounded and
    // kept at least one pixel.
    const int w = std::clamp(static_cast<int>(std::lround(width * scale)), 1, viewW);
    const int h = std::clamp(static_cast<int>(std::lround(height * scale)), 1, viewH);
    return QRect((viewW - w) / 2, (viewH - h) / 2, w, h);
}

}  // namespace imagefx
