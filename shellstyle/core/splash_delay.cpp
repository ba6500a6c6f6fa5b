// Cooperative waits on the monotonic clock.
#include "shellstyle/core/splash_delay.h"

namespace shellstyle {

void waitPast(const platform::Clock& clock, std::int64_t startMs, std::int64_t durationMs,
              const std::function<bool()>& step) {
    while (clock.monotonicMs() - startMs <= durationMs) {
        try {
            if (!step()) return;
        } catch (...) {
            // The wait is only a pause; a failing step must not end it early or abort.
        }
    }
}

void SplashDelay(const platform::Clock& clock, const std::function<bool()>& dispatch) {
    waitPast(clock, clock.monotonicMs(), kSplashDelayMs, dispatch);
}

}  // namespace shellstyle
