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

// The names of one shell item, keyed by where IconTargets stores its icon; none where
// the desktops have no icon for the same thing, and then `note` says why.
struct IconNames {
    std::string_view place;      // "Shell Icons", or the CLSID of a class icon's key
    std::string_view valueName;  // as in IconTargets; empty for the key's default value
    std::array<ThemeName, 3> names;  // unused entries have an empty name
    std::string_view note;

    int count() const {
        int n = 0;
        while (n < static_cast<int>(names.size()) && !names[static_cast<std::size_t>(n)].name.empty()) ++n;
        return n;
    }
};

// Every row, in no order that matters.
std::span<const IconNames> iconNames();

// The row for an IconTargets row; nothing for an item the table does not know.
const IconNames* iconNamesOf(const shellstyle::IconTarget& target);

}  // namespace desktop
