// The filters as table rows: a name, the processed rectangle and a per-channel rule.
#pragma once

#include <cstdint>
#include <span>

#include <QString>

namespace imagefx {

// One channel plane seen from output row y.
struct RowInput {
    const std::uint8_t* plane;
    int width;
    int y;
    const std::uint8_t* row(int dy) const {
        return plane + static_cast<std::ptrdiff_t>(y + dy) * width;
    }
};

// The custom kernel prepared for the row loop (see channel_rules.cpp for the arithmetic).
// Weights and divisor may have been divided by their common factor, which leaves every
// quotient as it was.
struct PreparedKernel {
    std::int16_t weight[9];          // reading order, the upper-left neighbour first
    std::int32_t biasTimesDivide;    // offset * divisor
    std::int32_t capNumerator;       // 256 * |divisor|: anything above rounds past 255
    float divisor;                   // |divisor|
    int taps;                        // weights other than 0
    bool narrowSum;                  // 255 * sum of |weight| fits 16 bits
    bool unitDivisor;                // |divisor| = 1
    bool narrowFinish;               // also |S + offset * divisor| stays within 16 bits
    // |divisor| from 2 to 32767 with the numerator in 16 bits: the quotient's floor is
    // (n * quotientMultiplier) >> (16 + quotientShift), and the rounding is integer too.
    bool integerQuotient;
    std::uint16_t quotientMultiplier;
    int quotientShift;
    std::int16_t divisor16;          // |divisor| when integerQuotient
    // An odd |divisor| has no halves: the rounded quotient is the floor of
    // (n + (|divisor| - 1) / 2) / |divisor|, which stays below 2^15 when this is set.
    bool oddQuotient;
    // The kernel only copies one neighbour (weight 1, no offset): its tap, else -1.
    int copiedTap;
};

// What the three channels of one output row share.
struct RowShared {
    const PreparedKernel* kernel = nullptr;
    // Diffuse: where each output pixel of the row comes from, as an index offset into the
    // planes from the pixel itself (dy * W + dx).
    const std::int32_t* offset = nullptr;
};

// Writes out[i], the channel of the output pixel at column x0 + i (i < count), already
// brought into 0..255 by the rule.
using ChannelRule = void (*)(const RowInput& in, int x0, int count, const RowShared& shared,
                             std::uint8_t* out);

// The three planes seen from output row y.
struct PixelInput {
    RowInput red, green, blue;
};

// Writes out[i], the whole pixel at column x0 + i, straight from the three planes: for
// rules cheap enough that a pass per channel would cost more than the rule itself.
using PixelRule = void (*)(const PixelInput& in, int x0, int count, const RowShared& shared,
                           std::uint32_t* out);

// Rows lead..H-1-trail and columns lead..W-1-trail, inclusive.
struct ProcessedRect {
    int lead;
    int trail;
};

// A filter runs either `rule` once per channel or, when given, `pixels` once.
struct FilterRow {
    const char* name;     // UTF-8, shown in the progress caption
    ProcessedRect rect;
    ChannelRule rule;
    bool drawsOffsets;    // two random numbers per output pixel before the row runs
    PixelRule pixels = nullptr;
};

// Command1(n) runs presetFilters()[n]: soften, sharpen, emboss, engrave, diffuse, exposure.
std::span<const FilterRow> presetFilters();
const FilterRow& customFilter();

// "正在" + name + "图像...", set on the progress window before a preset runs.
QString progressCaption(const FilterRow& row);
// The button caption: the name's two characters with four blanks between them.
QString buttonCaption(const FilterRow& row);

inline constexpr const char* kLoadingCaption = "正在加载图片...";

}  // namespace imagefx
