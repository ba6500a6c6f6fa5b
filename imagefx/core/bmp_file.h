// The BMP file the program writes: 24 bits per pixel, rows bottom-up, each padded to 4 bytes.
#pragma once

#include <string>

#include "imagefx/core/picture.h"

namespace imagefx {

// Replaces `out` with the whole file for `picture` (a 14-byte file header, a 40-byte
// info header at 3780 pixels per metre, 96 dots per inch, then the rows). `out` keeps its storage between
// calls, so one buffer serves repeated writes.
void encodeBmp(const Picture& picture, std::string& out);

}  // namespace imagefx
