// Colour values as the controls store them: 0x00BBGGRR, or 0x80000000 + system colour index.
#pragma once

#include <QColor>
#include <QtGlobal>

namespace skin {

using OleColour = quint32;

inline constexpr OleColour kSystemButtonFace = 0x8000000Fu;
inline constexpr OleColour kSystemWindowText = 0x80000008u;
inline constexpr OleColour kBlack = 0x00000000u;

// Red in the low byte.
constexpr OleColour oleRgb(int r, int g, int b) {
    return OleColour(r & 0xFF) | (OleColour(g & 0xFF) << 8) | (OleColour(b & 0xFF) << 16);
}

// The colour to paint with. System colours are taken from the classic desktop scheme
// of the XP look (button face RGB 236, 233, 216); unknown system indexes give black.
QColor toQColor(OleColour colour);

}  // namespace skin
