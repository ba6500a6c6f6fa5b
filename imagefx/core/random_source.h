// Uniform numbers in [0, 1) for the diffuse filter, and how one becomes a pixel offset.
#pragma once

#include <random>

namespace imagefx {

class UniformSource {
public:
    virtual ~UniformSource() = default;
    // The next number, uniform in [0, 1).
    virtual float next() = 0;
};

// The program's generator. It is never seeded, so every run of the program draws the
// same sequence, continued from one filter run to the next.
class DefaultUniformSource final : public UniformSource {
public:
    float next() override;

private:
    std::mt19937 engine_;
};

// round(u * 4 - 2) in single precision, ties to even: -2 and +2 with probability 1/8,
// -1, 0 and +1 with 1/4 each.
int diffuseOffset(float u);

}  // namespace imagefx
