// Slice geometry for painting skin pieces: three-slice title strips, nine-slice faces.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

namespace skin {

// One copy of a painted piece: the source rectangle in the skin bitmap and the
// destination rectangle on the element, both in pixels.
struct SlicePiece {
    QRect dst;
    QRect src;
};

// Width of the corner caps at each end of a title strip.
inline constexpr int kCapWidth = 5;
// Frame zone of a button face cell (corners copied 1:1, edges stretched).
inline constexpr int kFaceEdge = 3;

// The three slices (left cap, stretched middle, right cap) that paint a strip of
// `strip` size over a bar of `bar` size. Pieces whose destination would have no
// area are left out, so a bar narrower than both caps gets only the caps.
std::vector<SlicePiece> threeSlice(QSize strip, QSize bar);

// The nine pieces of a face cell of `cell` size painted over a `target`-sized control,
// in paint order: four corners, top, right, left and bottom edges, centre.
// Pieces with no destination area are left out.
std::vector<SlicePiece> nineSlice(QSize cell, QSize target);

}  // namespace skin
