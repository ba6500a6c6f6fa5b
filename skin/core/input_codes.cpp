// Mouse button, shift and key codes in the 16-bit form the controls' events carry.
#include "skin/core/input_codes.h"

#include <QList>
#include <string>

#include "platform/codepage.h"

namespace skin {

namespace {

struct KeyRow {
    int qtKey;
    qint16 code;
};

// Virtual-key numbers of the keys that are not letters or digits.
constexpr KeyRow kKeys[] = {
    {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},   {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},     {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},     {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},   {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},    {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},      {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},      {Qt::Key_Up, 38},       {Qt::Key_Right, 39},    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},    {Qt::Key_Delete, 46},   {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 189},    {Qt::Key_Period, 190},  {Qt::Key_Slash, 191},   {Qt::Key_Comma, 188},
    {Qt::Key_Semicolon, 186}, {Qt::Key_Equal, 187},  {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
};

}  // namespace

qint16 buttonCode(Qt::MouseButtons buttons) {
    qint16 code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

qint16 buttonCode(Qt::MouseButton button) {
    return buttonCode(Qt::MouseButtons(button));
}

qint16 shiftCode(Qt::KeyboardModifiers modifiers) {
    qint16 code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

qint16 keyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qint16(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return qint16(112 + (qtKey - Qt::Key_F1));
    for (const KeyRow& row : kKeys)
        if (row.qtKey == qtKey)
            return row.code;
    return 0;
}

qint16 keyAscii(const QString& text) {
    if (text.isEmpty())
        return 0;
    const char32_t first = text.at(0).isSurrogate() ? text.toUcs4().value(0) : text.at(0).unicode();
    if (first < 0x80)
        return qint16(first);
    std::string bytes;
    const QString one = QString::fromUcs4(&first, 1);
    if (!platform::utf8ToCp936(one.toStdString(), bytes) || bytes.empty())
        return 0;
    if (bytes.size() == 1)
        return qint16(static_cast<unsigned char>(bytes[0]));
    return qint16((static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1]));
}

}  // namespace skin
