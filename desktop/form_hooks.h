// The forms' hand-over to the desktop: shellstyle after each walk that wrote the store,
// systune after each save and when its window opens.
#pragma once

#include "desktop/desktop_queue.h"
#include "platform/message_box.h"
#include "registry/general.h"

namespace shellstyle::ui {
class xpfg;
}
namespace systune::ui {
class reg;
}

namespace desktop {

// The form, the store and the boxes must outlive the queue. A failure is shown in a
// message box once the desktop has answered (none where no known desktop runs); the
// form never waits for it.
void handIconsToDesktop(shellstyle::ui::xpfg& form, registry::General& reg, DesktopQueue& queue,
                        platform::MessageBoxes& boxes);

// Also shows, once the desktop answers, each box the store cannot keep as the desktop
// has its setting, so a saved tick reads back ticked and a cleared box clears it.
void handSwitchesToDesktop(systune::ui::reg& form, registry::General& reg, DesktopQueue& queue,
                           platform::MessageBoxes& boxes);

}  // namespace desktop
