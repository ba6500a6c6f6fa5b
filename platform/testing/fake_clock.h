// A clock that stands still until a test moves it.
#pragma once

#include "platform/clock.h"

namespace platform::testing {

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2003, 6, 15), QTime(12, 0, 0)))
        : now_(std::move(start)) {}
    QDateTime now() const override { return now_; }
    std::int64_t monotonicMs() const override { return monotonic_; }

    // Moves both the wall clock and the monotonic counter forward.
    void advanceMs(std::int64_t ms) {
        now_ = now_.addMSecs(ms);
        monotonic_ += ms;
    }
    // Sets the wall clock alone (a clock change); the monotonic counter keeps going.
    void setNow(const QDateTime& t) { now_ = t; }

private:
    QDateTime now_;
    std::int64_t monotonic_ = 1'000'000;
};

}  // namespace platform::testing
