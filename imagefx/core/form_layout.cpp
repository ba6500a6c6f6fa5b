// Layout arithmetic of the main window.
#include "imagefx/core/form_layout.h"

#include <cmath>

namespace imagefx::layout {

namespace {
int px(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel)); }
}  // namespace

QRect pixels(int left, int top, int width, int height) {
    const int l = px(left), t = px(top);
    return QRect(l, t, px(left + width) - l, px(top + height) - t);
}

std::array<int, 7> filterButtonTops() {
    std::array<int, 7> tops{};
    tops[0] = 240;
    for (std::size_t i = 1; i < tops.size(); ++i) tops[i] = tops[i - 1] + kButtonH + 5;
    return tops;
}

}  // namespace imagefx::layout
