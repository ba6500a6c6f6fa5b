// Loading and saving a rich-text box's content as an RTF file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::rtf {

// The plain text (UTF-8) of the RTF file at `path`. Nothing when the file is missing,
// unreadable, larger than kMaxRtfFileBytes, or not an RTF document.
std::optional<std::string> loadRtfFile(const std::filesystem::path& path);

// Writes `utf8Text` as an RTF document to `path`, replacing the file whole: the old
// content stays until the new one is complete. The folder must exist. False on failure.
bool saveRtfFile(const std::filesystem::path& path, std::string_view utf8Text);

// Files above this size are not read (64 MiB).
inline constexpr std::uintmax_t kMaxRtfFileBytes = 64u << 20;

}  // namespace platform::rtf
