// Image strips: a bitmap cut into equal cells addressed by index from 0.
#include "skin/core/strip.h"

namespace skin {

QRect cellRect(const StripLayout& layout, int index) {
    if (index < 0 || index >= layout.count())
        return {};
    const int col = index % layout.columns;
    const int row = index / layout.columns;
    return {QPoint(col * layout.cell.width(), row * layout.cell.height()), layout.cell};
}

QImage cellImage(const QImage& strip, const StripLayout& layout, int index) {
    const QRect r = cellRect(layout, index);
    if (r.isEmpty() || !strip.rect().contains(r))
        return {};
    return strip.copy(r);
}

}  // namespace skin
