// The question asked whenever the main window closes, and the restart it may send.
#pragma once

#include "platform/message_box.h"
#include "platform/restart.h"

namespace shellstyle {

inline constexpr char kRestartQuestion[] = "设置后需要重新启动计算机，是否重新启动？";
inline constexpr char kRestartCaption[] = "重新启动";

// Asks; on Yes sends the restart request (not waited for). Returns whether one was sent.
bool askRestart(platform::MessageBoxes& boxes, platform::RestartRequest& restart);

}  // namespace shellstyle
