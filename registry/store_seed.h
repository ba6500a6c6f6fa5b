// The keys and values a freshly installed system holds for the settings the suite uses.
#pragma once

#include <span>
#include <string_view>

#include "registry/registry_api.h"

namespace registry {

// One seeded key, with at most one value in it (no value when `valueName` is null).
struct SeedEntry {
    HKEY root;
    std::string_view subKey;  // ASCII, so identical in code page 936
    const char* valueName;    // nullptr: the key alone
    DWORD type;
    std::string_view data;  // exact stored bytes
};

std::span<const SeedEntry> storeSeed();

}  // namespace registry
