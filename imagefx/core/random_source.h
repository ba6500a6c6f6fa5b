// Uniform numbers in [0, 1) for the diffuse filter, and how one becomes a pixel offset.
#pragma once

#include <cstdint>
#include <span>

namespace imagefx {

class UniformSource {
public:
    virtual ~UniformSource() = default;
    // The next number, uniform in [0, 1).
    virtual float next() = 0;
    // The next out.size() numbers in order, as that many calls of next() would give them.
    virtual void fill(std::span<float> out) {
        for (float& u : out) u = next();
    }
};

// The program's generator: eight xoshiro256++ streams (period 2^256 - 1 each) stepped side
// by side, so that the steps run in vector lanes. Each step of the eight gives sixteen
// numbers, stream by stream, the high half of an output before its low half. It is never
// seeded, so every run of the program draws the same sequence, continued from one filter
// run to the next.
class DefaultUniformSource final : public UniformSource {
public:
    static constexpr int kLanes = 8;
    static constexpr int kBlock = 2 * kLanes;  // numbers per step of all lanes

    DefaultUniformSource();
    float next() override;
    void fill(std::span<float> out) override;

private:
    std::uint64_t s_[4][kLanes];
    float block_[kBlock];
    int used_ = kBlock;  // numbers of block_ already handed out
};

// round(u * 4 - 2) in single precision, ties to even: -2 and +2 with probability 1/8,
// -1, 0 and +1 with 1/4 each.
int diffuseOffset(float u);

// For `count` pixels with numbers u[2i] (rows) and u[2i + 1] (columns): offset[i] =
// diffuseOffset(u[2i]) * width + diffuseOffset(u[2i + 1]).
void diffuseOffsets(const float* u, int count, int width, std::int32_t* offset);

}  // namespace imagefx
