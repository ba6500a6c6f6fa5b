// shellstyle's process entry: the application object, then basMain's Main.
#include <QApplication>

#include "platform/command_line.h"
#include "platform/ui/display_choice.h"
#include "platform/ui/fonts.h"
#include "shellstyle/ui/bas_main.h"

int main(int argc, char** argv) {
    platform::readCommandLine(argc, argv, {"Changes the icons of shell items and applies the XP look."});
    platform::ui::chooseDisplayPlatform();  // Xwayland on GNOME unless QT_QPA_PLATFORM is set
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.shellstylesuite.shellstyle"));  // the Wayland app_id
    QApplication::setApplicationName(QStringLiteral("shellstyle"));
    platform::ui::installFonts();
    platform::ui::installQtTranslation();
    return shellstyle::ui::basMain::Main();
}
