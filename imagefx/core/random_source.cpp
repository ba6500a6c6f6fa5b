// The diffuse filter's random numbers.
#include "imagefx/core/random_source.h"

#include <cmath>

namespace imagefx {

namespace {

constexpr std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// The top 24 bits give every float of the form k / 2^24, all exactly representable.
inline float unit(std::uint32_t bits) { return static_cast<float>(bits >> 8) * 0x1p-24f; }

}  // namespace

DefaultUniformSource::DefaultUniformSource() {
    // The fixed starting state, spread from one constant by splitmix64.
    std::uint64_t z = 0x9e3779b97f4a7c15u;
    for (std::uint64_t& s : s_) {
        z += 0x9e3779b97f4a7c15u;
        std::uint64_t x = z;
        x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9u;
        x = (x ^ (x >> 27)) * 0x94d049bb133111ebu;
        s = x ^ (x >> 31);
    }
}

std::uint64_t DefaultUniformSource::step() {
    const std::uint64_t result = rotl(s_[0] + s_[3], 23) + s_[0];
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

float DefaultUniformSource::next() {
    if (haveSpare_) {
        haveSpare_ = false;
        return unit(spare_);
    }
    const std::uint64_t r = step();
    spare_ = static_cast<std::uint32_t>(r);
    haveSpare_ = true;
    return unit(static_cast<std::uint32_t>(r >> 32));
}

void DefaultUniformSource::fill(std::span<float> out) {
    std::size_t i = 0;
    if (haveSpare_ && i < out.size()) {
        out[i++] = unit(spare_);
        haveSpare_ = false;
    }
    for (; i + 2 <= out.size(); i += 2) {
        const std::uint64_t r = step();
        out[i] = unit(static_cast<std::uint32_t>(r >> 32));
        out[i + 1] = unit(static_cast<std::uint32_t>(r));
    }
    if (i < out.size()) out[i] = next();
}

int diffuseOffset(float u) {
    return static_cast<int>(std::nearbyintf(u * 4.0f - 2.0f));
}

void diffuseOffsets(const float* u, int count, int width, std::int32_t* __restrict offset) {
    // Adding and removing 1.5 * 2^23 rounds a float below 2^22 in size to a whole number,
    // ties to even, as nearbyintf does in the default rounding mode, but in vector lanes.
    constexpr float kRoundEven = 0x1.8p23f;
    for (int i = 0; i < count; ++i) {
        const float dy = (u[2 * i] * 4.0f - 2.0f + kRoundEven) - kRoundEven;
        const float dx = (u[2 * i + 1] * 4.0f - 2.0f + kRoundEven) - kRoundEven;
        offset[i] = static_cast<std::int32_t>(dy) * width + static_cast<std::int32_t>(dx);
    }
}

}  // namespace imagefx
