// Return and Enter press push buttons in the programs' plain (non-dialog) windows.
#pragma once

class QWidget;

namespace platform::ui {

// From now on, in `window`: Return or Enter on a focused push button clicks it,
// and one that reaches the window from elsewhere clicks its enabled, visible
// default button (QPushButton::isDefault), if it has one. Buttons added later are
// covered too. Space and the mouse stay as they were.
void pressButtonsOnReturn(QWidget* window);

}  // namespace platform::ui
