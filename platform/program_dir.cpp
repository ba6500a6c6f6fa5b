// The program's folder, found from where the running executable lives.
#include "platform/program_dir.h"

#include <array>
#include <system_error>

#include "platform/data_dir.h"

namespace platform {
namespace {

// What the programs expect beside themselves: shellstyle's icon library and
// typedrill's lessons. Any one of them marks a folder that ships the files.
constexpr std::array kShippedFiles{"voveredav.icl", "1.txt", "2.txt", "3.txt", "4.txt", "5.txt"};

bool holdsShippedFile(const std::filesystem::path& dir) {
    std::error_code ec;
    for (const char* name : kShippedFiles)
        if (std::filesystem::is_regular_file(dir / name, ec)) return true;
    return false;
}

}  // namespace

std::filesystem::path programDirFor(const std::filesystem::path& exeDir) {
    const auto own = exeDir.lexically_normal();
    if (holdsShippedFile(own)) return own;
    // The data folder is found relative to the executable (SUITE_DATA_FROM_BIN, set by
    // the build from the install layout), so a staged install (DESTDIR) or a moved
    // prefix finds its own copy.
    const auto installed = (own / SUITE_DATA_FROM_BIN).lexically_normal();
    std::error_code ec;
    if (std::filesystem::is_directory(installed, ec)) return installed;
    return own;
}

std::filesystem::path programDir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return programDirFor(exe.parent_path());
}

}  // namespace platform
