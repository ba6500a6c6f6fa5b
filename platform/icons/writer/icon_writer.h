// Writing icons: DIB icon images, .ico files, and PE and NE modules of group icons.
#pragma once

#include "platform/icons/icon_pixels.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::icons {

// One image of an icon as stored: a DIB with its mask, or a PNG stream.
struct IconImageBlob {
    int width = 0;
    int height = 0;
    int bitCount = 32;
    std::vector<std::uint8_t> bytes;
};
using IconGroupBlobs = std::vector<IconImageBlob>;

// Encodes pixels as a DIB icon image of 1, 4, 8, 24 or 32 bits per pixel with its
// AND mask (set where alpha is below half). Up to 8 bits the colour table holds
// the image's own colours when they fit, else a fixed palette of nearest colours.
IconImageBlob encodeDibIcon(const IconPixels& pixels, int bitCount);

// A PNG-compressed image entry, the bytes given as they are.
IconImageBlob pngIconImage(int width, int height, std::vector<std::uint8_t> png);

std::vector<std::uint8_t> writeIcoFile(const IconGroupBlobs& images);

struct PeOptions {
    bool pe32plus = false;        // a 64-bit module
    std::size_t paddingBytes = 0; // an RT_RCDATA resource of this size, for bulk
};
// A resource-only PE library: group icons numbered 1.., their images RT_ICON 1...
std::vector<std::uint8_t> writePeModule(const std::vector<IconGroupBlobs>& groups, const PeOptions& options = {});

// A 16-bit NE icon library with no code: group icons numbered 1.., images 1...
// Its tables sit within 64 KB of the header, which holds about 5400 images;
// more throw std::length_error.
std::vector<std::uint8_t> writeNeModule(const std::vector<IconGroupBlobs>& groups, const std::string& moduleName);

}  // namespace platform::icons
