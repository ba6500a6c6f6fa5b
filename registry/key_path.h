// Key paths: "HKEY_CURRENT_USER\Control Panel\desktop" split into a root handle and a sub-key.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "registry/registry_api.h"

namespace registry {

// A root key: its full name, the short name a command line may use instead (empty:
// none), and its predefined handle.
struct RootKey {
    std::string_view name;
    std::string_view shortName;
    HKEY handle;
};

// The seven root keys.
std::span<const RootKey> RootKeys();

// The predefined handle of a root-key name (exact, upper case), or 0.
HKEY RootKeyFromName(std::string_view name);

// The root-key name of a predefined handle, or empty.
std::string_view RootKeyName(HKEY root);

struct SplitPath {
    HKEY root = 0;       // 0: no root key (the path is rejected)
    std::string subKey;  // text after the first backslash; the whole path when rejected
};

// A path must start with "HKEY_" and must not end with a backslash; without a
// backslash it names the root itself.
SplitPath SplitKeyPath(std::string_view keyPath);

}  // namespace registry
