// Font names of the original platform mapped onto fonts a Linux desktop has.
#pragma once

namespace platform::ui {

// Registers substitutes for "宋体", "SimSun", "Trebuchet MS", "MS Sans Serif" and
// friends, so that QFont("宋体") draws with an installed Chinese font. Call once
// after the QApplication exists.
void installFontSubstitutions();

}  // namespace platform::ui
