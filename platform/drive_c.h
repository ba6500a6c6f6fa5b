// Paths on drive C: of the original platform, kept in a folder of the suite's data folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// The folder that stands for the root of drive C: (inside suiteDataDir()).
std::filesystem::path driveCDir();

// Maps "c:\date.txt", "C:\sub\x.txt" or "c:/x" into driveCDir(). Returns nothing for
// paths that are not on drive C:, or that would leave the folder ("..", empty parts
// are dropped; a ".." above the root is refused).
std::optional<std::filesystem::path> mapDriveCPath(std::string_view windowsPath);

}  // namespace platform
