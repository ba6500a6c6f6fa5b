// Icons held in icon files, programs and libraries (.ico, PE and NE files), as images.
#pragma once

#include <QImage>

#include <filesystem>
#include <optional>

namespace platform {

// Number of icons in the file: 1 for an .ico file, the number of group icons in a
// 32- or 64-bit PE or a 16-bit NE program, library or icon library; 0 for any
// other file, a folder, or a file that cannot be read. Walks the headers only.
int iconCount(const std::filesystem::path& file);

// Icon number `index` (from 0, in the order iconCount counts) as a 32x32 image in
// QImage::Format_ARGB32, ready to draw at (0, 0). It is the group's 32x32 image at
// the best colour depth the file holds (PNG-compressed images included); without a
// 32x32 image the nearest size is scaled to 32x32. Transparent where the icon's
// mask or alpha says so. Nothing for a bad index or when no image of the group
// can be decoded.
std::optional<QImage> iconImage(const std::filesystem::path& file, int index);

// Icon number `index` as a `side` x `side` image (ARGB32): the group's own image of
// that size where it has one, else the nearest larger image scaled down smoothly,
// else the largest smaller one scaled up. Nothing as for iconImage.
std::optional<QImage> iconImageOfSide(const std::filesystem::path& file, int index, int side);

// The side of the largest image of icon number `index` (the larger of its width and
// height, as the group lists them), the most iconImageOfSide can give unscaled; 0 for
// a bad index.
int iconLargestSide(const std::filesystem::path& file, int index);

}  // namespace platform
