// What a program tells the user once at start when its settings cannot be saved.
#pragma once

#include <string>

#include "registry/sqlite_store.h"

namespace registry {

// Empty when the store reads and writes; else one message (UTF-8) saying that
// settings cannot be saved (and, for a store that cannot be used at all, that
// what is shown is not what is stored), with the store's own reason.
std::string unsavedSettingsNotice(const SqliteStore& store);

}  // namespace registry
