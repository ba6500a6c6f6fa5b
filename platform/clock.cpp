// The machine's clock.
#include "platform/clock.h"

#include <chrono>

namespace platform {

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

std::int64_t SystemClock::monotonicMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Clock& systemClock() {
    static SystemClock clock;
    return clock;
}

}  // namespace platform
