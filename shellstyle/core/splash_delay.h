// The start-up waits: SplashDelay (4 s, dispatching events) and the splash's
// 3-second guard before it may unload. Both measure on the monotonic clock, so a
// wait that spans midnight or a clock change still ends on time.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/clock.h"

namespace shellstyle {

inline constexpr std::int64_t kSplashDelayMs = 4000;
inline constexpr std::int64_t kSplashMinimumMs = 3000;

// Calls `step` until more than `durationMs` have passed since `startMs` on the
// clock's monotonic counter, or until `step` returns false (the program is ending).
// An exception thrown by `step` is swallowed and the wait goes on.
void waitPast(const platform::Clock& clock, std::int64_t startMs, std::int64_t durationMs,
              const std::function<bool()>& step);

// Waits 4 s from now, running `dispatch` (which processes pending events) meanwhile.
void SplashDelay(const platform::Clock& clock, const std::function<bool()>& dispatch);

}  // namespace shellstyle
