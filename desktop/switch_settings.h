// The tuning switches that have a true counterpart among each desktop's settings.
#pragma once

#include <span>
#include <string_view>

#include "desktop/desktop_settings.h"
#include "platform/desktop_kind.h"

namespace desktop {

// One switch's counterpart on one desktop, found by the switch's value name.
struct SwitchSetting {
    std::string_view valueName;  // systune's value name ("MinAnimate")
    platform::DesktopKind desktop;
    SettingsStore store;
    std::string_view group;       // schema, channel or kdeglobals group
    std::string_view key;
    std::string_view whenTicked;  // in the store's notation; a clear box resets the key

    SettingPlace place() const;
};

// Every row, grouped by desktop; a switch has at most one row per desktop.
std::span<const SwitchSetting> switchSettings();

// The row of `valueName` on `kind`; null when the switch has no counterpart there.
const SwitchSetting* switchSetting(std::string_view valueName, platform::DesktopKind kind);

}  // namespace desktop
