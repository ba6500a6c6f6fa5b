// Loading and saving a rich-text box's content as an RTF file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::rtf {

// The text (UTF-8) the box shows for the file at `path`: an RTF document's plain
// text, or the file read as plain text when it is not one (see documentText).
// Nothing when the file is missing, unreadable, not a regular file of its own (a
// symbolic link, FIFO or device is refused without blocking) or over `maxBytes`.
std::optional<std::string> loadRtfFile(const std::filesystem::path& path, std::size_t maxBytes);

// Writes `utf8Text` as an RTF document to `path`, replacing the file whole: the old
// content stays until the new one is complete, and a symbolic link at `path` is
// replaced, never written through. The folder must exist. False on failure.
bool saveRtfFile(const std::filesystem::path& path, std::string_view utf8Text);

}  // namespace platform::rtf
