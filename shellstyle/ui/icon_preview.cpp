// Painting the icon preview.
#include "shellstyle/ui/icon_preview.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace shellstyle::ui {
namespace {

// A picture to assistive technology, not a bare frame; the name comes from the form.
QAccessibleInterface* previewAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String("shellstyle::ui::IconPreview") || !object || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

}  // namespace

IconPreview::IconPreview(QWidget* parent) : QFrame(parent) {
    static const bool installed = (QAccessible::installFactory(&previewAccessible), true);
    (void)installed;
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
