// Renders every control of the kit in every look into PNG files for a person to look at.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>

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
            saveScreenshot(shot, QStringLiteral("skin-frame-%1-%2")
                                     .arg(maximised ? QStringLiteral("maximised") : QStringLiteral("normal"),
                                          active ? QStringLiteral("active") : QStringLiteral("inactive")),
                           3);
            shots.push_back(shot);
        }
    }
    const QString path = saveScreenshot(sheet(shots, 2), QStringLiteral("skin-frames"), 1);
    EXPECT_TRUE(QFile::exists(path));
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
        ASSERT_EQ(int(button.shownFace()), face);
        shots.push_back(rendered(&button));
    }
    const QString path = saveScreenshot(sheet(shots, 5), QStringLiteral("skin-buttons"));
    EXPECT_TRUE(QFile::exists(path));
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
            ASSERT_EQ(box.shownCell(), 4 * value + look);
            shots.push_back(rendered(&box));
        }
    }
    const QString path = saveScreenshot(sheet(shots, 4), QStringLiteral("skin-checkboxes"));
    EXPECT_TRUE(QFile::exists(path));
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
            ASSERT_EQ(int(button.shownLook()), look);
            shots.push_back(rendered(&button));
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
    const QString path = saveScreenshot(onBlue, QStringLiteral("skin-caption-buttons"), 6);
    EXPECT_TRUE(QFile::exists(path));
}

}  // namespace
}  // namespace skin
