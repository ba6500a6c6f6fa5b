// Painting the icon preview.
#include "shellstyle/ui/icon_preview.h"

#include <QPainter>

namespace shellstyle::ui {

IconPreview::IconPreview(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(236, 233, 216));
    setPalette(pal);
}

void IconPreview::Cls() {
    shown_ = QImage();
    update();
}

void IconPreview::drawIcon(const QImage& icon) {
    shown_ = icon;
    update();
}

void IconPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (shown_.isNull()) return;
    QPainter p(this);
    p.setClipRect(contentsRect());
    p.drawImage(contentsRect().topLeft(), shown_);
}

}  // namespace shellstyle::ui
