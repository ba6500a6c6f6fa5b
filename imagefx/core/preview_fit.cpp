// Fitting the opened picture into the viewport.
#include "imagefx/core/preview_fit.h"

#include <cmath>

namespace imagefx {

namespace {
int whole(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

PreviewFit fitPreview(int width, int height, float viewW, int viewH) {
    PreviewFit f;
    if (width <= 0 || height <= 0 || viewW <= 0 || viewH <= 0) return f;
    f.ratioW = static_cast<double>(width) / viewW;
    f.ratioH = whole(static_cast<double>(height) / viewH);
    const int innerW = whole(viewW);
    if (f.ratioW >= 1 || f.ratioH >= 1) {
        f.scaled = true;
        if (f.ratioW >= f.ratioH) {
            const int h = whole(height / f.ratioW);
            f.box = QRect(0, whole((viewH - h) / 2.0), innerW, h);
        } else {
            const int w = whole(static_cast<double>(width) / f.ratioH);
            f.box = QRect(whole((viewW - w) / 2.0), 0, w, viewH);
        }
    } else {
        f.box = QRect(whole((viewW - width) / 2.0), whole((viewH - height) / 2.0), width, height);
    }
    return f;
}

}  // namespace imagefx
