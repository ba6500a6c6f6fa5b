// How the windows speak Chinese on a Linux desktop: font names of the original
// platform mapped onto fonts a Linux desktop has, and Qt's own strings translated.
#pragma once

namespace platform::ui {

// Registers substitutes for "宋体", "SimSun", "Trebuchet MS", "MS Sans Serif" and
// friends, so that QFont("宋体") draws with an installed Chinese font. Call once
// after the QApplication exists.
void installFontSubstitutions();

// Loads Qt's own Simplified Chinese strings (qtbase_zh_CN.qm from Qt's translations
// folder), so the stock file dialog and message-box buttons speak the language every
// window of the suite speaks, whatever the user's locale. Call once after the
// QApplication exists; false when the translation is not installed (the stock texts
// then stay in English).
bool installQtTranslation();

}  // namespace platform::ui
