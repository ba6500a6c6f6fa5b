// Finds the icons in a file's bytes: an .ico file, a PE or an NE module.
#pragma once

#include "platform/icons/icon_group.h"

#include <optional>

namespace platform::icons {

enum class Container { None, Ico, Pe, Ne };

Container containerOf(ByteView file);

// Number of icons (group icons for PE and NE, 1 for a valid .ico), 0 for others.
int countIcons(ByteView file);

// The images of icon number `index`; nothing when the index or the group is bad.
// The group lists only images whose bytes lie inside the file.
std::optional<IconGroup> readIconGroup(ByteView file, int index);

// Per container; each gives 0 / nothing for bytes of another kind.
int countIcoIcons(ByteView file);
std::optional<IconGroup> readIcoGroup(ByteView file, int index);
int countPeIcons(ByteView file);
std::optional<IconGroup> readPeGroup(ByteView file, int index);
int countNeIcons(ByteView file);
std::optional<IconGroup> readNeGroup(ByteView file, int index);

}  // namespace platform::icons
