// Shapes a window by a colour key: key pixels in its top rows are cut out of it.
#pragma once

#include <QImage>
#include <QRgb>

#include "skin/core/key_colour_region.h"

class QWidget;

namespace skin {

// Sets the form's mask to its client rectangle minus the key-colour pixels in the top
// six rows of `surface`, the form's own drawing surface.
void shape_by_colour(QWidget* form, const QImage& surface, QRgb key = kKeyColour);
// The same with the form's rendering (QWidget::grab) as its surface.
void shape_by_colour(QWidget* form, QRgb key = kKeyColour);

}  // namespace skin
