// Accessibility interfaces that tell assistive technology what each kit control is.
#pragma once

namespace skin {

// Installs the interface factory for the kit's controls; safe to call repeatedly.
void installSkinAccessibility();

}  // namespace skin
