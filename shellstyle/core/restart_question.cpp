// Asking about the restart.
#include "shellstyle/core/restart_question.h"

#include <QString>

namespace shellstyle {

bool askRestart(platform::MessageBoxes& boxes, platform::RestartRequest& restart) {
    const platform::MsgAnswer answer =
        boxes.show(QString::fromUtf8(kRestartQuestion), QString::fromUtf8(kRestartCaption),
                   platform::MsgButtons::YesNo, platform::MsgIcon::None);
    if (answer != platform::MsgAnswer::Yes) return false;
    return restart.request();
}

}  // namespace shellstyle
