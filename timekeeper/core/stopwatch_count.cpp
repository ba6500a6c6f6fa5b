// Stopwatch count.
#include "timekeeper/core/stopwatch_count.h"

#include "platform/time_text.h"

namespace timekeeper {

QString StopwatchCount::text() const {
    return counted_ ? platform::timeOfDayText(value_) : QStringLiteral("00:00:00");
}

void StopwatchCount::advance() {
    value_ = value_.addSecs(1);
    counted_ = true;
}

}  // namespace timekeeper
