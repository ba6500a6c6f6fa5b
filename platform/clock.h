// The clock seam: wall-clock time of day and date, and a monotonic counter for waits.
#pragma once

#include <QDateTime>

#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time of day, whole seconds and below.
    virtual QDateTime now() const = 0;
    // Milliseconds from an arbitrary start; never goes back, ignores clock changes and midnight.
    virtual std::int64_t monotonicMs() const = 0;
};

// The real clock of this machine.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    std::int64_t monotonicMs() const override;
};

// A process-wide real clock for code that is handed no other.
Clock& systemClock();

}  // namespace platform
