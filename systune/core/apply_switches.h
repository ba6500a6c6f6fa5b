// Writing every switch back to the registry on save.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "registry/general.h"
#include "systune/core/switch_table.h"

namespace systune {

// A write that was not stored: the store refused it, or its key does not exist. The
// CD drive's key (one machine's drive) may be missing and is not listed, and neither
// is a delete from a missing key, whose value is absent as asked.
struct RefusedWrite {
    std::size_t row;  // index into switchTable()
    std::string_view keyPath;
    bool missingKey = false;
};

struct ApplyReport {
    std::vector<RefusedWrite> refused;
    // Not ERROR_SUCCESS: the store could not keep the save, and none of it was kept.
    registry::LONG commitStatus = registry::ERROR_SUCCESS;
    bool saved() const { return refused.empty() && commitStatus == registry::ERROR_SUCCESS; }
    // Switches with at least one refused write (one switch may write under two keys);
    // all of them when the save was not kept.
    std::size_t refusedSwitchCount() const;
    // The keys whose absence stopped a write, each once, in table order.
    std::vector<std::string_view> missingKeys() const;
};

// Writes every switch, changed or not, in table order (and each switch's keys in
// order), as one store batch; a refused write does not stop the ones after it.
ApplyReport applySwitches(registry::General& reg, const SwitchStates& states);

}  // namespace systune
