// The size check of the open procedure.
#include "imagefx/core/size_check.h"

namespace imagefx {

bool fitsInMemory(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0) return true;  // nothing to hold
    const std::int64_t maxPixels = kPictureMemoryBudget / kBytesPerOpenPixel;
    return width <= maxPixels && height <= maxPixels / width;
}

bool acceptedSize(std::int64_t width, std::int64_t height) {
    if (!fitsInMemory(width, height)) return false;
    return !(width > 1600 && height > 1200);
}

}  // namespace imagefx
