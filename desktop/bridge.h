// What the desktop shows of the suite's store: the icon theme and the tuning switches.
#pragma once

#include <filesystem>
#include <string>

#include "platform/desktop_kind.h"
#include "platform/wallpaper/desktop_wallpaper.h"
#include "registry/general.h"
#include "systune/core/switch_table.h"

namespace desktop {

struct BridgeResult {
    bool ok = true;
    std::string reason;  // one line when not ok
};

class Bridge {
public:
    // `dataHome` is ${XDG_DATA_HOME:-~/.local/share}: the theme goes to icons/ below it,
    // what the bridge remembers to shellstyle-suite/ beside the store.
    Bridge(platform::Environment environment, platform::CommandRunner& runner, std::filesystem::path dataHome);

    // Builds the theme from the store's IconTargets values and makes it the desktop's;
    // with no usable value left, removes it and names the theme from before again.
    BridgeResult applyIcons(registry::General& reg);

    // Sets each switch's desktop key (ticked) or resets it (clear) where it has one.
    // A clear box resets only keys the suite set itself, so the user's own settings
    // stay. `fromStore`: the states were read back from the store, which cannot hold
    // every switch (those rows are then left as last saved).
    BridgeResult applySwitches(const systune::SwitchStates& states, bool fromStore);

    std::filesystem::path rememberedThemeFile() const;
    std::filesystem::path switchRecordFile() const;

private:
    platform::DesktopKind desktop() const;

    platform::Environment environment_;
    platform::CommandRunner& runner_;
    std::filesystem::path dataHome_;
};

// The bridge of this session: its environment, the desktop tools, the user's data
// folder. When $SUITE_DESKTOP_LOG names a file (the test sandbox), every tool call is
// appended there as a line instead of being run.
BridgeResult refreshIcons(registry::General& reg);
BridgeResult refreshSwitches(const systune::SwitchStates& states, bool fromStore);

// Starts shellstyle-apply from `programFolder` without waiting for it: the theme's
// pictures take a moment to write, and the window need not wait for them.
bool applyInBackground(const std::filesystem::path& programFolder);

}  // namespace desktop
