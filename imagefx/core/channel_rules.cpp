// The filters' channel arithmetic, one row at a time, written so that the loops vectorise.
#include "imagefx/core/channel_rules.h"

#include <cstdint>
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
        const i16 u = static_cast<i16>(t + ((t >> 1) & 1));
        i16 v = static_cast<i16>(u >> 1);
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
    int weightSum = 0;
    k.taps = 0;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            const std::int16_t w = s.FilterKernel[r][c];
            k.weight[3 * (r - 1) + (c - 1)] = w;
            weightSum += std::abs(static_cast<int>(w));
            if (w != 0) k.taps++;
        }
    const std::int32_t divide = s.FilterDivide;
    k.biasTimesDivide = static_cast<std::int32_t>(s.FilterBias) * divide;
    k.capNumerator = 256 * std::abs(divide);
    k.divisor = static_cast<float>(std::abs(divide));
    k.narrowSum = weightSum * 255 <= 32767;
    k.unitDivisor = std::abs(divide) == 1;
    k.narrowFinish = k.narrowSum && k.unitDivisor &&
                     std::abs(k.biasTimesDivide) <= 32767 - weightSum * 255;
    return k;
}

namespace {

// round(n / d) for 0 <= n <= 256 |d| (ties to even), capped at 255.
[[gnu::always_inline]] inline i16 finish(std::int32_t s, std::int32_t bd, std::int32_t cap, float d,
                                         bool unit) {
    constexpr float kRoundEven = 0x1.8p23f;  // adding and removing it rounds to whole, ties to even
    std::int32_t n = s + bd;
    n = n < 0 ? -n : n;
    if (unit) return static_cast<i16>(n > 255 ? 255 : n);
    n = n > cap ? cap : n;
    const float q = static_cast<float>(n) / d;
    const std::int32_t v = static_cast<std::int32_t>((q + kRoundEven) - kRoundEven);
    return static_cast<i16>(v > 255 ? 255 : v);
}

// The same for |divisor| = 1 when |S + b d| cannot leave 16 bits.
[[gnu::always_inline]] inline i16 finishNarrow(i16 s, i16 bd) {
    i16 n = static_cast<i16>(s + bd);
    n = n < 0 ? static_cast<i16>(-n) : n;
    return n > 255 ? i16{255} : n;
}

template <bool Unit>
[[gnu::always_inline]] inline void finishRow(const PreparedKernel& k, int count, i16* __restrict out) {
    const std::int32_t bd = k.biasTimesDivide, cap = k.capNumerator;
    const float d = k.divisor;
    for (int i = 0; i < count; ++i) out[i] = finish(out[i], bd, cap, d, Unit);
}

}  // namespace

// Channel = round(|S / d + b|), ties to even, capped at 255, where S sums the nine
// products each wrapped to 16 bits. Since b is whole, |S / d + b| = |S + b d| / |d|, an
// exact integer ratio: the numerator is capped where the result would pass 255 (so it
// stays below 2^24 and is exact as a float), and one correctly rounded float division
// then lands on the same side of every half as the exact quotient, because quotients
// with |d| <= 32768 sit at least 2^-16 from a half and the division errs by under 2^-17.
// Plane values are 0..255 (as loaded), so when the weights' magnitudes sum to at most
// 32767 / 255 no product wraps and S itself fits 16 bits: it is then summed in 16-bit
// lanes, tap by tap for kernels of few taps.
IMAGEFX_ROW_LOOP
void customKernel(const RowInput& in, int x0, int count, const RowShared& shared,
                  i16* __restrict out) {
    const PreparedKernel& k = *shared.kernel;
    const i16* rows[3] = {in.row(-1) + x0, in.row(0) + x0, in.row(1) + x0};
    if (k.narrowFinish && k.taps == 1) {
        int t = 0;
        while (k.weight[t] == 0) ++t;
        const i16 w = k.weight[t];
        const i16 bd = static_cast<i16>(k.biasTimesDivide);
        const i16* __restrict src = rows[t / 3] + (t % 3 - 1);
        for (int i = 0; i < count; ++i) out[i] = finishNarrow(static_cast<i16>(w * src[i]), bd);
        return;
    }
    if (k.narrowSum && k.taps <= 4) {
        bool first = true;
        for (int t = 0; t < 9; ++t) {
            const i16 w = k.weight[t];
            if (w == 0) continue;
            const i16* __restrict src = rows[t / 3] + (t % 3 - 1);
            if (first)
                for (int i = 0; i < count; ++i) out[i] = static_cast<i16>(w * src[i]);
            else
                for (int i = 0; i < count; ++i) out[i] = static_cast<i16>(out[i] + w * src[i]);
            first = false;
        }
        if (first)
            for (int i = 0; i < count; ++i) out[i] = 0;
    } else if (k.narrowSum) {
        const i16* __restrict a = rows[0];
        const i16* __restrict m = rows[1];
        const i16* __restrict b = rows[2];
        const i16 w0 = k.weight[0], w1 = k.weight[1], w2 = k.weight[2], w3 = k.weight[3],
                  w4 = k.weight[4], w5 = k.weight[5], w6 = k.weight[6], w7 = k.weight[7],
                  w8 = k.weight[8];
        for (int i = 0; i < count; ++i)
            out[i] = static_cast<i16>(w0 * a[i - 1] + w1 * a[i] + w2 * a[i + 1] + w3 * m[i - 1] +
                                      w4 * m[i] + w5 * m[i + 1] + w6 * b[i - 1] + w7 * b[i] +
                                      w8 * b[i + 1]);
    } else {
        const i16* __restrict a = rows[0];
        const i16* __restrict m = rows[1];
        const i16* __restrict b = rows[2];
        const i16 w0 = k.weight[0], w1 = k.weight[1], w2 = k.weight[2], w3 = k.weight[3],
                  w4 = k.weight[4], w5 = k.weight[5], w6 = k.weight[6], w7 = k.weight[7],
                  w8 = k.weight[8];
        const std::int32_t bd = k.biasTimesDivide, cap = k.capNumerator;
        const float d = k.divisor;
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
            out[i] = finish(s, bd, cap, d, false);
        }
        return;
    }
    if (k.narrowFinish) {
        const i16 bd = static_cast<i16>(k.biasTimesDivide);
        for (int i = 0; i < count; ++i) out[i] = finishNarrow(out[i], bd);
    } else if (k.unitDivisor)
        finishRow<true>(k, count, out);
    else
        finishRow<false>(k, count, out);
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
