// Which cell each control shows: button rest faces, check box cells and clicks, glyph sets.
#include "skin/core/face_tables.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(face_tables_test, button_state_outside_zero_and_one_keeps_the_rest_face) {
    EXPECT_EQ(restFaceFor(1, Face::Normal), Face::Default);
    EXPECT_EQ(restFaceFor(2, Face::Default), Face::Default);
    EXPECT_EQ(restFaceFor(-1, Face::Normal), Face::Normal);
    EXPECT_EQ(restFaceFor(0, Face::Default), Face::Normal);
}

TEST(face_tables_test, check_box_clicks_cycle_between_unticked_and_ticked) {
    int v = 2;  // grey
    v = boxValueAfterClick(v);
    EXPECT_EQ(v, 0);
    v = boxValueAfterClick(v);
    EXPECT_EQ(v, 1);
    v = boxValueAfterClick(v);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(boxValueAfterClick(5), 5);
    EXPECT_EQ(boxValueAfterClick(-1), -1);
}

TEST(face_tables_test, box_cells_exist_only_for_the_three_values) {
    EXPECT_EQ(boxCell(1, BoxLook::Disabled), 7);
    EXPECT_EQ(boxCell(2, BoxLook::Pressed), 10);
    EXPECT_EQ(boxCell(0, BoxLook::Normal), 0);
    EXPECT_FALSE(boxCell(3, BoxLook::Normal));
    EXPECT_FALSE(boxCell(-1, BoxLook::Hot));
}

TEST(face_tables_test, glyph_values_outside_the_sets_keep_the_previous_set) {
    EXPECT_EQ(glyphIndexFor(3, 0), 3);
    EXPECT_EQ(glyphIndexFor(7, 2), 2);
    EXPECT_EQ(glyphIndexFor(-1, 1), 1);
    EXPECT_EQ(glyphIndexFor(0, 3), 0);
}

}  // namespace
}  // namespace skin
