// The filters' channel arithmetic, one row at a time, written so that the loops vectorise.
#include "imagefx/core/channel_rules.h"

#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <utility>

#include "imagefx/core/row_loop.h"

namespace imagefx::rules {

using i16 = std::int16_t;
using u8 = std::uint8_t;
using u16 = std::uint16_t;

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

QuotientMagic quotientMagic(int d) {
    int l = 0;
    while ((1 << l) < d) ++l;  // ceil(log2 d)
    const std::uint64_t k = 15 + static_cast<std::uint64_t>(l);
    const std::uint64_t m = ((std::uint64_t{1} << k) + static_cast<std::uint64_t>(d) - 1) / static_cast<std::uint64_t>(d);
    return {static_cast<std::uint16_t>(m), l - 1};
}

PreparedKernel prepareKernel(const FilterSettings& s) {
    PreparedKernel k{};
    std::int32_t weights[9];
    int weightSum = 0;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            const std::int32_t w = s.FilterKernel[r][c];
            weights[3 * (r - 1) + (c - 1)] = w;
            weightSum += std::abs(w);
        }
    std::int32_t divide = s.FilterDivide;
    // Without wrapped products S is exact, and S / d is unchanged when the weights and the
    // divisor lose a common factor: with it gone, fewer kernels need a division at all.
    if (weightSum * 255 <= 32767) {
        int g = std::abs(divide);
        for (const std::int32_t w : weights) g = std::gcd(g, std::abs(w));
        if (g > 1) {
            for (std::int32_t& w : weights) w /= g;
            divide /= g;
            weightSum /= g;
        }
    }
    k.taps = 0;
    for (int t = 0; t < 9; ++t) {
        k.weight[t] = static_cast<std::int16_t>(weights[t]);
        if (weights[t] != 0) k.taps++;
    }
    k.biasTimesDivide = static_cast<std::int32_t>(s.FilterBias) * divide;
    k.capNumerator = 256 * std::abs(divide);
    k.divisor = static_cast<float>(std::abs(divide));
    k.narrowSum = weightSum * 255 <= 32767;
    k.unitDivisor = std::abs(divide) == 1;
    const bool narrowNumerator = k.narrowSum && std::abs(k.biasTimesDivide) <= 32767 - weightSum * 255;
    k.narrowFinish = narrowNumerator && k.unitDivisor;
    k.integerQuotient = narrowNumerator && std::abs(divide) >= 2 && std::abs(divide) <= 32767;
    if (k.integerQuotient) {
        const QuotientMagic magic = quotientMagic(std::abs(divide));
        k.quotientMultiplier = magic.multiplier;
        k.quotientShift = magic.shift;
        k.divisor16 = static_cast<std::int16_t>(std::abs(divide));
        k.oddQuotient = std::abs(divide) % 2 == 1 &&
                        weightSum * 255 + std::abs(k.biasTimesDivide) + (std::abs(divide) - 1) / 2 <= 32767;
    }
    k.copiedTap = -1;
    if (k.narrowFinish && k.taps == 1 && k.biasTimesDivide == 0)
        for (int t = 0; t < 9; ++t)
            if (k.weight[t] == 1) k.copiedTap = t;
    return k;
}

IMAGEFX_ROW_LOOP
void copiedPixels(const PixelInput& in, int x0, int count, const RowShared& shared,
                  std::uint32_t* __restrict out) {
    const int t = shared.kernel->copiedTap;
    const int dy = t / 3 - 1, dx = t % 3 - 1;
    const u8* __restrict r = in.red.row(dy) + x0 + dx;
    const u8* __restrict g = in.green.row(dy) + x0 + dx;
    const u8* __restrict b = in.blue.row(dy) + x0 + dx;
    for (int i = 0; i < count; ++i) out[i] = pixel(r[i], g[i], b[i]);
}

namespace {

// The 16-bit kernels run over stretches of a row short enough for their sums to stay in
// the first-level cache, each a whole number of blocks: a block is a whole number of
// vectors of every width, so that the loops never end in a scalar remainder. A row's last
// stretch is moved back to end with the row and recomputes a few pixels.
constexpr int kBlock = 64;
constexpr int kStretch = 8 * kBlock;

// round(n / d) for 0 <= n <= 256 |d| (ties to even), capped at 255.
[[gnu::always_inline]] inline u8 finish(std::int32_t s, std::int32_t bd, std::int32_t cap, float d) {
    constexpr float kRoundEven = 0x1.8p23f;  // adding and removing it rounds to whole, ties to even
    std::int32_t n = s + bd;
    n = n < 0 ? -n : n;
    n = n > cap ? cap : n;
    const float q = static_cast<float>(n) / d;
    const std::int32_t v = static_cast<std::int32_t>((q + kRoundEven) - kRoundEven);
    return static_cast<u8>(v > 255 ? 255 : v);
}

// Adds (or, for the first, stores) one kernel row's products to the 16-bit sums: the
// row's taps in one pass, so the sums are read and written once a row.
template <bool First>
[[gnu::always_inline]] inline void addKernelRow(const i16 w[3], const u8* __restrict src, int n,
                                                i16* __restrict sum) {
    auto put = [&](int i, int v) { sum[i] = static_cast<i16>(First ? v : sum[i] + v); };
    const int taps = (w[0] != 0) + (w[1] != 0) + (w[2] != 0);
    if (taps == 1) {
        const int t = w[0] != 0 ? 0 : w[1] != 0 ? 1 : 2;
        const i16 wt = w[t];
        const u8* __restrict p = src + t - 1;
        if (wt == 1)
            for (int i = 0; i < n; ++i) put(i, p[i]);
        else if (wt == -1)
            for (int i = 0; i < n; ++i) put(i, -p[i]);
        else
            for (int i = 0; i < n; ++i) put(i, wt * p[i]);
    } else if (taps == 3 && w[0] == w[1] && w[1] == w[2] && (w[0] == 1 || w[0] == -1)) {
        if (w[0] == 1)
            for (int i = 0; i < n; ++i) put(i, src[i - 1] + src[i] + src[i + 1]);
        else
            for (int i = 0; i < n; ++i) put(i, -(src[i - 1] + src[i] + src[i + 1]));
    } else {
        const i16 w0 = w[0], w1 = w[1], w2 = w[2];
        for (int i = 0; i < n; ++i) put(i, w0 * src[i - 1] + w1 * src[i] + w2 * src[i + 1]);
    }
}

// The 16-bit sums S of a stretch, kernel row by kernel row.
[[gnu::always_inline]] inline void blockSums(const PreparedKernel& k, const u8* const rows[3], int n,
                                             i16* __restrict sum) {
    bool first = true;
    for (int r = 0; r < 3; ++r) {
        const i16* w = k.weight + 3 * r;
        if (w[0] == 0 && w[1] == 0 && w[2] == 0) continue;
        if (first)
            addKernelRow<true>(w, rows[r], n, sum);
        else
            addKernelRow<false>(w, rows[r], n, sum);
        first = false;
    }
    if (first)
        for (int i = 0; i < n; ++i) sum[i] = 0;
}

// |S + b d| for 16-bit sums known to keep it within 16 bits.
[[gnu::always_inline]] inline i16 numerator(i16 s, i16 bd) {
    const i16 n = static_cast<i16>(s + bd);
    return n < 0 ? static_cast<i16>(-n) : n;
}

// round(n / d), ties to even, capped at 255, for the block's numerators below 2^15.
// q0 = floor(n / d) by the multiplier; the remainder r then says which way to round: up
// when r > d - r, or when r = d - r (a half) and q0 is odd. The shift is a constant so
// that the loop stays in 16-bit lanes.
template <int Shift>
[[gnu::always_inline]] inline void quotientBlock(const PreparedKernel& k, int n, const i16* __restrict sum,
                                                 u8* __restrict out) {
    const i16 bd = static_cast<i16>(k.biasTimesDivide);
    const u16 m = k.quotientMultiplier;
    const i16 d = k.divisor16;
    for (int i = 0; i < n; ++i) {
        const i16 v = numerator(sum[i], bd);
        const u16 hi = static_cast<u16>((static_cast<std::uint32_t>(static_cast<u16>(v)) * m) >> 16);
        const i16 q0 = static_cast<i16>(hi >> Shift);
        const i16 r = static_cast<i16>(v - q0 * d);
        const i16 t = static_cast<i16>(r - (d - r) + (q0 & 1));
        const i16 q = static_cast<i16>(q0 + (t > 0 ? 1 : 0));
        out[i] = static_cast<u8>(q > 255 ? i16{255} : q);
    }
}

// The same for an odd divisor, which meets no halves.
template <int Shift>
[[gnu::always_inline]] inline void oddQuotientBlock(const PreparedKernel& k, int n, const i16* __restrict sum,
                                                    u8* __restrict out) {
    const i16 bd = static_cast<i16>(k.biasTimesDivide);
    const u16 m = k.quotientMultiplier;
    const i16 half = static_cast<i16>(k.divisor16 / 2);
    for (int i = 0; i < n; ++i) {
        const u16 v = static_cast<u16>(numerator(sum[i], bd) + half);
        const u16 hi = static_cast<u16>((static_cast<std::uint32_t>(v) * m) >> 16);
        const i16 q = static_cast<i16>(hi >> Shift);
        out[i] = static_cast<u8>(q > 255 ? i16{255} : q);
    }
}

template <int... Shifts>
[[gnu::always_inline]] inline void quotientBlockFor(const PreparedKernel& k, int n, const i16* sum, u8* out,
                                                    std::integer_sequence<int, Shifts...>) {
    if (k.oddQuotient)
        ((k.quotientShift == Shifts ? oddQuotientBlock<Shifts>(k, n, sum, out) : void()), ...);
    else
        ((k.quotientShift == Shifts ? quotientBlock<Shifts>(k, n, sum, out) : void()), ...);
}

// Channels of one block from its sums: n = |S + b d| is known to fit 16 bits.
[[gnu::always_inline]] inline void finishBlock(const PreparedKernel& k, int n, const i16* __restrict sum,
                                               u8* __restrict out) {
    if (k.narrowFinish) {
        const i16 bd = static_cast<i16>(k.biasTimesDivide);
        for (int i = 0; i < n; ++i) {
            const i16 v = numerator(sum[i], bd);
            out[i] = static_cast<u8>(v > 255 ? i16{255} : v);
        }
        return;
    }
    quotientBlockFor(k, n, sum, out, std::make_integer_sequence<int, 15>{});
}

// The 16-bit sums of a kernel whose numerator may leave 16 bits, finished in 32 bits.
[[gnu::always_inline]] inline void finishBlockWide(const PreparedKernel& k, int n, const i16* __restrict sum,
                                                   u8* __restrict out) {
    const std::int32_t bd = k.biasTimesDivide, cap = k.capNumerator;
    const float d = k.divisor;
    if (k.unitDivisor) {
        for (int i = 0; i < n; ++i) {
            std::int32_t v = sum[i] + bd;
            v = v < 0 ? -v : v;
            out[i] = static_cast<u8>(v > 255 ? 255 : v);
        }
        return;
    }
    for (int i = 0; i < n; ++i) out[i] = finish(sum[i], bd, cap, d);
}

// Any kernel, one pixel at a time: products wrapped to 16 bits, summed in 32.
[[gnu::always_inline]] inline u8 wideChannel(const PreparedKernel& k, const u8* a, const u8* m, const u8* b) {
    std::int32_t s = static_cast<i16>(k.weight[0] * a[-1]);
    s += static_cast<i16>(k.weight[1] * a[0]);
    s += static_cast<i16>(k.weight[2] * a[1]);
    s += static_cast<i16>(k.weight[3] * m[-1]);
    s += static_cast<i16>(k.weight[4] * m[0]);
    s += static_cast<i16>(k.weight[5] * m[1]);
    s += static_cast<i16>(k.weight[6] * b[-1]);
    s += static_cast<i16>(k.weight[7] * b[0]);
    s += static_cast<i16>(k.weight[8] * b[1]);
    return finish(s, k.biasTimesDivide, k.capNumerator, k.divisor);
}

}  // namespace

// Channel = round(|S / d + b|), ties to even, capped at 255, where S sums the nine
// products each wrapped to 16 bits. Since b is whole, |S / d + b| = |S + b d| / |d|, an
// exact integer ratio n / |d|.
// Plane values are 0..255, so when the weights' magnitudes sum to at most 32767 / 255 no
// product wraps and S itself fits 16 bits: it is then summed in 16-bit lanes. When n fits
// 16 bits too, the quotient is found in integers: its floor by a multiplier (for n below
// 2^15, m = ceil(2^(15 + l) / d) with l = ceil(log2 d) errs by less than 1 / d, so never
// passes the next whole number), and the rounding from the remainder.
// Otherwise n is capped where the result would pass 255 (so it stays below 2^24 and is
// exact as a float), and one correctly rounded float division then lands on the same side
// of every half as the exact quotient, because quotients with |d| <= 32768 sit at least
// 2^-16 from a half and the division errs by under 2^-17.
IMAGEFX_ROW_LOOP
void customKernel(const RowInput& in, int x0, int count, const RowShared& shared,
                  u8* __restrict out) {
    const PreparedKernel& k = *shared.kernel;
    const u8* rows[3] = {in.row(-1) + x0, in.row(0) + x0, in.row(1) + x0};
    if (k.narrowSum && count >= kBlock) {
        const bool narrow = k.narrowFinish || k.integerQuotient;
        const int wholeBlocks = count / kBlock * kBlock;
        for (int done = 0; done < count;) {
            int n = (count - done + kBlock - 1) / kBlock * kBlock;
            n = n < kStretch ? n : kStretch;
            n = n < wholeBlocks ? n : wholeBlocks;
            const int at = done < count - n ? done : count - n;
            done = at + n;
            const u8* part[3] = {rows[0] + at, rows[1] + at, rows[2] + at};
            i16 sum[kStretch];
            blockSums(k, part, n, sum);
            if (narrow)
                finishBlock(k, n, sum, out + at);
            else
                finishBlockWide(k, n, sum, out + at);
        }
        return;
    }
    for (int i = 0; i < count; ++i) out[i] = wideChannel(k, rows[0] + i, rows[1] + i, rows[2] + i);
}

IMAGEFX_ROW_LOOP
void composeRow(const u8* __restrict r, const u8* __restrict g, const u8* __restrict b,
                int count, std::uint32_t* __restrict out) {
    for (int i = 0; i < count; ++i)
        out[i] = 0xff000000u | (static_cast<std::uint32_t>(r[i]) << 16) |
                 (static_cast<std::uint32_t>(g[i]) << 8) | static_cast<std::uint32_t>(b[i]);
}

}  // namespace imagefx::rules
