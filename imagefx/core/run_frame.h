// One run of a filter: the rule over its rectangle, black where nothing was written,
// into rows 1..H-2 and columns 1..W-2 of the working picture.
#pragma once

#include "imagefx/core/custom_kernel.h"
#include "imagefx/core/filter_table.h"
#include "imagefx/core/picture.h"
#include "imagefx/core/planes.h"
#include "imagefx/core/progress_meter.h"
#include "imagefx/core/random_source.h"

namespace imagefx {

struct RunExtras {
    ProgressSink* progress = nullptr;       // told after each processed row
    UniformSource* random = nullptr;        // needed by rows that draw offsets
    const FilterSettings* custom = nullptr; // needed by the custom kernel
};

// Reads only the planes, so results never build on an earlier run; the outer one-pixel
// frame of `work` is left alone. Returns false, touching nothing, when `work` and the
// planes differ in size or the row needs something `extras` lacks (or a divisor of 0).
bool runFilter(const FilterRow& row, const Planes& planes, Picture& work,
               const RunExtras& extras);

}  // namespace imagefx
