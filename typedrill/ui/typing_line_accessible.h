// The typing box as screen readers see it.
#pragma once

namespace typedrill::ui {

// Registers, once per process, the accessible face of TypingLine: an editable
// text whose ranges, caret and selection are the box's own, with the geometry of
// the characters in view. Questions about boundaries look at a stretch around
// the asked offset only.
void installTypingLineAccessibility();

}  // namespace typedrill::ui
