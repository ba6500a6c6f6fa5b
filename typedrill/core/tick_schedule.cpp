// The exercise timer's schedule.
#include "typedrill/core/tick_schedule.h"

#include <algorithm>

namespace typedrill {

int TickSchedule::takeDue(std::int64_t nowMs) {
    if (!running_ || nowMs < nextMs_) return 0;
    const std::int64_t due = (nowMs - nextMs_) / kIntervalMs + 1;
    nextMs_ += due * kIntervalMs;
    return static_cast<int>(std::min<std::int64_t>(due, 1 << 30));
}

std::int64_t TickSchedule::msUntilNext(std::int64_t nowMs) const {
    return std::max<std::int64_t>(0, nextMs_ - nowMs);
}

}  // namespace typedrill
