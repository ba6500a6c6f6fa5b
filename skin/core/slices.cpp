// Slice geometry for painting skin pieces: three-slice title strips, nine-slice faces.
#include "skin/core/slices.h"

namespace skin {

namespace {

void add(std::vector<SlicePiece>& out, QRect dst, QRect src) {
    if (dst.width() > 0 && dst.height() > 0 && src.width() > 0 && src.height() > 0)
        out.push_back({dst, src});
}

}  // namespace

std::vector<SlicePiece> threeSlice(QSize strip, QSize bar) {
    const int s = strip.width();
    const int sh = strip.height();
    const int w = bar.width();
    const int h = bar.height();
    std::vector<SlicePiece> out;
    add(out, {0, 0, kCapWidth, h}, {0, 0, kCapWidth, sh});
    add(out, {kCapWidth, 0, w - 2 * kCapWidth, h}, {kCapWidth, 0, s - 2 * kCapWidth, sh});
    add(out, {w - kCapWidth, 0, kCapWidth, h}, {s - kCapWidth, 0, kCapWidth, sh});
    return out;
}

std::vector<SlicePiece> nineSlice(QSize cell, QSize target) {
    const int e = kFaceEdge;
    const int cw = cell.width();
    const int ch = cell.height();
    const int w = target.width();
    const int h = target.height();
    const int midW = cw - 2 * e;
    const int midH = ch - 2 * e;
    std::vector<SlicePiece> out;
    add(out, {0, 0, e, e}, {0, 0, e, e});
    add(out, {w - e, 0, e, e}, {cw - e, 0, e, e});
    add(out, {w - e, h - e, e, e}, {cw - e, ch - e, e, e});
    add(out, {0, h - e, e, e}, {0, ch - e, e, e});
    add(out, {e, 0, w - 2 * e, e}, {e, 0, midW, e});
    add(out, {w - e, e, e, h - 2 * e}, {cw - e, e, e, midH});
    add(out, {0, e, e, h - 2 * e}, {0, e, e, midH});
    add(out, {e, h - e, w - 2 * e, e}, {e, ch - e, midW, e});
    add(out, {e, e, w - 2 * e, h - 2 * e}, {e, e, midW, midH});
    return out;
}

}  // namespace skin
