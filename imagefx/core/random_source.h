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

// The program's generator, xoshiro256++ (period 2^256 - 1). It is never seeded, so every
// run of the program draws the same sequence, continued from one filter run to the next.
// Each 64-bit output gives two numbers, its high half first.
class DefaultUniformSource final : public UniformSource {
public:
    DefaultUniformSource();
    float next() override;
    void fill(std::span<float> out) override;

private:
    std::uint64_t step();
    std::uint64_t s_[4];
    std::uint32_t spare_ = 0;
    bool haveSpare_ = false;
};

// round(u * 4 - 2) in single precision, ties to even: -2 and +2 with probability 1/8,
// -1, 0 and +1 with 1/4 each.
int diffuseOffset(float u);

// For `count` pixels with numbers u[2i] (rows) and u[2i + 1] (columns): offset[i] =
// diffuseOffset(u[2i]) * width + diffuseOffset(u[2i + 1]).
void diffuseOffsets(const float* u, int count, int width, std::int32_t* offset);

}  // namespace imagefx
