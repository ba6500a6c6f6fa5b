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

    // Starts a run with `caption` and the bar at 0. The window shows itself, without
    // blocking, once the run has lasted `showAfterMs`: a run done sooner than a person
    // could read the window never flashes it up (nor pays for mapping and painting it).
    void showRunning(const QString& caption);
    // Sets the bar; once shown, paints it at once unless it was painted less than a frame
    // ago, so the run spends its time filtering rather than drawing unseen changes.
    void setPercent(int percent) override;

    QProgressBar* pgrbar;
    int updates = 0;      // bar changes since the window was created
    int timesShown = 0;   // runs that lasted long enough to show the window
    int showAfterMs = 250;

private:
    void appear();

    QElapsedTimer started_;  // since the run began
    QElapsedTimer painted_;  // since the bar was last painted
};

}  // namespace imagefx::ui
