// What the desktop shows of the suite's store: the icon theme and the tuning switches.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "desktop/desktop_settings.h"
#include "desktop/icon_choices.h"
#include "platform/desktop_kind.h"
#include "registry/general.h"
#include "systune/core/switch_table.h"

namespace desktop {

struct BridgeResult {
    bool ok = true;
    std::string reason;  // one line when not ok
    // False when no known desktop runs (none named in XDG_CURRENT_DESKTOP): there is
    // no one to tell, and the windows say nothing of it.
    bool desktopKnown = true;
};

// What each switch is to be on the desktop, in table order; nothing leaves it as it is.
using DesiredSwitches = std::array<std::optional<bool>, systune::kSwitchCount>;
// Per switch, in table order: the box showed the desktop's own setting (the store
// cannot keep the switch), so clearing it resets that setting whoever set it.
using ShownFromDesktop = std::array<bool, systune::kSwitchCount>;

class Bridge {
public:
    // `dataHome` is ${XDG_DATA_HOME:-~/.local/share}: the theme goes to icons/ below it,
    // what the bridge remembers to shellstyle-suite/ beside the store.
    Bridge(platform::Environment environment, DesktopSettings& settings, std::filesystem::path dataHome);

    // Builds the theme from the chosen icons and makes it the desktop's; with none
    // left, removes it and names the theme from before again (or the default). Every
    // setting written is read back. `atLogin`: the store's choices are put back, which
    // changes the desktop's theme only while it names the suite's theme or the one
    // from before it, so a theme the user picked since stays.
    BridgeResult applyIcons(const IconChoices& choices, bool atLogin);

    // Sets each wanted switch's setting (ticked) or resets it (clear) where this desktop
    // has one. A clear box resets only settings the suite set itself, so the user's own
    // stay, except where the box showed the desktop's own setting. Every setting
    // written is read back.
    BridgeResult applySwitches(const DesiredSwitches& wanted, const ShownFromDesktop& shown = {});

    // For the switches with a setting on this desktop: whether it is in the ticked state.
    DesiredSwitches desktopSwitches();

    std::filesystem::path rememberedThemeFile() const;
    std::filesystem::path switchRecordFile() const;

private:
    platform::DesktopKind desktop() const;
    // Sets `value` (or resets, undoing `undone`) and reads it back.
    BridgeResult put(const SettingPlace& place, const std::optional<QString>& value, const QString& undone = {});
    std::string problem(const char* otherwise) const;

    platform::Environment environment_;
    DesktopSettings& settings_;
    std::filesystem::path dataHome_;
};

// The switches as the store holds them: nothing for a switch whose value the store
// does not have (its key names one machine's device), so the desktop keeps its own.
DesiredSwitches storedSwitches(registry::General& reg);

// A theme name fit to be named back and inherited from: one line, no path, no list.
bool plainThemeName(const QString& name);

}  // namespace desktop
