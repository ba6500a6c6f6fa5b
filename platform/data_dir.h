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

// The folder the running program was started from (its own folder), which holds
// the files the programs ship beside themselves.
std::filesystem::path programDir();

}  // namespace platform
