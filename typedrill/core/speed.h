// Average typing speed in characters per minute.
#pragma once

#include <cstdint>

namespace typedrill {

// k characters in t seconds: k / t * 60 rounded down, kept within the 16-bit count
// range. Only meaningful for t > 0.
std::int16_t speedPerMinute(long long characters, double seconds);

}  // namespace typedrill
