// The filters' row rules: per channel (soften, the custom kernel) with the packing of three
// channel rows into pixels, or on whole pixels at once (the cheaper rules).
#pragma once

#include <cstdint>

#include "imagefx/core/custom_kernel.h"
#include "imagefx/core/filter_table.h"

namespace imagefx::rules {

void soften(const RowInput& in, int x0, int count, const RowShared&, std::uint8_t* out);
void customKernel(const RowInput& in, int x0, int count, const RowShared& shared,
                  std::uint8_t* out);

// Rules cheap enough to run on whole pixels at once.
void sharpenPixels(const PixelInput& in, int x0, int count, const RowShared&, std::uint32_t* out);
void embossPixels(const PixelInput& in, int x0, int count, const RowShared&, std::uint32_t* out);
void engravePixels(const PixelInput& in, int x0, int count, const RowShared&, std::uint32_t* out);
void diffusePixels(const PixelInput& in, int x0, int count, const RowShared& shared,
                   std::uint32_t* out);
// A kernel that copies one neighbour (PreparedKernel::copiedTap).
void copiedPixels(const PixelInput& in, int x0, int count, const RowShared& shared, std::uint32_t* out);
void exposurePixels(const PixelInput& in, int x0, int count, const RowShared&, std::uint32_t* out);

PreparedKernel prepareKernel(const FilterSettings& settings);

// floor(n / d) = (n * multiplier) >> (16 + shift) for every 0 <= n < 2^15, 2 <= d <= 32767.
struct QuotientMagic {
    std::uint16_t multiplier;
    int shift;
};
QuotientMagic quotientMagic(int d);

// out[i] = pixel of r[i], g[i], b[i].
void composeRow(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, int count,
                std::uint32_t* out);

}  // namespace imagefx::rules
