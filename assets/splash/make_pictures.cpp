// Draws shellstyle's own pictures: splash.png (329 x 213, 24-bit), information.png
// and shellstyle.png (32 x 32 with alpha). Usage: shellstyle_picture_maker <folder>.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

// A small rounded "icon tile" for the splash's row of sample icons.
void drawTile(QPainter& p, QRectF r, QColor top, QColor bottom, const QString& glyph) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r, 5, 5);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, glyph);
}

QImage splash() {
    QImage img(329, 213, QImage::Format_RGB888);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 213);
    sky.setColorAt(0, QColor(0, 60, 170));
    sky.setColorAt(0.55, QColor(40, 120, 230));
    sky.setColorAt(1, QColor(120, 190, 250));
    p.fillRect(img.rect(), sky);

    // A soft green hill along the bottom.
    QPainterPath hill;
    hill.moveTo(0, 213);
    hill.lineTo(0, 178);
    hill.cubicTo(90, 150, 210, 200, 329, 165);
    hill.lineTo(329, 213);
    hill.closeSubpath();
    QLinearGradient grass(0, 150, 0, 213);
    grass.setColorAt(0, QColor(110, 190, 60));
    grass.setColorAt(1, QColor(40, 120, 30));
    p.fillPath(hill, grass);

    // A glow behind the title.
    QRadialGradient glow(250, 40, 120);
    glow.setColorAt(0, QColor(255, 255, 255, 90));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), glow);

    p.setPen(QColor(0, 30, 90, 140));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 24, QFont::Bold));
    p.drawText(QRectF(22, 22, 300, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("shellstyle"));
    p.setPen(Qt::white);
    p.drawText(QRectF(20, 20, 300, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("shellstyle"));

    p.setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 13, QFont::Bold));
    p.drawText(QRectF(22, 62, 300, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("桌面图标风格设置"));

    const struct {
        QColor top, bottom;
        const char* glyph;
    } tiles[] = {
        {QColor(255, 210, 90), QColor(230, 150, 20), "D"},
        {QColor(120, 220, 120), QColor(30, 150, 40), "C"},
        {QColor(130, 190, 255), QColor(20, 90, 200), "W"},
        {QColor(255, 150, 150), QColor(200, 40, 40), "R"},
        {QColor(210, 170, 255), QColor(120, 60, 200), "P"},
    };
    double x = 24;
    for (const auto& t : tiles) {
        drawTile(p, QRectF(x, 104, 34, 34), t.top, t.bottom, QString::fromLatin1(t.glyph));
        x += 46;
    }

    p.setPen(QColor(255, 255, 255, 230));
    p.setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 8));
    p.drawText(QRectF(22, 188, 290, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("正在启动，请稍候……"));
    p.drawText(QRectF(22, 188, 290, 18), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("版本 1.0"));
    p.setPen(QPen(QColor(0, 40, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 328, 212));
    return img;
}

QImage information() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient ball(12, 10, 20);
    ball.setColorAt(0, QColor(140, 190, 255));
    ball.setColorAt(1, QColor(10, 70, 190));
    p.setPen(QPen(QColor(0, 40, 120), 1));
    p.setBrush(ball);
    p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 7, 4.5, 4.5));
    p.drawRoundedRect(QRectF(14, 13.5, 4.5, 12), 1.5, 1.5);
    return img;
}

QImage programIcon() {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A small window with a blue title bar...
    p.setPen(QPen(QColor(0, 50, 140), 1));
    p.setBrush(QColor(236, 233, 216));
    p.drawRoundedRect(QRectF(1.5, 3.5, 26, 22), 3, 3);
    QLinearGradient bar(0, 4, 0, 10);
    bar.setColorAt(0, QColor(60, 130, 245));
    bar.setColorAt(1, QColor(0, 70, 210));
    p.setPen(Qt::NoPen);
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(2, 4, 25, 7), 2.5, 2.5);
    // ...holding three icon squares...
    p.setBrush(QColor(240, 170, 30));
    p.drawRect(QRectF(5, 14, 6, 6));
    p.setBrush(QColor(50, 160, 60));
    p.drawRect(QRectF(13, 14, 6, 6));
    // ...and a brush over the third.
    p.setBrush(QColor(220, 50, 50));
    p.drawRect(QRectF(21, 14, 4, 6));
    p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, 12), QPointF(21, 25));
    p.setPen(QPen(QColor(255, 220, 60), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 25), QPointF(19, 29));
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    bool ok = splash().save(dir + QStringLiteral("/splash.png"));
    ok = information().save(dir + QStringLiteral("/information.png")) && ok;
    ok = programIcon().save(dir + QStringLiteral("/shellstyle.png")) && ok;
    return ok ? 0 : 1;
}
