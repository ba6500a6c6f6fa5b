// The working picture's storage.
#include "imagefx/core/picture.h"

namespace imagefx {

Picture::Picture(int width, int height, std::uint32_t fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

}  // namespace imagefx
