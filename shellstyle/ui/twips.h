// Form lengths are twips; a standard screen has 15 twips per pixel.
#pragma once

#include <QRect>

namespace shellstyle::ui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) { return twips / kTwipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

}  // namespace shellstyle::ui
