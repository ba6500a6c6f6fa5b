// Mouse and key codes as the controls' events carry them.
#include "skin/core/input_codes.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(input_codes_test, buttons_and_modifiers_combine_as_bits) {
    EXPECT_EQ(buttonCode(Qt::LeftButton), 1);
    EXPECT_EQ(buttonCode(Qt::RightButton), 2);
    EXPECT_EQ(buttonCode(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton), 7);
    EXPECT_EQ(shiftCode(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftCode(Qt::ControlModifier), 2);
}

TEST(input_codes_test, keys_map_to_virtual_key_numbers) {
    EXPECT_EQ(keyCode(Qt::Key_A), 65);
    EXPECT_EQ(keyCode(Qt::Key_7), 55);
    EXPECT_EQ(keyCode(Qt::Key_Return), 13);
    EXPECT_EQ(keyCode(Qt::Key_F12), 123);
    EXPECT_EQ(keyCode(Qt::Key_Escape), 27);
    EXPECT_EQ(keyCode(Qt::Key_unknown), 0);
}

TEST(input_codes_test, typed_characters_become_code_page_936_numbers) {
    EXPECT_EQ(keyAscii("a"), 97);
    EXPECT_EQ(keyAscii(""), 0);
    EXPECT_EQ(quint16(keyAscii(QString::fromUtf8("中"))), 0xD6D0);  // GBK D6 D0
    EXPECT_EQ(keyAscii(QString::fromUtf8("😀")), 0);                // not in the code page
}

}  // namespace
}  // namespace skin
