// The custom 3x3 kernel: its stored settings and reading them from the dialog's entries.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QString>

namespace imagefx {

// Kept for the whole program run; all zero and not OK until the dialog's first OK.
struct FilterSettings {
    // [r][c] with r, c in 1..3 (row 0 and column 0 unused); r = 1 is the row above
    // the pixel, c = 1 the column to its left.
    std::array<std::array<std::int16_t, 4>, 4> FilterKernel{};
    std::int16_t FilterDivide = 0;
    std::int16_t FilterBias = 0;
    bool FilterOk = false;
};

// The dialog's text boxes: nine weights in reading order, then divisor and offset.
struct KernelEntries {
    std::array<QString, 9> weights{"0", "0", "0", "0", "1", "0", "0", "0", "0"};
    QString divide = QStringLiteral("1");
    QString bias = QStringLiteral("0");
};

// Which box holds an unusable entry: 0..8 the weights, then the divisor, then the offset.
constexpr int kDivideBox = 9;
constexpr int kBiasBox = 10;

// The longest leading part of `text` that reads as a decimal number (leading blanks
// skipped; an optional sign, digits with an optional point, an optional exponent).
// Text without such a part reads as 0; a number beyond a double's range reads as an infinity.
double leadingNumber(const QString& text);

// leadingNumber rounded to the nearest integer, ties to even; nothing when the result
// does not fit a signed 16-bit value.
std::optional<std::int16_t> entryValue(const QString& text);

// Reads the entries in the order the OK button does (divisor, offset, weights) and, when
// all are usable, stores them with FilterOk = true and returns nothing. Otherwise returns
// the first offending box and leaves `settings` as it was. A divisor of 0 is unusable.
std::optional<int> acceptEntries(const KernelEntries& entries, FilterSettings& settings);

// One short line naming what is wrong with the entry in `box` (as acceptEntries returned it).
QString entryProblem(const KernelEntries& entries, int box);

}  // namespace imagefx
