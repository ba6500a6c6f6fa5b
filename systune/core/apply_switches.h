// Writing every switch back to the registry on save.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "registry/general.h"
#include "systune/core/switch_table.h"

namespace systune {

// A write the store refused. Writes to keys that do not exist are not listed: they
// have no effect by design (the CD drive key names one machine's drive).
struct RefusedWrite {
    std::size_t row;  // index into switchTable()
    std::string_view keyPath;
};

struct ApplyReport {
    std::vector<RefusedWrite> refused;
    // Not ERROR_SUCCESS: the store could not keep the save, and none of it was kept.
    registry::LONG commitStatus = registry::ERROR_SUCCESS;
    bool saved() const { return refused.empty() && commitStatus == registry::ERROR_SUCCESS; }
    // Switches with at least one refused write (one switch may write under two keys);
    // all of them when the save was not kept.
    std::size_t refusedSwitchCount() const;
};

// Writes every switch, changed or not, in table order (and each switch's keys in
// order), as one store batch; a refused write does not stop the ones after it.
ApplyReport applySwitches(registry::General& reg, const SwitchStates& states);

}  // namespace systune
