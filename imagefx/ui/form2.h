// Form2: the progress window shown while a picture loads or a filter runs.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "imagefx/core/progress_meter.h"

class QProgressBar;

namespace imagefx::ui {

class Form2 final : public QWidget, public ProgressSink {
public:
    explicit Form2(QWidget* owner);

    // Shows the window without blocking and paints it at once (the caller's loop does not
    // return to the event loop until it is done).
    void showRunning(const QString& caption);
    // Sets the bar; paints it at once unless it was painted less than a frame ago, so a
    // fast run spends its time filtering rather than drawing changes nobody could see.
    void setPercent(int percent) override;

    QProgressBar* pgrbar;
    int updates = 0;  // bar changes since the window was created

private:
    QElapsedTimer painted_;  // since the bar was last painted
};

}  // namespace imagefx::ui
