// Where the suite keeps its lasting state.
#include "platform/data_dir.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace {

// The home folder the password database gives the running user; empty if none.
std::filesystem::path passwdHome() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    while (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (!found || !found->pw_dir || found->pw_dir[0] != '/') return {};
    return found->pw_dir;
}

}  // namespace

std::filesystem::path suiteDataDir() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home == '/') {
        base = std::filesystem::path(home) / ".local" / "share";
    } else if (std::filesystem::path own = passwdHome(); !own.empty()) {
        base = own / ".local" / "share";
    } else {
        // A shared folder such as /tmp would let other users plant or read the store.
        throw NoDataDir("no folder to keep the settings in: HOME and XDG_DATA_HOME are not set and user " +
                        std::to_string(getuid()) + " has no home folder in the password database");
    }
    return base / "shellstyle-suite";
}

std::filesystem::path ensureSuiteDataDir() {
    auto dir = suiteDataDir();
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace platform
