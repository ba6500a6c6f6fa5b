// Root-key table and key path splitting.
#include "registry/key_path.h"

#include <array>
#include <utility>

namespace registry {
namespace {

constexpr std::array<std::pair<std::string_view, HKEY>, 7> kRoots{{
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA", HKEY_DYN_DATA},
}};

}  // namespace

HKEY RootKeyFromName(std::string_view name) {
    for (const auto& [rootName, handle] : kRoots)
        if (rootName == name) return handle;
    return 0;
}

std::string_view RootKeyName(HKEY root) {
    for (const auto& [rootName, handle] : kRoots)
        if (handle == root) return rootName;
    return {};
}

SplitPath SplitKeyPath(std::string_view path) {
    if (path.substr(0, 5) != "HKEY_" || path.back() == '\\') return {0, std::string(path)};
    size_t slash = path.find('\\');
    if (slash == std::string_view::npos) return {RootKeyFromName(path), {}};
    return {RootKeyFromName(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

}  // namespace registry
