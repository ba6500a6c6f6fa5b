// The lesson box as screen readers see it.
#pragma once

namespace typedrill::ui {

// Registers, once per process, the accessible face of LessonBox: its text is the
// lesson exactly as loaded (the box's own line breaks left out), its caret the
// next character to type, and each character's mark a colour attribute
// ("color:rgb(255,255,0)" for yellow, "color:rgb(0,0,0)" for black, with the
// box's "background-color").
void installLessonBoxAccessibility();

}  // namespace typedrill::ui
