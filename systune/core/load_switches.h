// Reading every switch from the registry when the window opens.
#pragma once

#include "registry/general.h"
#include "systune/core/switch_table.h"

namespace systune {

// Reads the switches in table order. A value that cannot be read leaves its box
// clear, except where the table ticks on a differing read (the shortcut arrows).
SwitchStates loadSwitches(registry::General& reg);

}  // namespace systune
