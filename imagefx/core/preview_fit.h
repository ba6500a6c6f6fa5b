// Where the preview box sits in the viewport.
#pragma once

#include <QRect>

namespace imagefx {

// The picture's box inside a viewport of viewW x viewH pixels: scaled down to fit,
// keeping its proportions, never enlarged (a small picture keeps its own size), centred.
QRect fitPreview(int width, int height, int viewW, int viewH);

}  // namespace imagefx
