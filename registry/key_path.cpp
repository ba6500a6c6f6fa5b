// Root-key table and key path splitting.
#include "registry/key_path.h"

#include <array>

namespace registry {
namespace {

constexpr std::array<RootKey, 7> kRoots{{
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", "HKU", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", "", HKEY_PERFORMANCE_DATA},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA", "", HKEY_DYN_DATA},
}};

}  // namespace

std::span<const RootKey> RootKeys() { return kRoots; }

HKEY RootKeyFromName(std::string_view name) {
    for (const RootKey& r : kRoots)
        if (r.name == name) return r.handle;
    return 0;
}

std::string_view RootKeyName(HKEY root) {
    for (const RootKey& r : kRoots)
        if (r.handle == root) return r.name;
    return {};
}

SplitPath SplitKeyPath(std::string_view path) {
    if (path.substr(0, 5) != "HKEY_" || path.back() == '\\') return {0, std::string(path)};
    size_t slash = path.find('\\');
    if (slash == std::string_view::npos) return {RootKeyFromName(path), {}};
    return {RootKeyFromName(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

}  // namespace registry
