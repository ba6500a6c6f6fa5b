// The kit's skin bitmaps, embedded as resources under ":/skin/".
#pragma once

#include <QImage>
#include <QString>

namespace skin {

// Resource names (without ".png") of the bitmaps the controls draw from.
namespace bitmap {
inline constexpr const char* kTopActive = "imgtop1";
inline constexpr const char* kTopInactive = "imgtop2";
inline constexpr const char* kTopMaxActive = "imgtopmax1";
inline constexpr const char* kTopMaxInactive = "imgtopmax2";
inline constexpr const char* kLeftActive = "imgleft1";
inline constexpr const char* kLeftInactive = "imgleft2";
inline constexpr const char* kRightActive = "imgright1";
inline constexpr const char* kRightInactive = "imgright2";
inline constexpr const char* kBottomActive = "imgbottom1";
inline constexpr const char* kBottomInactive = "imgbottom2";
inline constexpr const char* kFaces = "faces";
inline constexpr const char* kBoxes = "boxes";
inline constexpr const char* kGlyphClose = "glyph_close";
inline constexpr const char* kGlyphMaximise = "glyph_maximise";
inline constexpr const char* kGlyphMinimise = "glyph_minimise";
inline constexpr const char* kGlyphRestore = "glyph_restore";
inline constexpr const char* kDefaultIcon = "default_icon";
}  // namespace bitmap

// The named bitmap, loaded once and kept; a null image when it is missing.
QImage skinBitmap(const QString& name);

// A PNG picture compiled into the program (a ":/" resource), read as PNG without
// asking the image-format plugins: finding a format by content loads every one
// of them, milliseconds of the start.
QImage readEmbeddedPng(const QString& resource);

}  // namespace skin
