// Where the preview box sits in the viewport, and at what size the picture is drawn into it.
#pragma once

#include <QRect>

namespace imagefx {

struct PreviewFit {
    double ratioW = 0;  // RatioW: width / viewport width
    int ratioH = 0;     // RatioH: height / viewport height, rounded (ties to even)
    QRect box;          // Pic3 inside the viewport, in viewport pixels
    bool scaled = false;  // false: the picture is shown at its own size
};

// viewW and viewH are the viewport's inner size in pixels. Because RatioH is a rounded
// whole number, a picture narrower than the viewport and between half and one and a half
// times its height is drawn at its own width and the full viewport height.
PreviewFit fitPreview(int width, int height, float viewW, int viewH);

}  // namespace imagefx
