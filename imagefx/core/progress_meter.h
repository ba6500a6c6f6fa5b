// Turns "row y of H is done" into the 0..100 progress value, passed on only when it changes.
#pragma once

namespace imagefx {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setPercent(int percent) = 0;
};

class ProgressMeter {
public:
    // `sink` may be null (no progress shown).
    ProgressMeter(int height, ProgressSink* sink) : height_(height), sink_(sink) {}

    // y * 100 / (H - 1) in single precision, shown as a whole percentage. A picture one
    // row high has nothing between its first and last row: its only row counts as 100.
    static int percentAfterRow(int y, int height);

    void rowDone(int y);

private:
    int height_;
    ProgressSink* sink_;
    int shown_ = -1;
};

}  // namespace imagefx
