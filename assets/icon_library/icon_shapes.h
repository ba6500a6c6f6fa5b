// Drawing pieces shared by the library's pictures: gradients, outlines, shadows.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace icon_library {

QLinearGradient verticalGradient(const QRectF& r, const QColor& top, const QColor& bottom);
QRadialGradient glossGradient(const QPointF& centre, qreal radius, const QColor& light, const QColor& dark);

// A soft drop shadow under a shape, down and to the right.
void shadow(QPainter& p, const QPainterPath& shape);
// Fills a shape with a top-to-bottom gradient and outlines it darker.
void fillShape(QPainter& p, const QPainterPath& shape, const QColor& top, const QColor& bottom, const QColor& outline);
void roundBox(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom, const QColor& outline);

// Recurring objects.
void page(QPainter& p, const QRectF& r, const QColor& tint);          // a sheet with a folded corner
void textLines(QPainter& p, const QRectF& r, const QColor& colour);   // ruled "text" on a sheet
void folder(QPainter& p, const QRectF& r, bool open);
void monitor(QPainter& p, const QRectF& r, const QColor& screenTop, const QColor& screenBottom);
void globe(QPainter& p, const QPointF& centre, qreal radius);
void appWindow(QPainter& p, const QRectF& r, const QColor& titleTop, const QColor& titleBottom);
void disc(QPainter& p, const QPointF& centre, qreal radius);
void arrow(QPainter& p, const QPointF& from, const QPointF& to, qreal width, const QColor& fill, const QColor& outline);
void label(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, qreal pixelSize, bool bold = true);

}  // namespace icon_library
