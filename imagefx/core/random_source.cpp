// The diffuse filter's random numbers.
#include "imagefx/core/random_source.h"

#include <cmath>

#include "imagefx/core/row_loop.h"

namespace imagefx {

namespace {

constexpr std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// The top 24 bits give every float of the form k / 2^24, all exactly representable.
inline float unit(std::uint32_t bits) { return static_cast<float>(bits >> 8) * 0x1p-24f; }

}  // namespace

namespace {

constexpr int kLanes = DefaultUniformSource::kLanes;

// `steps` steps of every lane; step k writes out[16k .. 16k + 15].
IMAGEFX_ROW_LOOP
void steps(std::uint64_t (&s)[4][kLanes], float* __restrict out, std::size_t count) {
    std::uint64_t s0[kLanes], s1[kLanes], s2[kLanes], s3[kLanes];
    for (int j = 0; j < kLanes; ++j) {
        s0[j] = s[0][j];
        s1[j] = s[1][j];
        s2[j] = s[2][j];
        s3[j] = s[3][j];
    }
    for (std::size_t k = 0; k < count; ++k) {
        float* o = out + 2 * kLanes * k;
        for (int j = 0; j < kLanes; ++j) {
            const std::uint64_t result = rotl(s0[j] + s3[j], 23) + s0[j];
            const std::uint64_t t = s1[j] << 17;
            s2[j] ^= s0[j];
            s3[j] ^= s1[j];
            s1[j] ^= s2[j];
            s0[j] ^= s3[j];
            s2[j] ^= t;
            s3[j] = rotl(s3[j], 45);
            o[2 * j] = unit(static_cast<std::uint32_t>(result >> 32));
            o[2 * j + 1] = unit(static_cast<std::uint32_t>(result));
        }
    }
    for (int j = 0; j < kLanes; ++j) {
        s[0][j] = s0[j];
        s[1][j] = s1[j];
        s[2][j] = s2[j];
        s[3][j] = s3[j];
    }
}

}  // namespace

DefaultUniformSource::DefaultUniformSource() {
    // The fixed starting state, spread from one constant by splitmix64.
    std::uint64_t z = 0x9e3779b97f4a7c15u;
    for (auto& word : s_)
        for (std::uint64_t& s : word) {
            z += 0x9e3779b97f4a7c15u;
            std::uint64_t x = z;
            x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9u;
            x = (x ^ (x >> 27)) * 0x94d049bb133111ebu;
            s = x ^ (x >> 31);
        }
}

float DefaultUniformSource::next() {
    if (used_ == kBlock) {
        steps(s_, block_, 1);
        used_ = 0;
    }
    return block_[used_++];
}

void DefaultUniformSource::fill(std::span<float> out) {
    std::size_t i = 0;
    while (i < out.size() && used_ < kBlock) out[i++] = block_[used_++];
    const std::size_t whole = (out.size() - i) / kBlock;
    steps(s_, out.data() + i, whole);
    i += whole * kBlock;
    while (i < out.size()) out[i++] = next();
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
