// Progress value of the row loops.
#include "imagefx/core/progress_meter.h"

#include <algorithm>

namespace imagefx {

int ProgressMeter::percentAfterRow(int y, int height) {
    if (height <= 1) return 100;
    const float value = static_cast<float>(y) * 100.0f / static_cast<float>(height - 1);
    return std::clamp(static_cast<int>(value), 0, 100);
}

void ProgressMeter::rowDone(int y) {
    if (!sink_) return;
    const int percent = percentAfterRow(y, height_);
    if (percent == shown_) return;
    shown_ = percent;
    sink_->setPercent(percent);
}

}  // namespace imagefx
