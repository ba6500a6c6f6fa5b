// The diffuse filter's random numbers.
#include "imagefx/core/random_source.h"

#include <cmath>

namespace imagefx {

float DefaultUniformSource::next() {
    // The top 24 bits give every float of the form k / 2^24, all exactly representable.
    return static_cast<float>(engine_() >> 8) * 0x1p-24f;
}

int diffuseOffset(float u) {
    return static_cast<int>(std::nearbyintf(u * 4.0f - 2.0f));
}

}  // namespace imagefx
