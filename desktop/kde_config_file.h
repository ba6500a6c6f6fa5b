// One entry of a file in Plasma's configuration format (kdeglobals), read and changed
// in its text, everything else kept as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace desktop {

// The text of `key` in `group` (unescaped); nothing when absent. Localised forms
// (key[de]) are other entries.
std::optional<std::string> kdeEntry(std::string_view file, std::string_view group, std::string_view key);

// Whether `key` of `group` is locked: the file, the group or the entry is marked
// immutable ([$i]), as a system-wide file may mark it.
bool kdeEntryLocked(std::string_view file, std::string_view group, std::string_view key);

// The file's text with `key` of `group` set to `value` (nothing removes it); the
// group is added at the end when missing. Nothing when the entry is locked.
std::optional<std::string> withKdeEntry(std::string_view file, std::string_view group, std::string_view key,
                                        const std::optional<std::string>& value);

}  // namespace desktop
