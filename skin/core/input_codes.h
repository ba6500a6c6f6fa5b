// Mouse button, shift and key codes in the 16-bit form the controls' events carry.
#pragma once

#include <QString>
#include <QtGlobal>
#include <Qt>

namespace skin {

// Button: 1 left, 2 right, 4 middle. Shift: 1 shift, 2 control, 4 alt.
qint16 buttonCode(Qt::MouseButtons buttons);
qint16 buttonCode(Qt::MouseButton button);
qint16 shiftCode(Qt::KeyboardModifiers modifiers);
// Key codes are the virtual-key numbers (letters and digits as their upper-case
// ASCII codes, Enter 13, Escape 27, F1 112...); 0 for keys without one.
qint16 keyCode(int qtKey);
// The character of a key press: ASCII as is, other characters as their code page
// 936 bytes (lead byte high); 0 when the text holds no character.
qint16 keyAscii(const QString& text);

}  // namespace skin
