// Painting a stretched picture.
#include "imagefx/ui/picture_view.h"

#include <QPainter>

namespace imagefx::ui {

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setImage(const QImage& image) {
    if (image.isNull() || width() <= 0 || height() <= 0)
        shown_ = QImage();
    else if (image.size() == size())
        shown_ = image.copy();
    else
        shown_ = image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!shown_.isNull()) painter.drawImage(0, 0, shown_);
}

}  // namespace imagefx::ui
