// The tuning switches that have a true counterpart among the desktop's settings.
#pragma once

#include <span>
#include <string_view>

#include "systune/core/switch_table.h"

namespace desktop {

// One row per systune switch (indexed like systune::switchTable()). A row with an empty
// schema has no counterpart and `note` says why; it keeps its registry-only effect.
struct SwitchSetting {
    std::string_view schema;
    std::string_view key;
    std::string_view whenTicked;  // GVariant text; a clear box resets the key
    std::string_view note;
    // False where the store cannot keep the switch's state (its key exists on one
    // machine only): a later re-apply from the store leaves the setting as saved.
    bool storeHoldsState = true;
};

std::span<const SwitchSetting, systune::kSwitchCount> switchSettings();

}  // namespace desktop
