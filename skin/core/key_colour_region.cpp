// Window shape from a colour key: the client rectangle minus key pixels of the top rows.
#include "skin/core/key_colour_region.h"

namespace skin {

QRegion keyColourRegion(const QImage& surface, QSize client, QRgb key) {
    const int w = qMax(0, client.width());
    const int h = qMax(0, client.height());
    QRegion region(0, 0, w, h);
    const QRgb want = key & 0x00FFFFFFu;
    const int rows = qMin(kShapedRows, surface.height());
    // The scan runs to x = width inclusive; a read outside the surface never matches.
    const int columns = qMin(w + 1, surface.width());
    QRegion cut;
    for (int y = 0; y < rows; ++y) {
        int runStart = -1;
        for (int x = 0; x <= columns; ++x) {
            const bool match = x < columns && (surface.pixel(x, y) & 0x00FFFFFFu) == want;
            if (match && runStart < 0)
                runStart = x;
            if (!match && runStart >= 0) {
                cut += QRect(runStart, y, x - runStart, 1);
                runStart = -1;
            }
        }
    }
    return region.subtracted(cut);
}

}  // namespace skin
