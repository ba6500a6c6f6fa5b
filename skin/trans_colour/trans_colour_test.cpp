// Shaping a form by the key colour of its own surface.
#include "skin/trans_colour/trans_colour.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace skin {
namespace {

TEST(trans_colour_test, the_form_keeps_all_but_key_pixels_of_its_top_six_rows) {
    QWidget form;
    form.resize(60, 40);
    QImage surface(60, 40, QImage::Format_RGB32);
    surface.fill(Qt::white);
    surface.setPixel(0, 0, kKeyColour);
    surface.setPixel(30, 20, kKeyColour);  // below row 5: never cut
    shape_by_colour(&form, surface);
    EXPECT_FALSE(form.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form.mask().contains(QPoint(30, 20)));
    EXPECT_TRUE(form.mask().contains(QPoint(59, 39)));
}

TEST(trans_colour_test, without_a_surface_the_form_is_read_from_its_own_painting) {
    QWidget form;
    form.resize(30, 20);
    form.setAutoFillBackground(true);
    QPalette pal = form.palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 255));
    form.setPalette(pal);
    shape_by_colour(&form);
    // Every pixel of the top six rows is key-coloured: only rows 6 and below remain.
    EXPECT_EQ(form.mask(), QRegion(0, 6, 30, 14));
    shape_by_colour(nullptr);
}

}  // namespace
}  // namespace skin
