// The caption button: glyph sets, fixed size, looks, hover polling and clicks.
#include "skin/xptopbuttons/xptopbuttons.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "skin/core/strip.h"
#include "skin/skin_bitmaps.h"
#include "skin/tests/skin_test_support.h"

namespace skin {
namespace {

using testing::mouse;
using testing::SimulatedPointer;

TEST(xptopbuttons_test, glyph_set_follows_value_and_the_size_stays_21_pixels) {
    xptopbuttons b;
    b.show();
    b.setValue(3);
    EXPECT_EQ(b.glyphIndex(), 3);
    b.setValue(7);
    EXPECT_EQ(b.Value(), 7);
    EXPECT_EQ(b.glyphIndex(), 3);
    const QImage restore = cellImage(skinBitmap(QString::fromLatin1(bitmap::kGlyphRestore)), kGlyphStrip, 0);
    EXPECT_EQ(b.picture(), restore);
    b.resize(40, 10);
    EXPECT_EQ(b.size(), QSize(21, 21));
}

TEST(xptopbuttons_test, looks_move_from_hot_to_pressed_to_normal) {
    SimulatedPointer pointer;
    xptopbuttons b;
    b.show();
    QSignalSpy moves(&b, &xptopbuttons::MouseMove);
    QSignalSpy clicks(&b, &xptopbuttons::Click);
    pointer.moveTo(&b, {5, 5});
    mouse(&b, QEvent::MouseMove, {5, 5});
    EXPECT_EQ(b.shownLook(), GlyphLook::Hot);
    mouse(&b, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(b.shownLook(), GlyphLook::Pressed);
    // Dragging off with the button held: no MouseMove outside, pressed look stays.
    mouse(&b, QEvent::MouseMove, {40, 5}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(b.shownLook(), GlyphLook::Pressed);
    mouse(&b, QEvent::MouseButtonRelease, {40, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(b.shownLook(), GlyphLook::Normal);
    EXPECT_EQ(clicks.count(), 0);

    // A double click is one Click.
    testing::click(&b, {5, 5});
    mouse(&b, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    mouse(&b, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(xptopbuttons_test, poll_raises_mouse_out_once_and_a_disabled_button_stays_grey) {
    SimulatedPointer pointer;
    xptopbuttons b;
    b.show();
    EXPECT_TRUE(b.Timer1().isActive());
    QSignalSpy outs(&b, &xptopbuttons::MouseOut);
    b.Timer1_Timer();  // created with the pointer elsewhere
    EXPECT_EQ(outs.count(), 1);
    EXPECT_FALSE(b.Timer1().isActive());

    b.setEnabled(false);
    EXPECT_EQ(b.shownLook(), GlyphLook::Disabled);
    b.Timer1().start();
    b.Timer1_Timer();
    EXPECT_EQ(outs.count(), 2);
    EXPECT_EQ(b.shownLook(), GlyphLook::Disabled);
    b.setEnabled(true);
    EXPECT_EQ(b.shownLook(), GlyphLook::Normal);

    pointer.moveTo(&b, {21, 21});  // on the edge: inside
    b.Timer1().start();
    b.Timer1_Timer();
    EXPECT_EQ(outs.count(), 2);
}

}  // namespace
}  // namespace skin
