// A window of one fixed size is never maximised.
#pragma once

class QWidget;

namespace platform::ui {

// From now on a maximised or full-screen state asked for `window` (by a title bar
// Qt draws itself, whose maximise button shows whatever the window's flags say,
// or by the compositor) is undone at once while its smallest and largest sizes
// are the same. Windows that may grow are left alone.
void refuseMaximise(QWidget* window);

}  // namespace platform::ui
