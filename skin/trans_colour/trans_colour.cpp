// Shapes a window by a colour key: key pixels in its top rows are cut out of it.
#include "skin/trans_colour/trans_colour.h"

#include <QWidget>

namespace skin {

void shape_by_colour(QWidget* form, const QImage& surface, QRgb key) {
    if (!form)
        return;
    form->setMask(keyColourRegion(surface, form->size(), key));
}

void shape_by_colour(QWidget* form, QRgb key) {
    if (!form)
        return;
    const int rows = qMin(kShapedRows, form->height());
    const QImage surface = form->grab(QRect(0, 0, form->width(), rows)).toImage();
    shape_by_colour(form, surface, key);
}

}  // namespace skin
