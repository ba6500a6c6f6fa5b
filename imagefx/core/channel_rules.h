// Per-channel row rules of the filters, and composing three channel rows into pixels.
#pragma once

#include <cstdint>

#include "imagefx/core/custom_kernel.h"
#include "imagefx/core/filter_table.h"

namespace imagefx::rules {

void soften(const RowInput& in, int x0, int count, const RowShared&, std::uint8_t* out);
void sharpen(const RowInput& in, int x0, int count, const RowShared&, std::uint8_t* out);
void emboss(const RowInput& in, int x0, int count, const RowShared&, std::uint8_t* out);
void engrave(const RowInput& in, int x0, int count, const RowShared&, std::uint8_t* out);
void diffuse(const RowInput& in, int x0, int count, const RowShared& shared, std::uint8_t* out);
void exposure(const RowInput& in, int x0, int count, const RowShared&, std::uint8_t* out);
void customKernel(const RowInput& in, int x0, int count, const RowShared& shared,
                  std::uint8_t* out);

PreparedKernel prepareKernel(const FilterSettings& settings);

// out[i] = pixel of r[i], g[i], b[i].
void composeRow(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, int count,
                std::uint32_t* out);

}  // namespace imagefx::rules
