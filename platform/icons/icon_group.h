// One icon as a file holds it: the images of its group, found but not yet decoded.
#pragma once

#include "platform/icons/byte_view.h"

#include <optional>
#include <vector>

namespace platform::icons {

struct IconImageRef {
    int width = 0;     // pixels, from the group directory (0 there means 256)
    int height = 0;
    int colorCount = 0;
    int bitCount = 0;  // bits per pixel from the group directory; 0 when left out
    ByteView bytes;    // the image resource: a DIB with its mask, or a PNG stream
};

using IconGroup = std::vector<IconImageRef>;

// The images of a group in the order the file should try them for a picture of
// wanted x wanted pixels: exact size first, then the nearest, deeper colour first.
std::vector<IconImageRef> imagesByPreference(const IconGroup& group, int wanted = 32);

// Bits per pixel of an image, read from the image itself when it can be (32 for a
// PNG stream), else the directory's word for it.
int imageBitCount(const IconImageRef& image);

}  // namespace platform::icons
