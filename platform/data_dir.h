// The one folder that holds everything the suite stores.
#pragma once

#include <filesystem>

namespace platform {

// ${XDG_DATA_HOME:-$HOME/.local/share}/shellstyle-suite. Not created here.
std::filesystem::path suiteDataDir();

// The same folder, created (with its parents) if missing. Throws
// std::filesystem::filesystem_error when it cannot be created.
std::filesystem::path ensureSuiteDataDir();

// The program's folder, which holds the files the programs ship beside themselves:
// the running executable's own folder in a build tree, the installed data folder
// once installed (see programDirFor in platform/program_dir.h).
std::filesystem::path programDir();

}  // namespace platform
