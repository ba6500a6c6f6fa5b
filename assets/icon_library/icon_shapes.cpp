// Drawing pieces of the library's pictures: bright gradients, dark outlines, shadows.
#include "icon_shapes.h"

#include <QFont>
#include <QtMath>

namespace icon_library {

QLinearGradient verticalGradient(const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QRadialGradient glossGradient(const QPointF& centre, qreal radius, const QColor& light, const QColor& dark) {
    QRadialGradient g(centre, radius, centre - QPointF(radius * 0.35, radius * 0.4));
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    return g;
}

void shadow(QPainter& p, const QPainterPath& shape) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawPath(shape.translated(1.6, 1.6));
    p.setBrush(QColor(0, 0, 0, 35));
    p.drawPath(shape.translated(0.8, 0.8));
    p.restore();
}

void fillShape(QPainter& p, const QPainterPath& shape, const QColor& top, const QColor& bottom, const QColor& outline) {
    p.save();
    p.setBrush(verticalGradient(shape.boundingRect(), top, bottom));
    p.setPen(QPen(outline, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
    p.restore();
}

void roundBox(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom, const QColor& outline) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    fillShape(p, path, top, bottom, outline);
}

void page(QPainter& p, const QRectF& r, const QColor& tint) {
    const qreal fold = r.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    shadow(p, sheet);
    fillShape(p, sheet, Qt::white, tint, QColor(90, 100, 120));
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    fillShape(p, corner, QColor(250, 250, 250), QColor(200, 205, 215), QColor(90, 100, 120));
}

void textLines(QPainter& p, const QRectF& r, const QColor& colour) {
    p.save();
    p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::FlatCap));
    int i = 0;
    for (qreal y = r.top(); y <= r.bottom(); y += 3, ++i) {
        qreal end = (i % 3 == 2) ? r.left() + r.width() * 0.6 : r.right();
        p.drawLine(QPointF(r.left(), y), QPointF(end, y));
    }
    p.restore();
}

void folder(QPainter& p, const QRectF& r, bool open) {
    const QColor outline(176, 122, 20);
    const qreal tabW = r.width() * 0.42, tabH = r.height() * 0.16;
    QPainterPath back;
    back.moveTo(r.left(), r.top() + tabH);
    back.lineTo(r.left() + 1.5, r.top());
    back.lineTo(r.left() + tabW, r.top());
    back.lineTo(r.left() + tabW + 2, r.top() + tabH);
    back.lineTo(r.right(), r.top() + tabH);
    back.lineTo(r.right(), r.bottom());
    back.lineTo(r.left(), r.bottom());
    back.closeSubpath();
    shadow(p, back);
    fillShape(p, back, QColor(255, 226, 140), QColor(232, 180, 60), outline);
    if (open) {
        // a sheet peeping out and the front flap tipped forward
        p.save();
        p.setPen(QPen(QColor(150, 150, 150), 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.left() + 3, r.top() + tabH - 1.5, r.width() - 7, r.height() * 0.5));
        p.restore();
        QPainterPath front;
        front.moveTo(r.left() + r.width() * 0.18, r.top() + r.height() * 0.38);
        front.lineTo(r.right() + 1.5, r.top() + r.height() * 0.38);
        front.lineTo(r.right() - r.width() * 0.12, r.bottom());
        front.lineTo(r.left(), r.bottom());
        front.closeSubpath();
        fillShape(p, front, QColor(255, 240, 180), QColor(245, 200, 80), outline);
    } else {
        QPainterPath front;
        front.addRoundedRect(QRectF(r.left(), r.top() + tabH + 2.5, r.width(), r.height() - tabH - 2.5), 1, 1);
        fillShape(p, front, QColor(255, 236, 160), QColor(240, 190, 64), outline);
        p.save();
        p.setPen(QPen(QColor(255, 250, 220, 200), 1));
        p.drawLine(QPointF(r.left() + 1.5, r.top() + tabH + 4), QPointF(r.right() - 1.5, r.top() + tabH + 4));
        p.restore();
    }
}

void monitor(QPainter& p, const QRectF& r, const QColor& screenTop, const QColor& screenBottom) {
    QPainterPath body;
    body.addRoundedRect(r, 2, 2);
    shadow(p, body);
    fillShape(p, body, QColor(236, 236, 230), QColor(180, 180, 172), QColor(80, 80, 80));
    QRectF screen = r.adjusted(2.5, 2.5, -2.5, -3.5);
    p.save();
    p.setPen(QPen(QColor(60, 60, 70), 0.8));
    p.setBrush(verticalGradient(screen, screenTop, screenBottom));
    p.drawRect(screen);
    p.restore();
}

void globe(QPainter& p, const QPointF& c, qreal r) {
    QPainterPath ball;
    ball.addEllipse(c, r, r);
    shadow(p, ball);
    p.save();
    p.setBrush(glossGradient(c, r, QColor(170, 220, 255), QColor(20, 90, 200)));
    p.setPen(QPen(QColor(10, 50, 130), 1));
    p.drawPath(ball);
    p.setClipPath(ball);
    // continents
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 170, 60));
    QPainterPath land;
    land.moveTo(c + QPointF(-r * 0.7, -r * 0.5));
    land.cubicTo(c + QPointF(-r * 0.2, -r * 0.9), c + QPointF(r * 0.1, -r * 0.3), c + QPointF(-r * 0.1, r * 0.1));
    land.cubicTo(c + QPointF(-r * 0.3, r * 0.5), c + QPointF(-r * 0.8, r * 0.2), c + QPointF(-r * 0.7, -r * 0.5));
    p.drawPath(land);
    QPainterPath land2;
    land2.moveTo(c + QPointF(r * 0.3, -r * 0.1));
    land2.cubicTo(c + QPointF(r * 0.9, -r * 0.2), c + QPointF(r * 0.8, r * 0.6), c + QPointF(r * 0.3, r * 0.8));
    land2.cubicTo(c + QPointF(r * 0.1, r * 0.5), c + QPointF(r * 0.4, r * 0.2), c + QPointF(r * 0.3, -r * 0.1));
    p.drawPath(land2);
    p.setPen(QPen(QColor(255, 255, 255, 70), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(c + QPointF(-r, 0), c + QPointF(r, 0));
    p.restore();
}

void appWindow(QPainter& p, const QRectF& r, const QColor& titleTop, const QColor& titleBottom) {
    QPainterPath frame;
    frame.addRoundedRect(r, 1.5, 1.5);
    shadow(p, frame);
    fillShape(p, frame, titleTop, titleBottom, QColor(0, 40, 120));
    p.save();
    p.setPen(QPen(QColor(120, 130, 150), 0.7));
    p.setBrush(Qt::white);
    p.drawRect(r.adjusted(1.5, 5, -1.5, -1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 80, 50));
    p.drawRoundedRect(QRectF(r.right() - 4.5, r.top() + 1.2, 3, 3), 0.6, 0.6);
    p.restore();
}

void disc(QPainter& p, const QPointF& c, qreal r) {
    QPainterPath outer;
    outer.addEllipse(c, r, r);
    shadow(p, outer);
    QConicalGradient g(c, 30);
    g.setColorAt(0.0, QColor(235, 235, 245));
    g.setColorAt(0.15, QColor(255, 200, 230));
    g.setColorAt(0.3, QColor(180, 230, 255));
    g.setColorAt(0.45, QColor(240, 240, 250));
    g.setColorAt(0.6, QColor(200, 255, 200));
    g.setColorAt(0.75, QColor(255, 250, 190));
    g.setColorAt(0.9, QColor(210, 210, 240));
    g.setColorAt(1.0, QColor(235, 235, 245));
    p.save();
    p.setBrush(g);
    p.setPen(QPen(QColor(110, 110, 130), 1));
    p.drawPath(outer);
    p.setBrush(QColor(250, 250, 250));
    p.setPen(QPen(QColor(130, 130, 150), 0.8));
    p.drawEllipse(c, r * 0.28, r * 0.28);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.12, r * 0.12);
    p.restore();
}

void arrow(QPainter& p, const QPointF& from, const QPointF& to, qreal width, const QColor& fill, const QColor& outline) {
    const QLineF line(from, to);
    const qreal length = line.length();
    const qreal head = width * 1.9;
    QPainterPath path;
    path.moveTo(0, -width / 2);
    path.lineTo(length - head, -width / 2);
    path.lineTo(length - head, -width);
    path.lineTo(length, 0);
    path.lineTo(length - head, width);
    path.lineTo(length - head, width / 2);
    path.lineTo(0, width / 2);
    path.closeSubpath();
    QTransform t;
    t.translate(from.x(), from.y());
    t.rotate(-line.angle());
    QPainterPath placed = t.map(path);
    shadow(p, placed);
    fillShape(p, placed, fill.lighter(130), fill, outline);
}

void label(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, qreal pixelSize, bool bold) {
    p.save();
    QFont font("DejaVu Sans");
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

}  // namespace icon_library
