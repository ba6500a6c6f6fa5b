// The icons the store's IconTargets values point at, and the theme pictures made of them.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QString>

#include "registry/general.h"
#include "shellstyle/core/icon_targets.h"

namespace desktop {

// One "path,number" value.
struct IconChoice {
    std::string file;  // UTF-8 path
    int number = 0;
};

// The value split at its last comma (a path may hold commas). Nothing for empty text,
// a missing number, or a number that is negative or not decimal.
std::optional<IconChoice> parseIconValue(std::string_view data);

using IconChoices = std::array<std::optional<IconChoice>, shellstyle::kIconTargetCount>;

// Every row's value read from the store; unreadable or empty values give nothing.
// A chosen file that is gone but whose file name is in `libraryFolder` (the
// installed programs' folder) is read from there: a store written by programs run
// from a build tree names that tree's icon library, which may since be removed.
IconChoices readIconChoices(registry::General& reg, const std::filesystem::path& libraryFolder = {});

// The chosen files that do not exist, each once, in row order.
std::vector<std::string> missingIconFiles(const IconChoices& choices);

// One size folder of the theme as index.theme describes it: its nominal Size, its
// Scale (2 for screens of double density), and whether its picture serves every size
// from Size up to kLargestSide (Type=Scalable) or its own size only (Type=Fixed).
struct ThemeSize {
    int size = 0;
    int scale = 1;
    bool scalable = false;

    int pixels() const { return size * scale; }
    std::string folder() const;  // "16x16", "16x16@2", "48x48-scalable"
    auto operator<=>(const ThemeSize&) const = default;
};

inline constexpr int kLargestSide = 256;  // pixels; the largest image an icon file holds

// Every size folder the theme may have, in index.theme's order.
std::span<const ThemeSize> themeSizes();

// One PNG of the theme.
struct ThemePicture {
    std::string_view name;
    std::string_view context;
    ThemeSize size;
    QByteArray png;  // pictures of one image share these bytes (and one file on disk)
};

// The pictures for every name whose row chose an icon that still exists: at 16 to 48
// pixels (scale 1 and 2) always, larger up to kLargestSide where the icon has an image
// that large, and in one Scalable folder its largest image for every size above. A name
// shared by two rows takes the first usable row.
std::vector<ThemePicture> themePictures(const IconChoices& choices);

}  // namespace desktop
