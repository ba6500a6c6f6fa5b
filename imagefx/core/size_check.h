// Which picture sizes the program takes on.
#pragma once

#include <cstdint>

namespace imagefx {

// Memory one pixel costs while a picture is open: the picture as loaded and as worked
// on (4 bytes each) and the three 16-bit planes.
inline constexpr std::int64_t kBytesPerOpenPixel = 4 + 4 + 3 * 2;
// What the program allows itself for those, in bytes.
inline constexpr std::int64_t kPictureMemoryBudget = std::int64_t{1} << 30;

// The largest picture file read: an uncompressed one of the most pixels the budget holds,
// at 32 bits a pixel, with room for its headers.
inline constexpr std::int64_t kMaxPictureFileBytes =
    kPictureMemoryBudget / kBytesPerOpenPixel * 4 + (std::int64_t{1} << 20);

// True when a picture of this size can be held at all (the size a file's header declares,
// checked before anything is decoded).
bool fitsInMemory(std::int64_t width, std::int64_t height);

// False for pictures wider than 1600 and higher than 1200 pixels (both), and for those that
// do not fit in memory. 3000 x 1000 is taken on.
bool acceptedSize(std::int64_t width, std::int64_t height);

inline constexpr const char* kTooLargeText = "图像太大,本程序无法处理";

}  // namespace imagefx
