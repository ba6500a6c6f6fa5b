// The main window's design layout, in twips (15 to a pixel), and the filter buttons' stacking.
#pragma once

#include <array>

#include <QRect>

namespace imagefx::layout {

inline constexpr int kTwipsPerPixel = 15;

// Rounds a twips rectangle to whole pixels.
QRect pixels(int left, int top, int width, int height);

// Form1: inner area 6465 x 4725.
inline constexpr int kFormW = 6465, kFormH = 4725;
inline constexpr int kPic2[4] = {0, 0, 4815, 4695};
inline constexpr int kColumnLeft = 4920, kColumnW = 1455;
inline constexpr int kComOpenTop = 0, kComOpenH = 375;
inline constexpr int kFrame1Top = 480, kFrame1H = 2415;
inline constexpr int kFrame2Top = 3000, kFrame2H = 1215;
inline constexpr int kSaveTop = 4320, kSaveH = 375;
// Buttons inside the frames.
inline constexpr int kButtonLeft = 240, kButtonW = 975, kButtonH = 290;
inline constexpr std::array<int, 3> kCommand2Tops = {240, 545, 840};
// The viewport's sunken border, in pixels on each side.
inline constexpr int kViewportBorder = 2;

// Tops of Command1(0..5) and then Custom1: the first at 240, each next one 5 twips below
// the one before.
std::array<int, 7> filterButtonTops();

}  // namespace imagefx::layout
