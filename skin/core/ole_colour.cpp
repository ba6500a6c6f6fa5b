// Colour values as the controls store them: 0x00BBGGRR, or 0x80000000 + system colour index.
#include "skin/core/ole_colour.h"

namespace skin {

namespace {

// The system colours of the XP-style desktop scheme, by index.
struct SystemColour {
    quint32 index;
    QRgb rgb;
};

constexpr SystemColour kSystemColours[] = {
    {0x00, qRgb(212, 208, 200)},  // scroll bar
    {0x01, qRgb(0, 78, 152)},     // desktop
    {0x02, qRgb(0, 84, 227)},     // active caption
    {0x03, qRgb(122, 150, 223)},  // inactive caption
    {0x04, qRgb(255, 255, 255)},  // menu
    {0x05, qRgb(255, 255, 255)},  // window
    {0x06, qRgb(0, 0, 0)},        // window frame
    {0x07, qRgb(0, 0, 0)},        // menu text
    {0x08, qRgb(0, 0, 0)},        // window text
    {0x09, qRgb(255, 255, 255)},  // caption text
    {0x0D, qRgb(49, 106, 197)},   // highlight
    {0x0E, qRgb(255, 255, 255)},  // highlight text
    {0x0F, qRgb(236, 233, 216)},  // button face
    {0x10, qRgb(172, 168, 153)},  // button shadow
    {0x11, qRgb(172, 168, 153)},  // grey text
    {0x12, qRgb(0, 0, 0)},        // button text
    {0x14, qRgb(255, 255, 255)},  // button highlight
};

}  // namespace

QColor toQColor(OleColour colour) {
    if (colour & 0x80000000u) {
        const quint32 index = colour & 0xFFu;
        for (const SystemColour& s : kSystemColours)
            if (s.index == index)
                return QColor(s.rgb);
        return QColor(0, 0, 0);
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

}  // namespace skin
