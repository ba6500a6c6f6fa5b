// The icons the store's IconTargets values point at, and the theme pictures made of them.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
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

// The fixed sizes of the theme, in pixels.
inline constexpr std::array<int, 5> kThemeSides = {16, 22, 24, 32, 48};

// One PNG of the theme.
struct ThemePicture {
    std::string_view name;
    std::string_view context;
    int side = 0;
    QByteArray png;
};

// The pictures for every name whose row chose an icon that still exists, each at
// every size of kThemeSides. A name shared by two rows takes the first usable row.
std::vector<ThemePicture> themePictures(const IconChoices& choices);

}  // namespace desktop
