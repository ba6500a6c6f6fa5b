// The library's pictures, one painting function per icon number.
#include "icon_pictures.h"

#include "icon_shapes.h"

#include <QtMath>

namespace icon_library {

namespace {

const QColor kInk(40, 40, 60);

void application(QPainter& p) {
    appWindow(p, QRectF(3, 5, 26, 22), QColor(90, 150, 255), QColor(0, 70, 210));
    roundBox(p, QRectF(7, 13, 8, 6), 1, QColor(255, 230, 120), QColor(240, 170, 40), QColor(150, 100, 20));
    textLines(p, QRectF(17, 13, 9, 10), QColor(120, 140, 180));
}

void textDocument(QPainter& p) {
    page(p, QRectF(6, 2, 20, 27), QColor(225, 232, 245));
    textLines(p, QRectF(9, 10, 14, 15), QColor(90, 110, 160));
}

void notes(QPainter& p) {
    page(p, QRectF(6, 4, 20, 25), QColor(255, 250, 200));
    textLines(p, QRectF(9, 11, 14, 14), QColor(120, 120, 160));
    p.save();
    p.setPen(QPen(QColor(100, 100, 110), 1.4));
    for (int x = 9; x <= 21; x += 4) p.drawLine(QPointF(x, 2.5), QPointF(x, 6));
    p.restore();
}

void pictureDocument(QPainter& p) {
    page(p, QRectF(5, 2, 22, 27), QColor(230, 235, 245));
    QRectF photo(8, 10, 16, 15);
    p.save();
    p.setPen(QPen(QColor(80, 90, 110), 0.8));
    p.setBrush(verticalGradient(photo, QColor(120, 190, 255), QColor(220, 240, 255)));
    p.drawRect(photo);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 40));
    p.drawEllipse(QPointF(20, 14), 2.2, 2.2);
    QPainterPath hills;
    hills.moveTo(8, 25);
    hills.lineTo(13, 17);
    hills.lineTo(17, 22);
    hills.lineTo(20, 19);
    hills.lineTo(24, 25);
    hills.closeSubpath();
    p.setBrush(QColor(60, 160, 60));
    p.drawPath(hills);
    p.restore();
}

void music(QPainter& p) {
    QPainterPath note;
    note.addEllipse(QPointF(10, 24), 4.5, 3.5);
    note.addEllipse(QPointF(23, 21), 4.5, 3.5);
    note.addRect(QRectF(13, 6, 2.2, 18));
    note.addRect(QRectF(26, 3, 2.2, 18));
    QPainterPath beam;
    beam.moveTo(13, 6);
    beam.lineTo(28.2, 3);
    beam.lineTo(28.2, 8);
    beam.lineTo(13, 11);
    beam.closeSubpath();
    note = note.united(beam);
    shadow(p, note);
    fillShape(p, note, QColor(120, 160, 255), QColor(20, 50, 170), QColor(10, 20, 90));
}

void film(QPainter& p) {
    roundBox(p, QRectF(3, 6, 26, 20), 1.5, QColor(70, 70, 80), QColor(20, 20, 30), QColor(0, 0, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 240));
    for (int x = 5; x < 28; x += 4) {
        p.drawRect(QRectF(x, 7.5, 2, 2));
        p.drawRect(QRectF(x, 22.5, 2, 2));
    }
    p.setBrush(verticalGradient(QRectF(6, 11, 9, 10), QColor(140, 200, 255), QColor(40, 110, 200)));
    p.drawRect(QRectF(6, 11, 9, 10));
    p.setBrush(verticalGradient(QRectF(17, 11, 9, 10), QColor(255, 200, 120), QColor(220, 100, 40)));
    p.drawRect(QRectF(17, 11, 9, 10));
    p.restore();
}

void controlPanel(QPainter& p) {
    monitor(p, QRectF(3, 3, 20, 17), QColor(80, 150, 255), QColor(20, 70, 190));
    // a gear in front and a slider panel
    roundBox(p, QRectF(5, 21, 16, 6), 1, QColor(240, 240, 235), QColor(190, 190, 180), QColor(90, 90, 90));
    p.save();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(7, 24), QPointF(19, 24));
    p.setBrush(QColor(40, 160, 60));
    p.drawRect(QRectF(10, 22.2, 2.2, 3.6));
    p.restore();
    QPainterPath gear;
    const QPointF c(23, 19);
    for (int i = 0; i < 16; ++i) {
        qreal a = i * M_PI / 8;
        qreal r = (i % 2) ? 5.2 : 7.2;
        QPointF pt = c + QPointF(qCos(a) * r, qSin(a) * r);
        i ? gear.lineTo(pt) : gear.moveTo(pt);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 2.2, 2.2);
    gear = gear.subtracted(hole);
    shadow(p, gear);
    fillShape(p, gear, QColor(255, 220, 120), QColor(220, 140, 20), QColor(120, 70, 10));
}

void myComputer(QPainter& p) {
    // system unit behind, monitor on a foot, keyboard in front
    roundBox(p, QRectF(19, 6, 10, 20), 1, QColor(240, 240, 232), QColor(190, 190, 180), QColor(80, 80, 80));
    p.save();
    p.setPen(QPen(QColor(120, 120, 120), 0.8));
    p.drawLine(QPointF(21, 10), QPointF(27, 10));
    p.drawLine(QPointF(21, 13), QPointF(27, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawRect(QRectF(21, 22, 2, 1.5));
    p.restore();
    monitor(p, QRectF(2, 3, 20, 17), QColor(90, 170, 255), QColor(10, 80, 200));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 60));
    p.drawRect(QRectF(5, 12, 14, 3.5));
    p.restore();
    roundBox(p, QRectF(9, 20, 6, 2.5), 0.5, QColor(200, 200, 195), QColor(150, 150, 145), QColor(80, 80, 80));
    QPainterPath keyboard;
    keyboard.moveTo(4, 24);
    keyboard.lineTo(22, 24);
    keyboard.lineTo(24, 29);
    keyboard.lineTo(2, 29);
    keyboard.closeSubpath();
    fillShape(p, keyboard, QColor(245, 245, 240), QColor(190, 190, 185), QColor(80, 80, 80));
    p.save();
    p.setPen(QPen(QColor(140, 140, 140), 0.6));
    p.drawLine(QPointF(5, 26.5), QPointF(21, 26.5));
    p.restore();
}

void myDocuments(QPainter& p) {
    folder(p, QRectF(2, 6, 27, 22), false);
    page(p, QRectF(13, 2, 15, 19), QColor(225, 232, 245));
    textLines(p, QRectF(15, 8, 10, 10), QColor(90, 110, 160));
}

void network(QPainter& p) {
    globe(p, QPointF(16, 12), 9);
    monitor(p, QRectF(2, 18, 12, 10), QColor(80, 150, 255), QColor(20, 70, 190));
    monitor(p, QRectF(18, 18, 12, 10), QColor(80, 150, 255), QColor(20, 70, 190));
    p.save();
    p.setPen(QPen(QColor(30, 30, 30), 1.2));
    p.drawLine(QPointF(14, 23), QPointF(18, 23));
    p.restore();
}

void recycleBin(QPainter& p, bool full) {
    QPainterPath bin;
    bin.moveTo(6, 9);
    bin.lineTo(26, 9);
    bin.lineTo(23.5, 29);
    bin.lineTo(8.5, 29);
    bin.closeSubpath();
    shadow(p, bin);
    if (full) {
        page(p, QRectF(9, 2, 10, 12), QColor(230, 235, 245));
        page(p, QRectF(15, 3, 10, 11), QColor(255, 245, 200));
    }
    QLinearGradient glass(QPointF(6, 0), QPointF(26, 0));
    glass.setColorAt(0, QColor(150, 200, 240, 220));
    glass.setColorAt(0.35, QColor(235, 248, 255, 230));
    glass.setColorAt(1, QColor(90, 150, 210, 230));
    p.save();
    p.setBrush(glass);
    p.setPen(QPen(QColor(40, 80, 130), 1.1));
    p.drawPath(bin);
    p.setPen(QPen(QColor(60, 110, 170), 0.9));
    for (qreal x : {11.0, 16.0, 21.0}) p.drawLine(QPointF(x, 12), QPointF(x + (x - 16) * 0.12, 26.5));
    p.restore();
    roundBox(p, QRectF(5, 7.5, 22, 3), 1.2, QColor(200, 230, 250), QColor(110, 160, 210), QColor(40, 80, 130));
    // the recycling arrows
    p.save();
    p.setPen(QPen(QColor(30, 150, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 15, 8, 8), 30 * 16, 300 * 16);
    p.restore();
    if (full) {
        roundBox(p, QRectF(7, 24, 18, 3.5), 1, QColor(255, 255, 255, 160), QColor(200, 210, 230, 160), QColor(40, 80, 130, 0));
    }
}

void recycleBinEmpty(QPainter& p) { recycleBin(p, false); }
void recycleBinFull(QPainter& p) { recycleBin(p, true); }

void clock(QPainter& p) {
    QPainterPath face;
    face.addEllipse(QPointF(16, 16), 13, 13);
    shadow(p, face);
    p.save();
    p.setBrush(glossGradient(QPointF(16, 16), 13, QColor(120, 180, 255), QColor(10, 60, 170)));
    p.setPen(QPen(QColor(10, 30, 100), 1));
    p.drawPath(face);
    p.setBrush(verticalGradient(QRectF(5, 5, 22, 22), Qt::white, QColor(220, 225, 235)));
    p.setPen(QPen(QColor(60, 80, 120), 0.8));
    p.drawEllipse(QPointF(16, 16), 10, 10);
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < 12; ++i) {
        qreal a = i * M_PI / 6;
        p.drawLine(QPointF(16 + qCos(a) * 8.5, 16 + qSin(a) * 8.5), QPointF(16 + qCos(a) * 9.5, 16 + qSin(a) * 9.5));
    }
    p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 9));
    p.drawLine(QPointF(16, 16), QPointF(21, 18));
    p.setPen(QPen(QColor(210, 30, 30), 0.8));
    p.drawLine(QPointF(16, 16), QPointF(11, 22));
    p.restore();
}

void mail(QPainter& p) {
    roundBox(p, QRectF(3, 8, 26, 17), 1, QColor(255, 255, 250), QColor(225, 220, 200), QColor(110, 100, 80));
    p.save();
    p.setPen(QPen(QColor(110, 100, 80), 1));
    p.drawLine(QPointF(3.5, 8.5), QPointF(16, 18));
    p.drawLine(QPointF(28.5, 8.5), QPointF(16, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 50, 40));
    p.drawRect(QRectF(22, 10.5, 4, 4.5));
    p.restore();
}

void webBrowser(QPainter& p) {
    globe(p, QPointF(16, 16), 11);
    // the swoosh ring round the globe
    p.save();
    QPainterPath ring;
    ring.addEllipse(QPointF(16, 16), 15, 6.5);
    QPainterPath inner;
    inner.addEllipse(QPointF(16, 16.5), 12.5, 4.2);
    ring = ring.subtracted(inner);
    QTransform t;
    t.translate(16, 16);
    t.rotate(-25);
    t.translate(-16, -16);
    ring = t.map(ring);
    p.setPen(QPen(QColor(60, 70, 90), 0.8));
    p.setBrush(verticalGradient(ring.boundingRect(), QColor(245, 248, 255), QColor(150, 165, 190)));
    p.drawPath(ring);
    p.restore();
}

void keyPicture(QPainter& p) {
    QPainterPath key;
    key.addEllipse(QPointF(10, 12), 7, 7);
    key.addRect(QRectF(14, 10.5, 15, 3.5));
    key.addRect(QRectF(24, 13, 2.5, 4));
    key.addRect(QRectF(20, 13, 2.5, 3));
    QPainterPath hole;
    hole.addEllipse(QPointF(8.5, 10.5), 2.2, 2.2);
    key = key.subtracted(hole);
    QTransform t;
    t.translate(16, 16);
    t.rotate(30);
    t.translate(-16, -16);
    key = t.map(key);
    shadow(p, key);
    fillShape(p, key, QColor(255, 235, 140), QColor(210, 150, 20), QColor(120, 80, 0));
}

void calculator(QPainter& p) {
    roundBox(p, QRectF(6, 2, 20, 28), 2, QColor(120, 130, 150), QColor(60, 65, 80), QColor(20, 20, 30));
    p.save();
    p.setPen(QPen(QColor(60, 80, 60), 0.7));
    p.setBrush(verticalGradient(QRectF(8.5, 4.5, 15, 6), QColor(200, 230, 190), QColor(150, 190, 140)));
    p.drawRect(QRectF(8.5, 4.5, 15, 6));
    p.restore();
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            QColor top = (col == 2 && row == 3) ? QColor(255, 150, 100) : QColor(250, 250, 250);
            QColor bottom = (col == 2 && row == 3) ? QColor(220, 80, 40) : QColor(190, 195, 205);
            roundBox(p, QRectF(8.5 + col * 5.2, 12.5 + row * 4.2, 4, 3.2), 0.6, top, bottom, QColor(30, 30, 40));
        }
    }
}

void paletteBoard(QPainter& p) {
    QPainterPath board;
    board.addEllipse(QRectF(2, 6, 28, 21));
    QPainterPath thumb;
    thumb.addEllipse(QPointF(21, 21), 3, 2.5);
    board = board.subtracted(thumb);
    shadow(p, board);
    fillShape(p, board, QColor(250, 220, 170), QColor(210, 160, 100), QColor(120, 80, 30));
    const QColor paints[] = {QColor(230, 30, 30), QColor(250, 200, 20), QColor(40, 170, 50), QColor(30, 90, 230), QColor(160, 50, 200)};
    const QPointF spots[] = {QPointF(8, 13), QPointF(14, 10), QPointF(21, 11), QPointF(26, 15), QPointF(8, 20)};
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 120), 0.6));
    for (int i = 0; i < 5; ++i) {
        p.setBrush(paints[i]);
        p.drawEllipse(spots[i], 2.6, 2.2);
    }
    p.restore();
}

void keyboardPicture(QPainter& p) {
    QPainterPath body;
    body.moveTo(4, 10);
    body.lineTo(28, 10);
    body.lineTo(31, 24);
    body.lineTo(1, 24);
    body.closeSubpath();
    shadow(p, body);
    fillShape(p, body, QColor(250, 250, 245), QColor(190, 190, 185), QColor(70, 70, 70));
    p.save();
    p.setPen(QPen(QColor(120, 120, 120), 0.6));
    p.setBrush(QColor(235, 235, 230));
    for (int row = 0; row < 3; ++row) {
        qreal y = 12 + row * 3.8;
        qreal inset = 4 - row * 0.9;
        for (qreal x = inset + 1; x < 30 - inset; x += 3.2) p.drawRect(QRectF(x, y, 2.4, 2.6));
    }
    p.restore();
}

void find(QPainter& p) {
    page(p, QRectF(3, 3, 17, 22), QColor(225, 232, 245));
    textLines(p, QRectF(6, 10, 10, 12), QColor(90, 110, 160));
    // magnifying glass: handle then glass
    QPainterPath handle;
    handle.moveTo(21, 21);
    handle.lineTo(23, 19);
    handle.lineTo(30, 26);
    handle.lineTo(28, 28);
    handle.closeSubpath();
    shadow(p, handle);
    fillShape(p, handle, QColor(90, 90, 100), QColor(30, 30, 40), QColor(0, 0, 0));
    QPainterPath rim;
    rim.addEllipse(QPointF(17, 16), 7, 7);
    shadow(p, rim);
    p.save();
    p.setBrush(glossGradient(QPointF(17, 16), 7, QColor(255, 255, 255, 220), QColor(150, 200, 240, 160)));
    p.setPen(QPen(QColor(50, 60, 80), 2));
    p.drawPath(rim);
    p.restore();
}

void help(QPainter& p) {
    QPainterPath ball;
    ball.addEllipse(QPointF(16, 16), 13, 13);
    shadow(p, ball);
    p.save();
    p.setBrush(glossGradient(QPointF(16, 16), 13, QColor(130, 190, 255), QColor(10, 70, 190)));
    p.setPen(QPen(QColor(0, 40, 120), 1));
    p.drawPath(ball);
    p.restore();
    label(p, QRectF(3, 2.5, 26, 26), "?", Qt::white, 21);
}

void favourite(QPainter& p) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        qreal a = -M_PI / 2 + i * M_PI / 5;
        qreal r = (i % 2) ? 5.5 : 13.5;
        QPointF pt(16 + qCos(a) * r, 17 + qSin(a) * r);
        i ? star.lineTo(pt) : star.moveTo(pt);
    }
    star.closeSubpath();
    shadow(p, star);
    fillShape(p, star, QColor(255, 245, 140), QColor(245, 170, 10), QColor(150, 90, 0));
}

void logOff(QPainter& p) {
    // an orange key tile with a door and an arrow leaving it
    roundBox(p, QRectF(3, 3, 26, 26), 4, QColor(255, 200, 90), QColor(230, 120, 20), QColor(150, 70, 0));
    roundBox(p, QRectF(8, 7, 11, 18), 1, QColor(255, 255, 255), QColor(220, 225, 235), QColor(120, 60, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 90, 30));
    p.drawEllipse(QPointF(16.5, 16), 1, 1);
    p.restore();
    arrow(p, QPointF(12, 16), QPointF(27, 16), 4, QColor(40, 160, 60), QColor(0, 80, 20));
}

void shutDown(QPainter& p) {
    roundBox(p, QRectF(3, 3, 26, 26), 4, QColor(255, 120, 90), QColor(200, 30, 10), QColor(120, 10, 0));
    p.save();
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 9.5, 14, 14), 120 * 16, 300 * 16);
    p.drawLine(QPointF(16, 7.5), QPointF(16, 15.5));
    p.restore();
}

void briefcase(QPainter& p) {
    QPainterPath handle;
    handle.addRoundedRect(QRectF(11, 4, 10, 7), 2, 2);
    QPainterPath inside;
    inside.addRoundedRect(QRectF(13, 6, 6, 6), 1, 1);
    handle = handle.subtracted(inside);
    fillShape(p, handle, QColor(150, 90, 40), QColor(90, 50, 20), QColor(50, 25, 5));
    QPainterPath body;
    body.addRoundedRect(QRectF(3, 9, 26, 19), 2.5, 2.5);
    shadow(p, body);
    fillShape(p, body, QColor(200, 130, 60), QColor(130, 70, 25), QColor(70, 35, 5));
    p.save();
    p.setPen(QPen(QColor(90, 45, 10), 1));
    p.drawLine(QPointF(3.5, 16), QPointF(28.5, 16));
    p.restore();
    roundBox(p, QRectF(13.5, 14, 5, 4), 0.8, QColor(255, 240, 150), QColor(210, 160, 30), QColor(110, 80, 0));
}

void run(QPainter& p) {
    appWindow(p, QRectF(2, 4, 24, 20), QColor(90, 150, 255), QColor(0, 70, 210));
    arrow(p, QPointF(7, 27), QPointF(27, 13), 4.5, QColor(40, 170, 60), QColor(0, 80, 20));
}

void unknownFile(QPainter& p) {
    // a blank sheet with a small generic program window: no program is known for it
    page(p, QRectF(6, 2, 20, 27), QColor(225, 230, 240));
    appWindow(p, QRectF(10, 13, 12, 10), QColor(150, 160, 180), QColor(90, 100, 125));
}

void closedFolder(QPainter& p) { folder(p, QRectF(2, 5, 28, 23), false); }
void openFolder(QPainter& p) { folder(p, QRectF(2, 5, 27, 23), true); }

void floppy(QPainter& p) {
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(25, 4);
    body.lineTo(28, 7);
    body.lineTo(28, 28);
    body.lineTo(4, 28);
    body.closeSubpath();
    shadow(p, body);
    fillShape(p, body, QColor(90, 110, 170), QColor(30, 45, 100), QColor(10, 15, 50));
    roundBox(p, QRectF(9, 4, 13, 9), 0.5, QColor(240, 240, 245), QColor(170, 175, 185), QColor(70, 70, 80));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(17, 5.5, 3, 6));
    p.restore();
    roundBox(p, QRectF(8, 16, 16, 12), 0.5, QColor(255, 255, 255), QColor(225, 228, 235), QColor(90, 90, 110));
    textLines(p, QRectF(10, 19, 12, 7), QColor(200, 60, 60));
}

void hardDisk(QPainter& p) {
    // a drive seen from the front, slightly from above
    QPainterPath top;
    top.moveTo(6, 10);
    top.lineTo(26, 10);
    top.lineTo(30, 15);
    top.lineTo(2, 15);
    top.closeSubpath();
    QPainterPath front;
    front.addRoundedRect(QRectF(2, 15, 28, 11), 1.5, 1.5);
    shadow(p, top.united(front));
    fillShape(p, top, QColor(245, 245, 245), QColor(200, 202, 205), QColor(80, 80, 90));
    fillShape(p, front, QColor(215, 218, 222), QColor(150, 152, 160), QColor(60, 60, 70));
    p.save();
    p.setPen(QPen(QColor(110, 110, 120), 0.7));
    for (qreal x = 6; x < 18; x += 2) p.drawLine(QPointF(x, 18), QPointF(x, 23));
    p.setPen(QPen(QColor(0, 90, 0), 0.6));
    p.setBrush(QColor(60, 230, 60));
    p.drawEllipse(QPointF(25, 20.5), 1.6, 1.6);
    p.restore();
}

void networkDrive(QPainter& p) {
    hardDisk(p);
    p.save();
    p.setPen(QPen(QColor(30, 30, 30), 1.6));
    p.drawLine(QPointF(16, 26), QPointF(16, 30));
    p.drawLine(QPointF(6, 30), QPointF(26, 30));
    p.restore();
}

void settings(QPainter& p) {
    page(p, QRectF(3, 2, 18, 24), QColor(225, 232, 245));
    textLines(p, QRectF(6, 9, 11, 13), QColor(90, 110, 160));
    auto gear = [&p](QPointF c, qreal outer, qreal inner, const QColor& top, const QColor& bottom) {
        QPainterPath g;
        for (int i = 0; i < 16; ++i) {
            qreal a = i * M_PI / 8;
            qreal r = (i % 2) ? inner : outer;
            QPointF pt = c + QPointF(qCos(a) * r, qSin(a) * r);
            i ? g.lineTo(pt) : g.moveTo(pt);
        }
        g.closeSubpath();
        QPainterPath hole;
        hole.addEllipse(c, inner * 0.4, inner * 0.4);
        g = g.subtracted(hole);
        shadow(p, g);
        fillShape(p, g, top, bottom, bottom.darker(170));
    };
    gear(QPointF(21, 20), 9, 6.5, QColor(200, 210, 230), QColor(110, 125, 160));
    gear(QPointF(26.5, 27), 4.5, 3.2, QColor(255, 220, 120), QColor(220, 140, 20));
}

void programs(QPainter& p) {
    appWindow(p, QRectF(10, 2, 19, 15), QColor(120, 200, 120), QColor(20, 130, 40));
    appWindow(p, QRectF(6, 8, 19, 15), QColor(255, 190, 100), QColor(220, 110, 20));
    appWindow(p, QRectF(2, 14, 19, 15), QColor(90, 150, 255), QColor(0, 70, 210));
}

void mouse(QPainter& p) {
    p.save();
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath cord;
    cord.moveTo(16, 8);
    cord.cubicTo(16, 2, 25, 6, 27, 1);
    p.drawPath(cord);
    p.restore();
    QPainterPath body;
    body.addRoundedRect(QRectF(8, 7, 16, 23), 8, 8);
    shadow(p, body);
    fillShape(p, body, QColor(250, 250, 250), QColor(190, 192, 200), QColor(70, 70, 80));
    p.save();
    p.setPen(QPen(QColor(110, 110, 120), 0.8));
    p.drawLine(QPointF(8.5, 16), QPointF(23.5, 16));
    p.drawLine(QPointF(16, 7.5), QPointF(16, 16));
    p.restore();
}

void speaker(QPainter& p) {
    QPainterPath cone;
    cone.moveTo(4, 12);
    cone.lineTo(10, 12);
    cone.lineTo(18, 5);
    cone.lineTo(18, 27);
    cone.lineTo(10, 20);
    cone.lineTo(4, 20);
    cone.closeSubpath();
    shadow(p, cone);
    fillShape(p, cone, QColor(150, 160, 190), QColor(60, 70, 100), QColor(20, 25, 45));
    p.save();
    p.setPen(QPen(QColor(30, 90, 200), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(14, 10, 10, 12), -50 * 16, 100 * 16);
    p.drawArc(QRectF(13, 6, 16, 20), -50 * 16, 100 * 16);
    p.restore();
}

void dosProgram(QPainter& p) {
    appWindow(p, QRectF(2, 4, 28, 24), QColor(90, 150, 255), QColor(0, 70, 210));
    QRectF screen(3.5, 9, 25, 17.5);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0));
    p.drawRect(screen);
    p.restore();
    label(p, QRectF(3.5, 9, 18, 10), "C:\\>", QColor(220, 220, 220), 7.5);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(21, 16.5, 3.5, 1.5));
    p.restore();
}

void cdDrive(QPainter& p) {
    hardDisk(p);
    disc(p, QPointF(17, 12), 10);
}

void printers(QPainter& p) {
    page(p, QRectF(9, 1, 14, 14), QColor(235, 240, 250));
    textLines(p, QRectF(11, 6, 8, 6), QColor(90, 110, 160));
    QPainterPath body;
    body.moveTo(5, 13);
    body.lineTo(27, 13);
    body.lineTo(30, 18);
    body.lineTo(30, 26);
    body.lineTo(2, 26);
    body.lineTo(2, 18);
    body.closeSubpath();
    shadow(p, body);
    fillShape(p, body, QColor(245, 245, 240), QColor(170, 172, 178), QColor(60, 60, 70));
    roundBox(p, QRectF(7, 21, 18, 8), 0.5, QColor(255, 255, 255), QColor(225, 230, 240), QColor(90, 95, 110));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QPointF(26, 17), 1.2, 1.2);
    p.restore();
}

void users(QPainter& p) {
    auto person = [&p](QPointF at, const QColor& shirt) {
        QPainterPath body;
        body.addRoundedRect(QRectF(at.x() - 6.5, at.y() + 5, 13, 12), 5, 5);
        shadow(p, body);
        fillShape(p, body, shirt.lighter(140), shirt, shirt.darker(200));
        QPainterPath head;
        head.addEllipse(at + QPointF(0, 1), 4.5, 4.5);
        shadow(p, head);
        fillShape(p, head, QColor(255, 225, 190), QColor(230, 170, 120), QColor(130, 80, 40));
    };
    person(QPointF(21, 6), QColor(40, 160, 60));
    person(QPointF(12, 11), QColor(30, 90, 220));
}

}  // namespace

const std::vector<IconPicture>& iconPictures() {
    static const std::vector<IconPicture> pictures{
        {0, "application", application},
        {1, "text document", textDocument},
        {2, "notes", notes},
        {3, "picture document", pictureDocument},
        {4, "music", music},
        {5, "film", film},
        {6, "Control Panel", controlPanel},
        {7, "My Computer", myComputer},
        {8, "My Documents", myDocuments},
        {9, "network", network},
        {10, "Recycle Bin (empty)", recycleBinEmpty},
        {11, "Recycle Bin (full)", recycleBinFull},
        {12, "clock", clock},
        {13, "mail", mail},
        {14, "web browser", webBrowser},
        {15, "key", keyPicture},
        {16, "calculator", calculator},
        {17, "paint palette", paletteBoard},
        {18, "keyboard", keyboardPicture},
        {19, "Find", find},
        {20, "Help", help},
        {21, "favourites", favourite},
        {22, "Log off", logOff},
        {23, "Shut down", shutDown},
        {24, "Briefcase", briefcase},
        {25, "Run", run},
        {26, "file of no known type", unknownFile},
        {27, "folder", closedFolder},
        {28, "open folder", openFolder},
        {29, "floppy drive", floppy},
        {30, "hard disk", hardDisk},
        {31, "network drive", networkDrive},
        {32, "Settings", settings},
        {33, "Programs", programs},
        {34, "mouse", mouse},
        {35, "speaker", speaker},
        {36, "DOS program", dosProgram},
        {37, "CD drive", cdDrive},
        {38, "printers", printers},
        {39, "users", users},
    };
    return pictures;
}

}  // namespace icon_library
