// The three walks over IconTargets: replace the ticked items, the XP preset, restore all.
#pragma once

#include <functional>
#include <string>

#include <QString>

#include "registry/general.h"

namespace shellstyle {

// Why a walk wrote nothing. Each walk is one store batch: kept whole or not at all.
enum class WalkOutcome {
    Written,
    NoFile,          // replace without a chosen icon file
    UnstorablePath,  // the path has characters code page 936 cannot hold
    NotKept,         // the store could not keep the walk (busy, full): nothing changed
};

// Writes `data` for every row whose box `ticked` reports as ticked, in table order.
// `iconFile` is the chosen file (empty: none chosen); `iconNumber` the shown number.
WalkOutcome replaceIcons(registry::General& reg, const std::function<bool(int box)>& ticked,
                         const QString& iconFile, const QString& iconNumber);

// Writes every row as "<library prefix><preset icon number>", whatever the boxes show.
WalkOutcome applyXpPreset(registry::General& reg, const QString& programFolder);

// Writes every row as empty text, creating missing keys.
WalkOutcome restoreAllIcons(registry::General& reg);

}  // namespace shellstyle
