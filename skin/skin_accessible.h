// Accessibility interfaces that tell assistive technology what each kit control is.
#pragma once

class QAccessibleEvent;

namespace skin {

// Tells assistive technology of a change in a control. A listener, when set, hears
// each event too, even when no reader is attached (as in headless checks).
void announce(QAccessibleEvent* event);
void setAnnouncementListener(void (*listener)(QAccessibleEvent* event));

// Installs the interface factory for the kit's controls; safe to call repeatedly.
void installSkinAccessibility();

}  // namespace skin
