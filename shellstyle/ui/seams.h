// What the forms reach the outside world through: dialogs, clock, restart, the
// registry and the icon reader. The program passes the real ones, tests fakes.
#pragma once

#include <functional>

#include <QString>

#include "platform/clock.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/restart.h"
#include "registry/general.h"
#include "shellstyle/ui/icon_pictures.h"

namespace shellstyle::ui {

struct Seams {
    platform::MessageBoxes& boxes;
    platform::FileDialogs& dialogs;
    platform::RestartRequest& restart;
    const platform::Clock& clock;
    registry::General& registry;
    IconPictures& icons;
    QString programFolder;       // where the shipped icon library lies
    std::function<void()> wait;  // SplashDelay: the 4-second wait that dispatches events
    std::function<void()> end;   // ends the program at once
};

}  // namespace shellstyle::ui
