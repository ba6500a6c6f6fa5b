// When the one-second exercise timer is due, measured on the monotonic clock so that
// late or bunched timer events neither lose nor gain seconds.
#pragma once

#include <cstdint>

namespace typedrill {

class TickSchedule {
public:
    static constexpr std::int64_t kIntervalMs = 1000;

    // The first tick falls one interval after `nowMs`.
    void start(std::int64_t nowMs) {
        running_ = true;
        nextMs_ = nowMs + kIntervalMs;
    }
    void stop() { running_ = false; }
    bool running() const { return running_; }

    // How many ticks have fallen due by `nowMs`; they count as delivered.
    int takeDue(std::int64_t nowMs);
    // Milliseconds from `nowMs` until the next tick (0 when one is already due).
    std::int64_t msUntilNext(std::int64_t nowMs) const;

private:
    bool running_ = false;
    std::int64_t nextMs_ = 0;
};

}  // namespace typedrill
