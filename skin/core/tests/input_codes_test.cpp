// Mouse and key codes as the controls' events carry them.
#include "skin/core/input_codes.h"

#include <gtest/gtest.h>

#include <QKeySequence>
#include <utility>

namespace skin {
namespace {

TEST(input_codes_test, buttons_and_modifiers_combine_as_bits) {
    EXPECT_EQ(buttonCode(Qt::LeftButton), 1);
    EXPECT_EQ(buttonCode(Qt::RightButton), 2);
    EXPECT_EQ(buttonCode(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton), 7);
    EXPECT_EQ(shiftCode(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftCode(Qt::ControlModifier), 2);
}

// Checked against what the keys type and how the keyboard's blocks are numbered,
// not against a copy of the table.
TEST(input_codes_test, key_codes_follow_what_the_keys_type_and_their_blocks) {
    // Letters and digits: the upper-case character on the key.
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        EXPECT_EQ(keyCode(k), QKeySequence(k).toString().at(0).unicode()) << k;
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k)
        EXPECT_EQ(keyCode(k), QKeySequence(k).toString().at(0).unicode()) << k;
    // Keys that type a control character (or space) carry that character's code.
    for (auto [key, typed] : {std::pair{Qt::Key_Backspace, '\b'}, std::pair{Qt::Key_Tab, '\t'},
                              std::pair{Qt::Key_Return, '\r'}, std::pair{Qt::Key_Enter, '\r'},
                              std::pair{Qt::Key_Escape, '\x1b'}, std::pair{Qt::Key_Space, ' '}})
        EXPECT_EQ(keyCode(key), typed) << key;
    // Blocks numbered in a row: page keys and Home/End, then the arrows, then F1 on.
    const int block[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home,
                         Qt::Key_Left,   Qt::Key_Up,       Qt::Key_Right, Qt::Key_Down};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(keyCode(block[i]), keyCode(Qt::Key_PageUp) + i) << block[i];
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(keyCode(Qt::Key_F1 + i), keyCode(Qt::Key_F1) + i);
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
