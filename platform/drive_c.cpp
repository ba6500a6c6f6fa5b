// Drive C: mapping.
#include "platform/drive_c.h"

#include <vector>

#include "platform/data_dir.h"

namespace platform {

std::filesystem::path driveCDir() { return suiteDataDir() / "drive_c"; }

std::optional<std::filesystem::path> mapDriveCPath(std::string_view path) {
    if (path.size() < 2 || (path[0] != 'c' && path[0] != 'C') || path[1] != ':') return std::nullopt;
    path.remove_prefix(2);
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        size_t cut = path.find_first_of("\\/");
        std::string_view part = path.substr(0, cut);
        path = cut == std::string_view::npos ? std::string_view{} : path.substr(cut + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
            continue;
        }
        if (part.find('\0') != std::string_view::npos) return std::nullopt;
        parts.push_back(part);
    }
    auto out = driveCDir();
    for (auto part : parts) out /= std::filesystem::path(std::string(part));
    return out;
}

}  // namespace platform
