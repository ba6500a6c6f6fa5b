// The stopwatch count in whole seconds, carried as a time of day.
#pragma once

#include <QString>
#include <QTime>

namespace timekeeper {

class StopwatchCount {
public:
    // The reset count shows as the text "00:00:00"; a counted one in the time-of-day
    // layout ("0:00:01"), as the clock shows times.
    QString text() const;
    void reset() { counted_ = false; value_ = QTime(0, 0, 0); }
    // One second more; after 23:59:59 the count goes on from 0:00:00.
    void advance();

private:
    bool counted_ = false;
    QTime value_{0, 0, 0};
};

}  // namespace timekeeper
