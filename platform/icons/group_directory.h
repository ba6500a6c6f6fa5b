// The group-icon directory of PE and NE resources: image sizes and RT_ICON ids.
#pragma once

#include "platform/icons/icon_group.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace platform::icons {

// Looks up an RT_ICON resource by its integer id.
using IconById = std::function<std::optional<ByteView>(std::uint16_t id)>;

// Reads a GRPICONDIR (6-byte header, 14-byte entries ending in the RT_ICON id)
// and resolves its images; entries whose image is missing are left out.
std::optional<IconGroup> readGroupDirectory(ByteView directory, const IconById& iconById);

// Resource type numbers shared by PE and NE.
constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;

}  // namespace platform::icons
