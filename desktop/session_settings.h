// The desktop's settings stores of this session, reached in-process: GSettings through
// GIO, xfconf through its D-Bus service, kdeglobals as a file with Plasma's change signals.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>

#include "desktop/desktop_settings.h"
#include "platform/desktop_kind.h"

namespace desktop {

// Each D-Bus call waits at most this long for its answer.
inline constexpr std::chrono::milliseconds kCallTimeout{5000};
// No value longer than this is taken from a settings store.
inline constexpr std::size_t kValueCap = 4096;

// `configHome` is ${XDG_CONFIG_HOME:-~/.config}, where kdeglobals is; `systemConfig`
// the folders of $XDG_CONFIG_DIRS, whose kdeglobals may lock entries. For use on one
// thread at a time.
std::unique_ptr<DesktopSettings> sessionSettings(std::filesystem::path configHome,
                                                 std::vector<std::filesystem::path> systemConfig);

// The same places of the environment given.
std::unique_ptr<DesktopSettings> sessionSettings(const platform::Environment& environment);

}  // namespace desktop
