// Counts shown on the status line: held in 16 bits, written as a number and "个字".
#pragma once

#include <QString>

#include <algorithm>
#include <cstdint>

namespace typedrill {

// The counters are 16-bit signed values; larger counts stay at the top instead of
// wrapping round.
inline constexpr std::int16_t kCountCap = 32767;

inline std::int16_t capCount(long long value) {
    return static_cast<std::int16_t>(std::clamp<long long>(value, -32768, kCountCap));
}

// "35个字"
inline QString countText(int value) { return QString::number(value) + QStringLiteral("个字"); }

}  // namespace typedrill
