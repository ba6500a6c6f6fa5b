// The one folder that holds everything the suite stores.
#pragma once

#include <filesystem>
#include <stdexcept>

namespace platform {

// No private folder can be found for the suite's state.
class NoDataDir : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ${XDG_DATA_HOME:-$HOME/.local/share}/shellstyle-suite; without either variable (or
// with relative ones) the user's home folder from the password database stands in for
// $HOME. Never a shared folder: with no home at all it throws NoDataDir, whose text
// says why. Not created here.
std::filesystem::path suiteDataDir();

// The same folder, created (with its parents) if missing. Throws NoDataDir as above,
// or std::filesystem::filesystem_error when it cannot be created.
std::filesystem::path ensureSuiteDataDir();

// The program's folder, which holds the files the programs ship beside themselves:
// the running executable's own folder in a build tree, the installed data folder
// once installed (see programDirFor in platform/program_dir.h).
std::filesystem::path programDir();

}  // namespace platform
