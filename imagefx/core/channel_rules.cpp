// The filters' channel arithmetic, one row at a time, written so that the loops vectorise.
#include "imagefx/core/channel_rules.h"

#include <cstdlib>

// Each row loop is built twice, for AVX2 and for the baseline instruction set, and the
// loader picks the one the processor runs.
#if defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__) && \
    !(defined(__has_feature) && __has_feature(address_sanitizer))
#define IMAGEFX_ROW_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define IMAGEFX_ROW_LOOP
#endif

namespace imagefx::rules {

using i16 = std::int16_t;

IMAGEFX_ROW_LOOP
void soften(const RowInput& in, int x0, int count, const RowShared&, i16* __restrict out) {
    const i16* __restrict a = in.row(-1) + x0;
    const i16* __restrict m = in.row(0) + x0;
    const i16* __restrict b = in.row(1) + x0;
    for (int i = 0; i < count; ++i) {
        // At most 9 * 255 = 2295: the sum fits 16 bits. Division truncates.
        const i16 s = static_cast<i16>(a[i - 1] + a[i] + a[i + 1] + m[i - 1] + m[i] + m[i + 1] +
                                       b[i - 1] + b[i] + b[i + 1]);
        out[i] = static_cast<i16>(s / 9);
    }
}

IMAGEFX_ROW_LOOP
void sharpen(const RowInput& in, int x0, int count, const RowShared&, i16* __restrict out) {
    const i16* __restrict ul = in.row(-1) + x0 - 1;
    const i16* __restrict c = in.row(0) + x0;
    for (int i = 0; i < count; ++i) {
        // c + 0.5 * (c - ul) = t / 2 with t = 3c - ul; halves go to the even neighbour.
        const i16 t = static_cast<i16>(3 * c[i] - ul[i]);
        i16 v = static_cast<i16>((t + ((t >> 1) & 1)) >> 1);
        v = v < 0 ? i16{0} : v;
        out[i] = v > 255 ? i16{255} : v;
    }
}

namespace {
inline i16 offsetAbsCapped(int c, int other) {
    i16 v = static_cast<i16>(c - other + 128);
    v = v < 0 ? static_cast<i16>(-v) : v;
    return v > 255 ? i16{255} : v;
}
}  // namespace

IMAGEFX_ROW_LOOP
void emboss(const RowInput& in, int x0, int count, const RowShared&, i16* __restrict out) {
    const i16* __restrict c = in.row(0) + x0;
    const i16* __restrict lr = in.row(1) + x0 + 1;
    for (int i = 0; i < count; ++i) out[i] = offsetAbsCapped(c[i], lr[i]);
}

IMAGEFX_ROW_LOOP
void engrave(const RowInput& in, int x0, int count, const RowShared&, i16* __restrict out) {
    const i16* __restrict c = in.row(0) + x0;
    const i16* __restrict ul = in.row(-1) + x0 - 1;
    for (int i = 0; i < count; ++i) out[i] = offsetAbsCapped(c[i], ul[i]);
}

void diffuse(const RowInput& in, int x0, int count, const RowShared& shared, i16* out) {
    for (int i = 0; i < count; ++i)
        out[i] = in.row(shared.dy[i])[x0 + i + shared.dx[i]];
}

IMAGEFX_ROW_LOOP
void exposure(const RowInput& in, int x0, int count, const RowShared&, i16* __restrict out) {
    const i16* __restrict c = in.row(0) + x0;
    for (int i = 0; i < count; ++i)
        out[i] = (c[i] < 128 || c[i] > 255) ? static_cast<i16>(255 - c[i]) : c[i];
}

PreparedKernel prepareKernel(const FilterSettings& s) {
    PreparedKernel k{};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) k.weight[3 * (r - 1) + (c - 1)] = s.FilterKernel[r][c];
    const std::int32_t divide = s.FilterDivide;
    k.biasTimesDivide = static_cast<std::int32_t>(s.FilterBias) * divide;
    k.capNumerator = 256 * std::abs(divide);
    k.divisor = static_cast<float>(std::abs(divide));
    return k;
}

// Channel = round(|S / d + b|), ties to even, capped at 255, where S sums the nine
// products each wrapped to 16 bits. Since b is whole, |S / d + b| = |S + b d| / |d|, an
// exact integer ratio: the numerator is capped where the result would pass 255 (so it
// stays below 2^24 and is exact as a float), and one correctly rounded float division
// then lands on the same side of every half as the exact quotient, because quotients
// with |d| <= 32768 sit at least 2^-16 from a half and the division errs by under 2^-17.
IMAGEFX_ROW_LOOP
void customKernel(const RowInput& in, int x0, int count, const RowShared& shared,
                  i16* __restrict out) {
    const PreparedKernel& k = *shared.kernel;
    const i16* __restrict a = in.row(-1) + x0;
    const i16* __restrict m = in.row(0) + x0;
    const i16* __restrict b = in.row(1) + x0;
    const i16 w0 = k.weight[0], w1 = k.weight[1], w2 = k.weight[2], w3 = k.weight[3],
              w4 = k.weight[4], w5 = k.weight[5], w6 = k.weight[6], w7 = k.weight[7],
              w8 = k.weight[8];
    const std::int32_t bd = k.biasTimesDivide;
    const std::int32_t cap = k.capNumerator;
    const float d = k.divisor;
    constexpr float kRoundEven = 0x1.8p23f;  // adding and removing it rounds to whole, ties to even
    for (int i = 0; i < count; ++i) {
        std::int32_t s = static_cast<i16>(w0 * a[i - 1]);
        s += static_cast<i16>(w1 * a[i]);
        s += static_cast<i16>(w2 * a[i + 1]);
        s += static_cast<i16>(w3 * m[i - 1]);
        s += static_cast<i16>(w4 * m[i]);
        s += static_cast<i16>(w5 * m[i + 1]);
        s += static_cast<i16>(w6 * b[i - 1]);
        s += static_cast<i16>(w7 * b[i]);
        s += static_cast<i16>(w8 * b[i + 1]);
        std::int32_t n = s + bd;
        n = n < 0 ? -n : n;
        n = n > cap ? cap : n;
        const float q = static_cast<float>(n) / d;
        const std::int32_t v = static_cast<std::int32_t>((q + kRoundEven) - kRoundEven);
        out[i] = static_cast<i16>(v > 255 ? 255 : v);
    }
}

IMAGEFX_ROW_LOOP
void composeRow(const i16* __restrict r, const i16* __restrict g, const i16* __restrict b,
                int count, std::uint32_t* __restrict out) {
    for (int i = 0; i < count; ++i) {
        const std::uint32_t rr = static_cast<std::uint32_t>(r[i] < 0 ? 0 : r[i] > 255 ? 255 : r[i]);
        const std::uint32_t gg = static_cast<std::uint32_t>(g[i] < 0 ? 0 : g[i] > 255 ? 255 : g[i]);
        const std::uint32_t bb = static_cast<std::uint32_t>(b[i] < 0 ? 0 : b[i] > 255 ? 255 : b[i]);
        out[i] = 0xff000000u | (rr << 16) | (gg << 8) | bb;
    }
}

}  // namespace imagefx::rules
