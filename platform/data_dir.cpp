// Where the suite keeps its lasting state.
#include "platform/data_dir.h"

#include <cstdlib>
#include <system_error>

#include <unistd.h>

namespace platform {

std::filesystem::path suiteDataDir() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return base / "shellstyle-suite";
}

std::filesystem::path ensureSuiteDataDir() {
    auto dir = suiteDataDir();
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace platform
