// Draws the skin bitmaps of the XP-style controls and writes them as PNG files.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QVector>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

namespace {

using Rgb = QRgb;

constexpr Rgb kKey = 0xFFFF00FF;             // magenta, cut out of the window
constexpr Rgb kSurface = 0xFFECE9D8;         // RGB 236, 233, 216, what the controls sit on

Rgb mix(Rgb a, Rgb b, double t) {
    auto ch = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return qRgb(ch(qRed(a), qRed(b)), ch(qGreen(a), qGreen(b)), ch(qBlue(a), qBlue(b)));
}

// A colour along key points spread evenly over 0..1.
Rgb ramp(std::initializer_list<Rgb> stops, double t) {
    const std::vector<Rgb> s(stops);
    if (t <= 0)
        return s.front();
    if (t >= 1)
        return s.back();
    const double pos = t * double(s.size() - 1);
    const int i = int(pos);
    return mix(s[size_t(i)], s[size_t(i) + 1], pos - i);
}

// ---- Window frame pieces -------------------------------------------------------

// One look of the frame: title rows top to bottom and border columns outside in.
struct FrameLook {
    std::vector<Rgb> titleRows;   // 29 rows
    std::vector<Rgb> edge;        // 5 border columns, outermost first
};

FrameLook activeLook() {
    FrameLook f;
    const std::vector<Rgb> top = {qRgb(0, 58, 203), qRgb(61, 149, 255), qRgb(40, 128, 255), qRgb(14, 104, 250),
                                  qRgb(4, 92, 243)};
    f.titleRows = top;
    for (int y = 5; y < 26; ++y)
        f.titleRows.push_back(ramp({qRgb(2, 88, 238), qRgb(0, 81, 229), qRgb(0, 78, 226), qRgb(0, 72, 216)},
                                   (y - 5) / 20.0));
    f.titleRows.push_back(qRgb(0, 66, 206));
    f.titleRows.push_back(qRgb(0, 61, 196));
    f.titleRows.push_back(qRgb(0, 54, 186));
    f.edge = {qRgb(0, 25, 140), qRgb(0, 72, 241), qRgb(0, 85, 234), qRgb(0, 78, 226), qRgb(0, 61, 200)};
    return f;
}

FrameLook inactiveLook() {
    FrameLook f;
    const std::vector<Rgb> top = {qRgb(117, 141, 218), qRgb(172, 192, 244), qRgb(157, 180, 240),
                                  qRgb(141, 166, 234), qRgb(132, 158, 230)};
    f.titleRows = top;
    for (int y = 5; y < 26; ++y)
        f.titleRows.push_back(ramp({qRgb(128, 155, 228), qRgb(122, 150, 224), qRgb(117, 145, 220),
                                    qRgb(110, 138, 214)},
                                   (y - 5) / 20.0));
    f.titleRows.push_back(qRgb(105, 132, 208));
    f.titleRows.push_back(qRgb(100, 126, 202));
    f.titleRows.push_back(qRgb(94, 119, 194));
    f.edge = {qRgb(92, 114, 190), qRgb(160, 180, 240), qRgb(141, 166, 234), qRgb(130, 155, 228),
              qRgb(117, 141, 214)};
    return f;
}

// Outermost key pixels per row of a rounded corner, rows 0 to 4.
constexpr int kCornerCut[5] = {5, 3, 2, 1, 1};

QImage titleStrip(const FrameLook& look, bool rounded) {
    constexpr int w = 66, h = 29;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, look.titleRows[size_t(y)]);
    }
    if (!rounded)
        return img;
    // The side edges of the normal window: the border colours shaded into the title.
    for (int y = 0; y < h; ++y) {
        for (int i = 0; i < 3; ++i) {
            const double t = i == 0 ? 0.0 : (i == 1 ? 0.55 : 0.8);
            const Rgb c = mix(look.edge[0], look.titleRows[size_t(y)], t);
            img.setPixel(i, y, c);
            img.setPixel(w - 1 - i, y, c);
        }
    }
    // Rounded corners: key outside, a dark anti-aliased rim along the curve.
    for (int y = 0; y < 5; ++y) {
        const int cut = kCornerCut[y];
        for (int x = 0; x < cut; ++x) {
            img.setPixel(x, y, kKey);
            img.setPixel(w - 1 - x, y, kKey);
        }
        const Rgb rim = mix(look.edge[0], look.titleRows[size_t(y)], y == 0 ? 0.0 : 0.25);
        img.setPixel(cut, y, rim);
        img.setPixel(w - 1 - cut, y, rim);
        if (cut + 1 < 5) {
            const Rgb soft = mix(look.edge[0], look.titleRows[size_t(y)], 0.6);
            img.setPixel(cut + 1, y, soft);
            img.setPixel(w - 2 - cut, y, soft);
        }
    }
    // The dark outline along the top between the corners.
    for (int x = 5; x < w - 5; ++x)
        img.setPixel(x, 0, look.edge[0]);
    return img;
}

QImage sideBorder(const FrameLook& look, bool right) {
    QImage img(5, 31, QImage::Format_RGB32);
    for (int y = 0; y < 31; ++y)
        for (int i = 0; i < 5; ++i)
            img.setPixel(right ? 4 - i : i, y, look.edge[size_t(i)]);
    return img;
}

QImage bottomBorder(const FrameLook& look) {
    QImage img(49, 5, QImage::Format_RGB32);
    for (int x = 0; x < 49; ++x)
        for (int i = 0; i < 5; ++i)
            img.setPixel(x, 4 - i, look.edge[size_t(i)]);
    return img;
}

// ---- Push button faces ---------------------------------------------------------

struct Ring {
    Rgb top1, top2, bottom2, bottom1;  // outer and inner line at the top, inner and outer at the bottom
};

QImage faceCell(Rgb border, bool highlightLine, const Ring* ring, double fillFrom, bool reversed, bool disabled) {
    constexpr int w = 18, h = 21;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const double t = (y - 1) / double(h - 3);
        Rgb fill;
        if (disabled)
            fill = qRgb(245, 244, 234);
        else if (reversed)
            fill = ramp({qRgb(209, 204, 193), qRgb(220, 218, 209), qRgb(226, 225, 217), qRgb(235, 234, 229),
                         qRgb(242, 241, 238)},
                        t);
        else
            fill = t < 0.65 ? mix(qRgb(255, 255, 255), qRgb(246, 246, 243), t / 0.65)
                            : mix(qRgb(246, 246, 243), qRgb(214, 208, 197), (t - 0.65) / 0.35);
        (void)fillFrom;
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, fill);
    }
    if (highlightLine)
        for (int x = 1; x < w - 1; ++x)
            img.setPixel(x, 1, qRgb(255, 255, 255));
    if (ring) {
        for (int y = 1; y < h - 1; ++y) {
            const double t = (y - 1) / double(h - 3);
            const Rgb outer = mix(ring->top1, ring->bottom1, t);
            const Rgb inner = mix(ring->top2, ring->bottom2, t);
            img.setPixel(1, y, outer);
            img.setPixel(w - 2, y, outer);
            img.setPixel(2, y, inner);
            img.setPixel(w - 3, y, inner);
        }
        for (int x = 2; x < w - 2; ++x) {
            img.setPixel(x, 1, ring->top1);
            img.setPixel(x, 2, ring->top2);
            img.setPixel(x, h - 3, ring->bottom2);
            img.setPixel(x, h - 2, ring->bottom1);
        }
    }
    for (int x = 2; x < w - 2; ++x) {
        img.setPixel(x, 0, border);
        img.setPixel(x, h - 1, border);
    }
    for (int y = 2; y < h - 2; ++y) {
        img.setPixel(0, y, border);
        img.setPixel(w - 1, y, border);
    }
    // Rounded corners, anti-aliased against the surface and the face.
    const Rgb outside = disabled ? qRgb(255, 255, 255) : kSurface;
    const int cx[4] = {0, w - 1, 0, w - 1};
    const int cy[4] = {0, 0, h - 1, h - 1};
    for (int c = 0; c < 4; ++c) {
        const int dx = cx[c] == 0 ? 1 : -1;
        const int dy = cy[c] == 0 ? 1 : -1;
        const Rgb inside = img.pixel(cx[c] + 2 * dx, cy[c] + 2 * dy);
        img.setPixel(cx[c], cy[c], disabled ? outside : mix(border, outside, 0.75));
        img.setPixel(cx[c] + dx, cy[c], mix(border, outside, 0.3));
        img.setPixel(cx[c], cy[c] + dy, mix(border, outside, 0.3));
        img.setPixel(cx[c] + dx, cy[c] + dy, mix(border, inside, 0.45));
    }
    return img;
}

QImage faceStrip() {
    const Rgb blue = qRgb(0, 60, 116);
    const Ring hot{qRgb(255, 240, 207), qRgb(252, 210, 121), qRgb(248, 179, 48), qRgb(229, 151, 0)};
    const Ring def{qRgb(206, 231, 255), qRgb(188, 212, 246), qRgb(137, 173, 228), qRgb(105, 130, 238)};
    const QImage cells[5] = {
        faceCell(blue, true, nullptr, 0, false, false),                  // normal
        faceCell(blue, false, nullptr, 0, true, false),                  // pressed
        faceCell(qRgb(201, 199, 186), false, nullptr, 0, false, true),   // disabled
        faceCell(blue, false, &hot, 0, false, false),                    // hot
        faceCell(blue, false, &def, 0, false, false),                    // default
    };
    QImage strip(90, 21, QImage::Format_RGB32);
    for (int i = 0; i < 5; ++i)
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 18; ++x)
                strip.setPixel(i * 18 + x, y, cells[i].pixel(x, y));
    return strip;
}

// ---- Check box cells -----------------------------------------------------------

// Tick pixels: row, first column, last column.
struct Run {
    int y, x0, x1;
};
constexpr Run kTick[] = {{3, 11, 11}, {4, 10, 11}, {5, 9, 11}, {6, 2, 2},  {6, 8, 11}, {7, 2, 3},  {7, 7, 10},
                         {8, 2, 4},   {8, 6, 9},   {9, 2, 8},  {10, 3, 7}, {11, 4, 6}, {12, 5, 5}};

void boxInside(QImage& img, int oy, int look, Rgb hotCentre) {
    for (int y = 1; y < 15; ++y) {
        for (int x = 1; x < 15; ++x) {
            const double t = (x - 1 + y - 1) / 26.0;
            Rgb c;
            switch (look) {
            case 0:
                c = mix(qRgb(223, 223, 208), qRgb(255, 255, 255), t);
                break;
            case 1: {
                const bool ring = x <= 2 || y <= 2 || x >= 13 || y >= 13;
                c = ring ? mix(qRgb(255, 240, 207), qRgb(255, 176, 48), t) : hotCentre;
                break;
            }
            case 2:
                c = mix(qRgb(176, 176, 160), qRgb(240, 239, 223), t);
                break;
            default:
                c = qRgb(255, 255, 255);
            }
            img.setPixel(x, oy + y, c);
        }
    }
}

QImage boxStrip() {
    QImage img(16, 192, QImage::Format_RGB32);
    const Rgb borders[4] = {qRgb(31, 80, 128), qRgb(31, 80, 128), qRgb(31, 80, 128), qRgb(207, 207, 191)};
    const Rgb ticks[4] = {qRgb(32, 160, 32), qRgb(32, 160, 32), qRgb(31, 128, 31), qRgb(207, 207, 191)};
    for (int value = 0; value < 3; ++value) {
        for (int look = 0; look < 4; ++look) {
            const int oy = (4 * value + look) * 16;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    img.setPixel(x, oy + y, borders[look]);
            boxInside(img, oy, look, value == 1 ? qRgb(240, 240, 240) : qRgb(224, 224, 224));
            if (value == 1) {
                for (const Run& r : kTick)
                    for (int x = r.x0; x <= r.x1; ++x)
                        img.setPixel(x, oy + r.y, ticks[look]);
            } else if (value == 2) {
                for (int y = 3; y <= 12; ++y) {
                    for (int x = 3; x <= 12; ++x) {
                        const double t = (x - 3 + y - 3) / 18.0;
                        const Rgb squares[4] = {qRgb(160, 208, 160), qRgb(32, 160, 32),
                                                mix(qRgb(16, 112, 16), qRgb(31, 144, 31), t), qRgb(207, 207, 191)};
                        img.setPixel(x, oy + y, squares[look]);
                    }
                }
            }
        }
    }
    return img;
}

// ---- Caption button glyphs -----------------------------------------------------

enum class Glyph { Close, Maximise, Minimise, Restore };

void rect(QImage& img, int ox, int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            img.setPixel(ox + x, y, c);
}

void drawGlyph(QImage& img, int ox, Glyph g, Rgb c) {
    switch (g) {
    case Glyph::Close:
        for (int i = 0; i <= 8; ++i) {
            for (int d = 0; d < 2; ++d) {
                img.setPixel(ox + 6 + i + d, 6 + i, c);
                img.setPixel(ox + 14 - i + d, 6 + i, c);
            }
        }
        break;
    case Glyph::Maximise:
        rect(img, ox, 5, 5, 15, 7, c);
        rect(img, ox, 5, 5, 5, 15, c);
        rect(img, ox, 15, 5, 15, 15, c);
        rect(img, ox, 5, 15, 15, 15, c);
        break;
    case Glyph::Minimise:
        rect(img, ox, 5, 13, 11, 15, c);
        break;
    case Glyph::Restore:
        rect(img, ox, 8, 4, 15, 5, c);
        rect(img, ox, 15, 4, 15, 11, c);
        rect(img, ox, 13, 11, 15, 11, c);
        rect(img, ox, 8, 4, 8, 7, c);
        rect(img, ox, 5, 8, 12, 9, c);
        rect(img, ox, 5, 8, 5, 15, c);
        rect(img, ox, 12, 8, 12, 15, c);
        rect(img, ox, 5, 15, 12, 15, c);
        break;
    }
}

QImage glyphStrip(Glyph g) {
    QImage img(84, 21, QImage::Format_RGB32);
    const Rgb titleBlue = qRgb(0, 81, 229);
    const bool close = g == Glyph::Close;
    // Fill top and bottom per look: normal, hot, pressed, disabled.
    const Rgb fills[4][2] = {
        {close ? qRgb(232, 112, 80) : qRgb(70, 140, 255), close ? qRgb(196, 60, 26) : qRgb(0, 88, 230)},
        {close ? qRgb(250, 150, 118) : qRgb(110, 170, 255), close ? qRgb(220, 88, 50) : qRgb(26, 116, 250)},
        {close ? qRgb(160, 44, 18) : qRgb(0, 60, 180), close ? qRgb(200, 80, 50) : qRgb(30, 100, 230)},
        {close ? qRgb(226, 160, 140) : qRgb(150, 176, 240), close ? qRgb(214, 140, 120) : qRgb(128, 158, 232)},
    };
    const Rgb glyphColour[4] = {qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(230, 230, 240),
                                qRgb(200, 212, 244)};
    const Rgb border[4] = {qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(220, 228, 250), qRgb(190, 204, 240)};
    for (int cell = 0; cell < 4; ++cell) {
        const int ox = cell * 21;
        for (int y = 0; y < 21; ++y) {
            const Rgb fill = mix(fills[cell][0], fills[cell][1], y / 20.0);
            for (int x = 0; x < 21; ++x) {
                const bool edge = x == 0 || y == 0 || x == 20 || y == 20;
                img.setPixel(ox + x, y, edge ? border[cell] : fill);
            }
        }
        // Rounded corners against the title bar.
        const int cxs[2] = {0, 20};
        for (int cx : cxs) {
            for (int cy : cxs) {
                const int dx = cx == 0 ? 1 : -1;
                const int dy = cy == 0 ? 1 : -1;
                img.setPixel(ox + cx, cy, titleBlue);
                img.setPixel(ox + cx + dx, cy, mix(border[cell], titleBlue, 0.5));
                img.setPixel(ox + cx, cy + dy, mix(border[cell], titleBlue, 0.5));
                img.setPixel(ox + cx + dx, cy + dy, mix(border[cell], fills[cell][cy == 0 ? 0 : 1], 0.5));
            }
        }
        drawGlyph(img, ox, g, glyphColour[cell]);
    }
    return img;
}

// ---- Default icon --------------------------------------------------------------

QImage defaultIcon() {
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 1; y < 15; ++y) {
        for (int x = 1; x < 15; ++x) {
            const bool edge = x == 1 || x == 14 || y == 1 || y == 14;
            Rgb c;
            if (edge)
                c = qRgb(0, 45, 150);
            else if (y <= 4)
                c = mix(qRgb(60, 140, 255), qRgb(0, 80, 225), (y - 2) / 2.0);
            else
                c = y == 5 ? qRgb(170, 190, 230) : qRgb(255, 255, 255);
            img.setPixel(x, y, c);
        }
    }
    img.setPixel(12, 3, qRgb(226, 88, 52));
    for (int y = 7; y <= 12; y += 2)
        for (int x = 4; x <= 11 - (y % 3); ++x)
            img.setPixel(x, y, qRgb(150, 160, 180));
    return img;
}

// Palette bitmaps keep their exact colours: a palette is built from the colours used.
QImage toPalette(const QImage& img) {
    std::set<QRgb> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            colours.insert(img.pixel(x, y));
    if (colours.size() > 256)
        return img;
    const QVector<QRgb> table(colours.begin(), colours.end());
    QImage out(img.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            out.setPixel(x, y, uint(table.indexOf(img.pixel(x, y))));
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const FrameLook looks[2] = {activeLook(), inactiveLook()};
    std::vector<std::pair<QString, QImage>> out;
    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i + 1);
        out.emplace_back("imgtop" + n, toPalette(titleStrip(looks[i], true)));
        out.emplace_back("imgtopmax" + n, toPalette(titleStrip(looks[i], false)));
        out.emplace_back("imgleft" + n, toPalette(sideBorder(looks[i], false)));
        out.emplace_back("imgright" + n, toPalette(sideBorder(looks[i], true)));
        out.emplace_back("imgbottom" + n, toPalette(bottomBorder(looks[i])));
    }
    out.emplace_back("faces", toPalette(faceStrip()));
    out.emplace_back("boxes", boxStrip());
    out.emplace_back("glyph_close", glyphStrip(Glyph::Close));
    out.emplace_back("glyph_maximise", glyphStrip(Glyph::Maximise));
    out.emplace_back("glyph_minimise", glyphStrip(Glyph::Minimise));
    out.emplace_back("glyph_restore", glyphStrip(Glyph::Restore));
    out.emplace_back("default_icon", defaultIcon());
    for (const auto& [name, img] : out) {
        const QString path = dir + "/" + name + ".png";
        if (!img.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
