// Decoding one icon image (a DIB with its AND mask) to ARGB pixels.
#pragma once

#include "platform/icons/byte_view.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::icons {

// Straight (not premultiplied) 0xAARRGGBB pixels, rows top to bottom.
struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// Largest side accepted for one image; icons stop at 256, so anything much
// bigger is a damaged or hostile file.
constexpr int kMaxIconSide = 1024;

bool isPng(ByteView image);
// Width and height from a PNG stream's header, nothing if it is not a sane PNG.
std::optional<std::pair<int, int>> pngSize(ByteView image);

// Decodes a DIB icon image (BITMAPINFOHEADER or the older core header; 1, 4, 8,
// 16, 24 or 32 bits per pixel) and applies its AND mask; 32-bit images carry their
// own alpha unless it is all zero. Nothing for PNG streams or broken images.
std::optional<IconPixels> decodeDibIcon(ByteView image);

}  // namespace platform::icons
