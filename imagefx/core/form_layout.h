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

// What the style and the fonts in use ask for, in pixels.
struct ColumnNeeds {
    int frameTop = 0;     // a frame's contents start this far below its top (under the title)
    int frameBottom = 0;  // and end this far above its bottom
    int frameSide = 0;    // and this far in from each side
    int buttonW = 0;      // the narrowest button that shows each caption whole, with margins
    int buttonH = 0;      // the lowest one
};

// The right-hand column and the window, in pixels: the design positions where the captions
// fit, otherwise the frames' buttons widened about their centre and moved below the
// frame's title, the frames grown to hold them, and the window taller if the column needs it.
struct ColumnLayout {
    QRect comOpen, frame1, frame2, save;  // in the window
    std::array<QRect, 7> frame1Buttons;   // Command1(0..5), then Custom1; in Frame1
    std::array<QRect, 3> frame2Buttons;   // Command2(0..2); in Frame2
    QRect viewport;                       // Pic2
    QSize form;
};
ColumnLayout layoutColumn(const ColumnNeeds& needs);

}  // namespace imagefx::layout
