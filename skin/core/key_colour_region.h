// Window shape from a colour key: the client rectangle minus key pixels of the top rows.
#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <QSize>

namespace skin {

// Magenta, the colour that marks pixels cut out of a window.
inline constexpr QRgb kKeyColour = 0xFFFF00FFu;
// Only this many rows at the top of a surface are scanned for the key.
inline constexpr int kShapedRows = 6;

// The rectangle 0, 0, client width, client height minus every pixel of the first six
// rows of `surface` whose RGB equals the key's RGB exactly (alpha ignored). Pixels
// outside the surface never match.
QRegion keyColourRegion(const QImage& surface, QSize client, QRgb key = kKeyColour);

}  // namespace skin
