// Image strips: a bitmap cut into equal cells addressed by index from 0.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace skin {

struct StripLayout {
    QSize cell;   // pixels
    int columns;  // cells left to right
    int rows;     // cells top to bottom
    int count() const { return columns * rows; }
};

// Where cell `index` lies in a strip, counted row by row; an empty rectangle for an
// index outside the strip.
QRect cellRect(const StripLayout& layout, int index);

// A copy of one cell; a null image when the index is outside the strip or the strip
// is smaller than its layout.
QImage cellImage(const QImage& strip, const StripLayout& layout, int index);

// The strips of the kit.
inline constexpr StripLayout kFaceStrip{{18, 21}, 5, 1};    // push button faces
inline constexpr StripLayout kBoxStrip{{16, 16}, 1, 12};    // check box cells
inline constexpr StripLayout kGlyphStrip{{21, 21}, 4, 1};   // caption button looks

}  // namespace skin
