// Typing speed.
#include "typedrill/core/speed.h"

#include <cmath>

#include "typedrill/core/count_text.h"

namespace typedrill {

std::int16_t speedPerMinute(long long characters, double seconds) {
    const double perMinute = std::floor(static_cast<double>(characters) / seconds * 60.0);
    if (!(perMinute < kCountCap)) return kCountCap;  // also a non-finite quotient
    return capCount(static_cast<long long>(perMinute));
}

}  // namespace typedrill
