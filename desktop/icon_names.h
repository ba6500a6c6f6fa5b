// Which freedesktop icon names stand for each shell item of IconTargets.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "shellstyle/core/icon_targets.h"

namespace desktop {

// One icon of the theme: its name and the context folder it lies in.
struct ThemeName {
    std::string_view name;
    std::string_view context;  // "devices", "places", "mimetypes", ...
};

// The names of one IconTargets row; none where the desktops have no icon for the
// same thing, and then `note` says why.
struct IconNames {
    std::array<ThemeName, 3> names;  // unused entries have an empty name
    std::string_view note;

    int count() const {
        int n = 0;
        while (n < static_cast<int>(names.size()) && !names[static_cast<std::size_t>(n)].name.empty()) ++n;
        return n;
    }
};

// Indexed like shellstyle::iconTargets().
std::span<const IconNames, shellstyle::kIconTargetCount> iconNames();

}  // namespace desktop
