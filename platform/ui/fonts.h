// How the windows speak Chinese on a Linux desktop: font names of the original
// platform mapped onto fonts a Linux desktop has, and Qt's own strings translated.
#pragma once

#include <QFont>

namespace platform::ui {

// Registers substitutes for "宋体", "SimSun", "Trebuchet MS", "MS Sans Serif" and
// friends, so that QFont("宋体") draws with an installed Chinese font, and makes
// "宋体" 9 pt, the face every form of the suite is drawn in, the application's
// default. Whatever draws before a control's own font is set (an empty text box's
// document, a size hint taken early, a stock dialog) then uses the face the window
// loads anyway: each further face costs several milliseconds of every start. Call
// once after the QApplication exists.
void installFonts();

// "宋体" at `pointSize`, under the name of the installed face that stands for it (the
// first of the substitutes installFonts gave it that the font database holds; "宋体"
// itself when it holds none).
// The glyphs are those a request for "宋体" draws; the request costs less: one for
// "宋体" first fails to match, then asks fontconfig for fallbacks twice, some 6
// million instructions of every start that draws Chinese. Reads the font database,
// so the first call costs what the first text drawn would; it also puts that name in
// the application's default font when installFonts made it "宋体". Call it before
// building a form's controls.
QFont songFont(int pointSize);

// Loads Qt's own Simplified Chinese strings (qtbase_zh_CN.qm from Qt's translations
// folder), so the stock file dialog and message-box buttons speak the language every
// window of the suite speaks, whatever the user's locale. Call once after the
// QApplication exists; false when the translation is not installed (the stock texts
// then stay in English).
bool installQtTranslation();

}  // namespace platform::ui
