// The one folder that holds everything the suite stores.
#pragma once

#include <filesystem>

namespace platform {

// ${XDG_DATA_HOME:-$HOME/.local/share}/shellstyle-suite. Not created here.
std::filesystem::path suiteDataDir();

// The same folder, created (with its parents) if missing. Throws
// std::filesystem::filesystem_error when it cannot be created.
std::filesystem::path ensureSuiteDataDir();

// The folder the running program was started from (its own folder), which holds
// the files the programs ship beside themselves.
std::filesystem::path programDir();

}  // namespace platform
