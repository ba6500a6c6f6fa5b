// The push button: nine-slice face, rest faces, hover with MouseOut, clicks and captions.
#include "skin/xpcmdbutton/xpcmdbutton.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>

#include "skin/core/strip.h"
#include "skin/skin_bitmaps.h"
#include "skin/tests/skin_test_support.h"

namespace skin {
namespace {

using testing::mouse;
using testing::SimulatedPointer;

QImage cell(Face f) {
    return cellImage(skinBitmap(QString::fromLatin1(bitmap::kFaces)), kFaceStrip, int(f))
        .convertToFormat(QImage::Format_RGB32);
}

TEST(xpcmdbutton_test, a_100_by_30_face_keeps_corners_and_stretches_edges_and_centre) {
    xpcmdbutton b;
    b.resize(100, 30);
    b.show();
    const QImage face = b.picture();
    const QImage c = cell(Face::Normal);
    ASSERT_EQ(face.size(), QSize(100, 30));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(face.pixel(x, y), c.pixel(x, y));                   // top-left
            EXPECT_EQ(face.pixel(97 + x, y), c.pixel(15 + x, y));         // top-right
            EXPECT_EQ(face.pixel(97 + x, 27 + y), c.pixel(15 + x, 18 + y));  // bottom-right
            EXPECT_EQ(face.pixel(x, 27 + y), c.pixel(x, 18 + y));         // bottom-left
        }
    }
    // Top edge: the cell's 12-pixel strip over 94 pixels; centre: 12 x 15 over 94 x 24.
    for (int x = 3; x < 97; ++x)
        EXPECT_EQ(face.pixel(x, 1), c.pixel(3 + (x - 3) * 12 / 94, 1)) << x;
    EXPECT_EQ(face.pixel(50, 3), c.pixel(8, 3));
    EXPECT_EQ(face.pixel(50, 26), c.pixel(8, 17));
    EXPECT_EQ(face.pixel(1, 15), c.pixel(1, 3 + 12 * 15 / 24));
}

TEST(xpcmdbutton_test, tiny_buttons_paint_what_fits) {
    xpcmdbutton b;
    b.show();
    for (QSize s : {QSize(2, 2), QSize(0, 0), QSize(5, 1), QSize(1, 40)}) {
        b.resize(s);
        b.setState(1);
        b.setCaption(QStringLiteral("OK"));
        EXPECT_EQ(b.picture().size(), s.isEmpty() ? QSize(0, 0) : s);
    }
}

TEST(xpcmdbutton_test, state_and_enabled_choose_the_rest_face_and_caption_colour) {
    xpcmdbutton b;
    b.resize(80, 24);
    b.show();
    b.setState(1);
    EXPECT_EQ(b.shownFace(), Face::Default);
    b.setState(2);
    EXPECT_EQ(b.shownFace(), Face::Default);
    EXPECT_EQ(b.State(), 2);
    b.setEnabled(false);
    EXPECT_EQ(b.shownFace(), Face::Disabled);
    EXPECT_EQ(b.lbl()->palette().color(QPalette::WindowText), QColor(161, 161, 146));
    EXPECT_EQ(b.picture().pixel(40, 12), cell(Face::Disabled).pixel(9, 10));
    b.setEnabled(true);
    EXPECT_EQ(b.shownFace(), Face::Default);
    EXPECT_EQ(b.lbl()->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST(xpcmdbutton_test, hover_lights_the_face_until_the_poll_finds_the_pointer_outside) {
    SimulatedPointer pointer;
    xpcmdbutton b;
    b.resize(80, 24);
    b.show();
    EXPECT_FALSE(b.Timer1().isActive());
    QSignalSpy moves(&b, &xpcmdbutton::MouseMove);
    Face faceAtMouseOut = Face::Normal;
    int outs = 0;
    QObject::connect(&b, &xpcmdbutton::MouseOut, [&] {
        ++outs;
        faceAtMouseOut = b.shownFace();
    });

    pointer.moveTo(&b, {10, 10});
    mouse(&b, QEvent::MouseMove, {10, 10});
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(b.shownFace(), Face::Hot);
    EXPECT_TRUE(b.Timer1().isActive());
    b.Timer1_Timer();
    pointer.moveTo(&b, {80, 24});  // the right and bottom edges still count as inside
    b.Timer1_Timer();
    EXPECT_EQ(outs, 0);

    pointer.moveTo(&b, {81, 10});
    b.Timer1_Timer();
    EXPECT_EQ(outs, 1);
    EXPECT_EQ(faceAtMouseOut, Face::Hot);  // MouseOut comes before the redraw
    EXPECT_EQ(b.shownFace(), Face::Normal);
    EXPECT_FALSE(b.Timer1().isActive());

    // Moves with the left button held show the pressed face; outside, no MouseMove.
    mouse(&b, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(b.shownFace(), Face::Pressed);
    mouse(&b, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(b.shownFace(), Face::Hot);
    mouse(&b, QEvent::MouseMove, {-5, 5}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(moves.count(), 3);
}

TEST(xpcmdbutton_test, presses_show_the_pressed_face_and_clicks_come_after_mouse_up) {
    xpcmdbutton b;
    b.resize(80, 24);
    b.show();
    QStringList order;
    QObject::connect(&b, &xpcmdbutton::MouseDown, [&](qint16 button, qint16, float, float) {
        order << QStringLiteral("down%1").arg(button);
    });
    QObject::connect(&b, &xpcmdbutton::MouseUp, [&](qint16, qint16, float, float) { order << "up"; });
    QObject::connect(&b, &xpcmdbutton::Click, [&] { order << "click"; });

    mouse(&b, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(b.shownFace(), Face::Pressed);
    mouse(&b, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(b.shownFace(), Face::Normal);
    EXPECT_EQ(order, QStringList({"down2", "up", "click"}));

    order.clear();
    mouse(&b, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    mouse(&b, QEvent::MouseButtonRelease, {200, 5}, Qt::LeftButton, Qt::NoButton);  // released outside
    EXPECT_EQ(order, QStringList({"down1", "up"}));

    // A press on the caption counts as a press on the button.
    order.clear();
    testing::click(b.lbl(), {1, 1});
    EXPECT_EQ(order, QStringList({"down1", "up", "click"}));
}

TEST(xpcmdbutton_test, moves_over_the_caption_report_the_caption_position) {
    xpcmdbutton b;
    b.resize(120, 30);
    b.show();
    b.setCaption(QStringLiteral("&Open"));
    EXPECT_EQ(b.lbl()->text(), QStringLiteral("Open"));
    EXPECT_EQ(b.Caption(), QStringLiteral("&Open"));
    EXPECT_EQ(b.lbl()->x(), (120 - b.lbl()->width()) / 2);
    QSignalSpy moves(&b, &xpcmdbutton::MouseMove);
    mouse(b.lbl(), QEvent::MouseMove, {3, 4});
    ASSERT_EQ(moves.count(), 1);
    EXPECT_FLOAT_EQ(moves.at(0).at(2).toFloat(), float(b.lbl()->x()));
    EXPECT_FLOAT_EQ(moves.at(0).at(3).toFloat(), float(b.lbl()->y()));
}

TEST(xpcmdbutton_test, keyboard_presses_after_the_key_events_and_marks_the_focus_only_when_tabbed_to) {
    QWidget host;
    auto* first = new xpcmdbutton(&host);
    auto* b = new xpcmdbutton(&host);
    b->move(0, 30);
    host.show();
    host.activateWindow();
    for (int i = 0; i < 100 && !host.isActiveWindow(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(host.isActiveWindow());
    QStringList order;
    QObject::connect(b, &xpcmdbutton::KeyDown, [&] { order << "KeyDown"; });
    QObject::connect(b, &xpcmdbutton::KeyUp, [&] { order << "KeyUp"; });
    QObject::connect(b, &xpcmdbutton::Click, [&] { order << "Click"; });
    auto send = [&](QEvent::Type t, int k) {
        QKeyEvent e(t, k, Qt::NoModifier, k == Qt::Key_Space ? QStringLiteral(" ") : QString());
        QCoreApplication::sendEvent(b, &e);
    };
    auto markShown = [&] {
        // The dotted mark runs 3 pixels in; without it the face shows there.
        const QImage shown = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int x = 3; x < 10; ++x)
            if (shown.pixel(x, 3) != b->picture().pixel(x, 3)) return true;
        return false;
    };

    first->setFocus(Qt::MouseFocusReason);
    b->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(markShown());
    first->setFocus(Qt::TabFocusReason);
    b->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(markShown());

    send(QEvent::KeyPress, Qt::Key_Space);
    EXPECT_EQ(b->shownFace(), Face::Pressed);
    send(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(b->shownFace(), b->restFace());
    send(QEvent::KeyPress, Qt::Key_Enter);
    send(QEvent::KeyRelease, Qt::Key_Enter);
    EXPECT_EQ(order, (QStringList{"KeyDown", "KeyUp", "Click", "KeyDown", "Click", "KeyUp"}));

    // A mouse press hides the mark; moving the focus away mid-Space presses nothing.
    mouse(b, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    mouse(b, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(markShown());
    order.clear();
    send(QEvent::KeyPress, Qt::Key_Space);
    first->setFocus(Qt::TabFocusReason);
    send(QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(order, (QStringList{"KeyDown", "KeyUp"}));
    EXPECT_EQ(b->shownFace(), b->restFace());
}

}  // namespace
}  // namespace skin
