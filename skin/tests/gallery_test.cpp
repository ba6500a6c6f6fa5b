// Every control of the kit in every look: what is on screen comes from the strip cell
// that look names. The renderings are also written as PNG files for a person to see.
#include <gtest/gtest.h>

#include <QPainter>

#include "skin/core/slices.h"
#include "skin/core/strip.h"
#include "skin/skin_bitmaps.h"
#include "skin/tests/skin_test_support.h"
#include "skin/xp_canvas/xp_canvas.h"
#include "skin/xpcheckbox/xpcheckbox.h"
#include "skin/xpcmdbutton/xpcmdbutton.h"
#include "skin/xptopbuttons/xptopbuttons.h"

namespace skin {
namespace {

using testing::rendered;
using testing::saveScreenshot;

// Lays images out left to right, top to bottom, on the frame's surface colour.
QImage sheet(const std::vector<QImage>& images, int perRow) {
    int cellW = 0, cellH = 0;
    for (const QImage& i : images) {
        cellW = std::max(cellW, i.width());
        cellH = std::max(cellH, i.height());
    }
    const int rows = (int(images.size()) + perRow - 1) / perRow;
    QImage out((cellW + 6) * perRow + 6, (cellH + 6) * rows + 6, QImage::Format_RGB32);
    out.fill(QColor(236, 233, 216));
    QPainter p(&out);
    for (size_t i = 0; i < images.size(); ++i)
        p.drawImage(6 + int(i % perRow) * (cellW + 6), 6 + int(i / perRow) * (cellH + 6), images[i]);
    return out;
}

QImage strip(const char* name) {
    return skinBitmap(QString::fromLatin1(name)).convertToFormat(QImage::Format_ARGB32);
}

// `cell` as it shows over `back` (strips may carry transparency).
QImage over(const QImage& cell, QColor back) {
    QImage out(cell.size(), QImage::Format_RGB32);
    out.fill(back);
    QPainter p(&out);
    p.drawImage(0, 0, cell);
    return out;
}

// How many pixels of `area` in `shot` (at `at`) differ from `expected`.
int differing(const QImage& shot, QPoint at, const QImage& expected, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += shot.pixel(at.x() + x, at.y() + y) != expected.pixel(x, y);
    return n;
}

// Index of the only cell whose corner zones (copied 1:1 by the nine-slice) match the
// button face in `shot`; -1 when none or several do.
int faceCellShown(const QImage& shot, const QImage& faces) {
    int found = -1;
    for (int cell = 0; cell < kFaceStrip.count(); ++cell) {
        const QImage c = over(cellImage(faces, kFaceStrip, cell), QColor(236, 233, 216));
        const int e = kFaceEdge, cw = c.width(), ch = c.height();
        const int off = differing(shot, {0, 0}, c, {0, 0, e, e}) +
                        differing(shot, {shot.width() - cw, 0}, c, {cw - e, 0, e, e}) +
                        differing(shot, {0, shot.height() - ch}, c, {0, ch - e, e, e}) +
                        differing(shot, {shot.width() - cw, shot.height() - ch}, c, {cw - e, ch - e, e, e});
        if (off == 0)
            found = found == -1 ? cell : -2;
    }
    return found < 0 ? -1 : found;
}

class StubbornFrame : public xp_canvas {
public:
    using xp_canvas::xp_canvas;
    bool active = true;

protected:
    bool hostIsActive() const override { return active; }
};

TEST(gallery, frame_in_both_looks_and_states) {
    std::vector<QImage> shots;
    for (bool maximised : {false, true}) {
        for (bool active : {true, false}) {
            QWidget host;
            host.setWindowFlag(Qt::FramelessWindowHint);
            host.resize(320, 140);
            if (maximised)
                host.setWindowState(Qt::WindowMaximized);
            auto* frame = new StubbornFrame(&host);
            frame->setGeometry(host.rect());
            frame->InitProperties({QStringLiteral("xp_canvas1"), host.font()});
            frame->setCaption(QString::fromUtf8("外观风格设置 Shell Style"));
            auto* close = new xptopbuttons(frame);
            close->move(host.width() - 26, 5);
            auto* button = new xpcmdbutton(frame);
            button->setGeometry(200, 95, 100, 26);
            button->setCaption(QString::fromUtf8("确定"));
            button->setState(1);
            auto* box = new xpcheckbox(frame);
            box->setGeometry(20, 50, 160, 20);
            box->setCaption(QString::fromUtf8("我的电脑"));
            box->setValue(1);
            frame->active = active;
            if (!active)
                frame->Timer1_Timer();
            const QImage shot = rendered(&host);
            // Both caps of the title bar are the look's own strip, copied 1:1.
            const char* name = maximised ? (active ? bitmap::kTopMaxActive : bitmap::kTopMaxInactive)
                                         : (active ? bitmap::kTopActive : bitmap::kTopInactive);
            const QImage top = over(strip(name), Qt::black);
            const int capH = top.height();
            EXPECT_EQ(differing(shot, {0, 0}, top, {0, 0, kCapWidth, capH}), 0) << name;
            EXPECT_EQ(differing(shot, {host.width() - top.width(), 0}, top,
                                {top.width() - kCapWidth, 0, kCapWidth, capH}),
                      0)
                << name;
            saveScreenshot(shot, QStringLiteral("skin-frame-%1-%2")
                                     .arg(maximised ? QStringLiteral("maximised") : QStringLiteral("normal"),
                                          active ? QStringLiteral("active") : QStringLiteral("inactive")),
                           3);
            shots.push_back(shot);
        }
    }
    saveScreenshot(sheet(shots, 2), QStringLiteral("skin-frames"), 1);
}

TEST(gallery, push_button_faces) {
    std::vector<QImage> shots;
    const char* captions[] = {"普通", "按下", "禁用", "热点", "默认"};
    for (int face = 0; face < 5; ++face) {
        xpcmdbutton button;
        button.resize(90, 28);
        button.show();
        button.setCaption(QString::fromUtf8(captions[face]));
        switch (Face(face)) {
        case Face::Normal:
            break;
        case Face::Pressed:
            testing::mouse(&button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
            break;
        case Face::Disabled:
            button.setEnabled(false);
            break;
        case Face::Hot:
            testing::mouse(&button, QEvent::MouseMove, {5, 5});
            break;
        case Face::Default:
            button.setState(1);
            break;
        }
        const QImage shot = rendered(&button);
        EXPECT_EQ(faceCellShown(shot, strip(bitmap::kFaces)), face);
        shots.push_back(shot);
    }
    saveScreenshot(sheet(shots, 5), QStringLiteral("skin-buttons"));
}

TEST(gallery, check_box_cells) {
    std::vector<QImage> shots;
    const char* captions[] = {"未选", "已选", "灰色"};
    for (int value = 0; value < 3; ++value) {
        for (int look = 0; look < 4; ++look) {
            xpcheckbox box;
            box.resize(110, 20);
            box.show();
            box.setCaption(QString::fromUtf8(captions[value]));
            box.setValue(value);
            if (look == 1)
                testing::mouse(&box, QEvent::MouseMove, {4, 4});
            else if (look == 2)
                testing::mouse(&box, QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton, Qt::LeftButton);
            else if (look == 3)
                box.setEnabled(false);
            const QImage shot = rendered(&box);
            // The box shows its value's cell for the look, pixel for pixel.
            const QImage cell = over(cellImage(strip(bitmap::kBoxes), kBoxStrip, 4 * value + look),
                                     box.palette().color(QPalette::Window));
            EXPECT_EQ(differing(shot, box.p()->pos(), cell, cell.rect()), 0) << value << " " << look;
            shots.push_back(shot);
        }
    }
    saveScreenshot(sheet(shots, 4), QStringLiteral("skin-checkboxes"));
}

TEST(gallery, caption_button_glyphs) {
    std::vector<QImage> shots;
    for (int glyph = 0; glyph < 4; ++glyph) {
        for (int look = 0; look < 4; ++look) {
            xptopbuttons button;
            button.show();
            button.setValue(glyph);
            if (look == 1)
                testing::mouse(&button, QEvent::MouseMove, {4, 4});
            else if (look == 2)
                testing::mouse(&button, QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton, Qt::LeftButton);
            else if (look == 3)
                button.setEnabled(false);
            const QImage shot = rendered(&button);
            const char* const glyphs[] = {bitmap::kGlyphClose, bitmap::kGlyphMaximise, bitmap::kGlyphMinimise,
                                          bitmap::kGlyphRestore};
            const QImage cell = over(cellImage(strip(glyphs[glyph]), kGlyphStrip, look), Qt::black);
            EXPECT_EQ(differing(shot, {0, 0}, cell, cell.rect()), 0) << glyph << " " << look;
            shots.push_back(shot);
        }
    }
    QImage out = sheet(shots, 4);
    // On the title bar's blue, as they are seen.
    QImage onBlue(out.size(), QImage::Format_RGB32);
    onBlue.fill(QColor(0, 81, 229));
    QPainter p(&onBlue);
    for (size_t i = 0; i < shots.size(); ++i)
        p.drawImage(6 + int(i % 4) * 27, 6 + int(i / 4) * 27, shots[i]);
    p.end();
    saveScreenshot(onBlue, QStringLiteral("skin-caption-buttons"), 6);
}

}  // namespace
}  // namespace skin
