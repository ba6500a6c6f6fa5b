// Which folder stands for "the program's folder": the build tree's or the installed one.
#pragma once

#include <filesystem>

namespace platform {

// The program's folder for an executable that lives in `exeDir`: `exeDir` itself when
// it holds any of the files the suite ships beside its programs (a build tree, an
// unpacked archive); otherwise the installed data folder <prefix>/share/shellstyle-suite
// of the prefix `exeDir` sits in (<prefix>/bin), when that folder exists; otherwise
// `exeDir`. The result carries no "." or ".." parts.
std::filesystem::path programDirFor(const std::filesystem::path& exeDir);

}  // namespace platform
