// The frame's painted bars, its invisible resize grips and its title-bar icon.
#include "skin/xp_canvas/frame_parts.h"

#include <QPainter>

namespace skin {

void FrameBar::paintEvent(QPaintEvent*) {
    if (image.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, image);
}

void FrameIcon::paintEvent(QPaintEvent*) {
    if (image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), image);
}

}  // namespace skin
