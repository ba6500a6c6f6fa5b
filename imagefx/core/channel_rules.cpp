// The filters' channel arithmetic, one row at a time, written so that the loops vectorise.
#include "imagefx/core/channel_rules.h"

#include <cstdint>
#include <cstdlib>

#include "imagefx/core/row_loop.h"

namespace imagefx::rules {

using i16 = std::int16_t;
using u8 = std::uint8_t;

IMAGEFX_ROW_LOOP
void soften(const RowInput& in, int x0, int count, const RowShared&, u8* __restrict out) {
    const u8* __restrict a = in.row(-1) + x0;
    const u8* __restrict m = in.row(0) + x0;
    const u8* __restrict b = in.row(1) + x0;
    for (int i = 0; i < count; ++i) {
        // At most 9 * 255 = 2295: the sum fits 16 bits. Division truncates.
        const std::uint16_t s = static_cast<std::uint16_t>(a[i - 1] + a[i] + a[i + 1] + m[i - 1] + m[i] +
                                                           m[i + 1] + b[i - 1] + b[i] + b[i + 1]);
        out[i] = static_cast<u8>(s / 9);
    }
}

namespace {

// c + 0.5 * (c - ul) = t / 2 with t = 3c - ul; halves go to the even neighbour.
[[gnu::always_inline]] inline u8 sharpened(int c, int ul) {
    const i16 t = static_cast<i16>(3 * c - ul);
    const i16 u = static_cast<i16>(t + ((t >> 1) & 1));
    i16 v = static_cast<i16>(u >> 1);
    v = v < 0 ? i16{0} : v;
    return static_cast<u8>(v > 255 ? i16{255} : v);
}

[[gnu::always_inline]] inline u8 offsetAbsCapped(int c, int other) {
    i16 v = static_cast<i16>(c - other + 128);
    v = v < 0 ? static_cast<i16>(-v) : v;
    return static_cast<u8>(v > 255 ? i16{255} : v);
}

// Loaded values never exceed 255, so only the darker half is inverted.
[[gnu::always_inline]] inline u8 exposed(u8 c) { return c < 128 ? static_cast<u8>(255 - c) : c; }

[[gnu::always_inline]] inline std::uint32_t pixel(u8 r, u8 g, u8 b) {
    return 0xff000000u | (static_cast<std::uint32_t>(r) << 16) |
           (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

// A rule of the pixel itself and one neighbour (dy, dx), on all three channels.
template <int Dy, int Dx, class Rule>
[[gnu::always_inline]] inline void neighbourPixels(const PixelInput& in, int x0, int count,
                                                   std::uint32_t* __restrict out, Rule rule) {
    const u8* __restrict r = in.red.row(0) + x0;
    const u8* __restrict g = in.green.row(0) + x0;
    const u8* __restrict b = in.blue.row(0) + x0;
    const u8* __restrict rn = in.red.row(Dy) + x0 + Dx;
    const u8* __restrict gn = in.green.row(Dy) + x0 + Dx;
    const u8* __restrict bn = in.blue.row(Dy) + x0 + Dx;
    for (int i = 0; i < count; ++i) out[i] = pixel(rule(r[i], rn[i]), rule(g[i], gn[i]), rule(b[i], bn[i]));
}

}  // namespace

IMAGEFX_ROW_LOOP
void sharpenPixels(const PixelInput& in, int x0, int count, const RowShared&, std::uint32_t* out) {
    neighbourPixels<-1, -1>(in, x0, count, out, [](u8 c, u8 ul) { return sharpened(c, ul); });
}

IMAGEFX_ROW_LOOP
void embossPixels(const PixelInput& in, int x0, int count, const RowShared&, std::uint32_t* out) {
    neighbourPixels<1, 1>(in, x0, count, out, [](u8 c, u8 lr) { return offsetAbsCapped(c, lr); });
}

IMAGEFX_ROW_LOOP
void engravePixels(const PixelInput& in, int x0, int count, const RowShared&, std::uint32_t* out) {
    neighbourPixels<-1, -1>(in, x0, count, out, [](u8 c, u8 ul) { return offsetAbsCapped(c, ul); });
}

IMAGEFX_ROW_LOOP
void exposurePixels(const PixelInput& in, int x0, int count, const RowShared&, std::uint32_t* __restrict out) {
    const u8* __restrict r = in.red.row(0) + x0;
    const u8* __restrict g = in.green.row(0) + x0;
    const u8* __restrict b = in.blue.row(0) + x0;
    for (int i = 0; i < count; ++i) out[i] = pixel(exposed(r[i]), exposed(g[i]), exposed(b[i]));
}

void diffusePixels(const PixelInput& in, int x0, int count, const RowShared& shared,
                   std::uint32_t* __restrict out) {
    const u8* __restrict r = in.red.row(0) + x0;
    const u8* __restrict g = in.green.row(0) + x0;
    const u8* __restrict b = in.blue.row(0) + x0;
    for (int i = 0; i < count; ++i) {
        const std::int32_t from = i + shared.offset[i];
        out[i] = pixel(r[from], g[from], b[from]);
    }
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

// Pixels of a row handled at a time by the kernels that keep their sums apart.
constexpr int kStretch = 512;

// round(n / d) for 0 <= n <= 256 |d| (ties to even), capped at 255.
[[gnu::always_inline]] inline u8 finish(std::int32_t s, std::int32_t bd, std::int32_t cap, float d,
                                         bool unit) {
    constexpr float kRoundEven = 0x1.8p23f;  // adding and removing it rounds to whole, ties to even
    std::int32_t n = s + bd;
    n = n < 0 ? -n : n;
    if (unit) return static_cast<u8>(n > 255 ? 255 : n);
    n = n > cap ? cap : n;
    const float q = static_cast<float>(n) / d;
    const std::int32_t v = static_cast<std::int32_t>((q + kRoundEven) - kRoundEven);
    return static_cast<u8>(v > 255 ? 255 : v);
}

// The same for |divisor| = 1 when |S + b d| cannot leave 16 bits.
[[gnu::always_inline]] inline u8 finishNarrow(i16 s, i16 bd) {
    i16 n = static_cast<i16>(s + bd);
    n = n < 0 ? static_cast<i16>(-n) : n;
    return static_cast<u8>(n > 255 ? i16{255} : n);
}

template <bool Unit>
[[gnu::always_inline]] inline void finishRow(const PreparedKernel& k, int count,
                                             const i16* __restrict sum, u8* __restrict out) {
    const std::int32_t bd = k.biasTimesDivide, cap = k.capNumerator;
    const float d = k.divisor;
    for (int i = 0; i < count; ++i) out[i] = finish(sum[i], bd, cap, d, Unit);
}

}  // namespace

namespace {

// A stretch of one row: the 16-bit sums of a narrow kernel, tap by tap, then finished.
[[gnu::always_inline]] inline void narrowStretch(const PreparedKernel& k, const u8* const rows[3],
                                                 int count, u8* __restrict out) {
    i16 sum[kStretch];
    bool first = true;
    for (int t = 0; t < 9; ++t) {
        const i16 w = k.weight[t];
        if (w == 0) continue;
        const u8* __restrict src = rows[t / 3] + (t % 3 - 1);
        if (first)
            for (int i = 0; i < count; ++i) sum[i] = static_cast<i16>(w * src[i]);
        else
            for (int i = 0; i < count; ++i) sum[i] = static_cast<i16>(sum[i] + w * src[i]);
        first = false;
    }
    if (first)
        for (int i = 0; i < count; ++i) sum[i] = 0;
    if (k.narrowFinish) {
        const i16 bd = static_cast<i16>(k.biasTimesDivide);
        for (int i = 0; i < count; ++i) out[i] = finishNarrow(sum[i], bd);
    } else if (k.unitDivisor)
        finishRow<true>(k, count, sum, out);
    else
        finishRow<false>(k, count, sum, out);
}

// The same with all nine taps in one pass, for kernels of many weights.
[[gnu::always_inline]] inline void nineTapStretch(const PreparedKernel& k, const u8* const rows[3],
                                                  int count, u8* __restrict out) {
    i16 sum[kStretch];
    const u8* __restrict a = rows[0];
    const u8* __restrict m = rows[1];
    const u8* __restrict b = rows[2];
    const i16 w0 = k.weight[0], w1 = k.weight[1], w2 = k.weight[2], w3 = k.weight[3],
              w4 = k.weight[4], w5 = k.weight[5], w6 = k.weight[6], w7 = k.weight[7],
              w8 = k.weight[8];
    for (int i = 0; i < count; ++i)
        sum[i] = static_cast<i16>(w0 * a[i - 1] + w1 * a[i] + w2 * a[i + 1] + w3 * m[i - 1] +
                                  w4 * m[i] + w5 * m[i + 1] + w6 * b[i - 1] + w7 * b[i] +
                                  w8 * b[i + 1]);
    if (k.narrowFinish) {
        const i16 bd = static_cast<i16>(k.biasTimesDivide);
        for (int i = 0; i < count; ++i) out[i] = finishNarrow(sum[i], bd);
    } else if (k.unitDivisor)
        finishRow<true>(k, count, sum, out);
    else
        finishRow<false>(k, count, sum, out);
}

}  // namespace

// Channel = round(|S / d + b|), ties to even, capped at 255, where S sums the nine
// products each wrapped to 16 bits. Since b is whole, |S / d + b| = |S + b d| / |d|, an
// exact integer ratio: the numerator is capped where the result would pass 255 (so it
// stays below 2^24 and is exact as a float), and one correctly rounded float division
// then lands on the same side of every half as the exact quotient, because quotients
// with |d| <= 32768 sit at least 2^-16 from a half and the division errs by under 2^-17.
// Plane values are 0..255, so when the weights' magnitudes sum to at most 32767 / 255 no
// product wraps and S itself fits 16 bits: it is then summed in 16-bit lanes, tap by tap
// for kernels of few taps, over stretches short enough for the sums to stay in cache.
IMAGEFX_ROW_LOOP
void customKernel(const RowInput& in, int x0, int count, const RowShared& shared,
                  u8* __restrict out) {
    const PreparedKernel& k = *shared.kernel;
    const u8* rows[3] = {in.row(-1) + x0, in.row(0) + x0, in.row(1) + x0};
    if (k.narrowFinish && k.taps == 1) {
        int t = 0;
        while (k.weight[t] == 0) ++t;
        const i16 w = k.weight[t];
        const i16 bd = static_cast<i16>(k.biasTimesDivide);
        const u8* __restrict src = rows[t / 3] + (t % 3 - 1);
        if (w == 1 && bd == 0) {
            for (int i = 0; i < count; ++i) out[i] = src[i];
            return;
        }
        for (int i = 0; i < count; ++i) out[i] = finishNarrow(static_cast<i16>(w * src[i]), bd);
        return;
    }
    if (k.narrowSum) {
        for (int done = 0; done < count; done += kStretch) {
            const int n = count - done < kStretch ? count - done : kStretch;
            const u8* part[3] = {rows[0] + done, rows[1] + done, rows[2] + done};
            if (k.taps <= 4)
                narrowStretch(k, part, n, out + done);
            else
                nineTapStretch(k, part, n, out + done);
        }
        return;
    }
    const u8* __restrict a = rows[0];
    const u8* __restrict m = rows[1];
    const u8* __restrict b = rows[2];
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
}

IMAGEFX_ROW_LOOP
void composeRow(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b,
                int count, std::uint32_t* __restrict out) {
    for (int i = 0; i < count; ++i)
        out[i] = 0xff000000u | (static_cast<std::uint32_t>(r[i]) << 16) |
                 (static_cast<std::uint32_t>(g[i]) << 8) | static_cast<std::uint32_t>(b[i]);
}

}  // namespace imagefx::rules
