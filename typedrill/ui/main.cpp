// typedrill: five-stroke Chinese typing practice.
#include <QApplication>

#include "platform/clock.h"
#include "platform/command_line.h"
#include "platform/data_dir.h"
#include "platform/ui/display_choice.h"
#include "platform/ui/fonts.h"
#include "platform/ui/lazy_icon_style.h"
#include "platform/ui/qt_dialogs.h"
#include "typedrill/ui/form1.h"

int main(int argc, char** argv) {
    platform::readCommandLine(argc, argv, {"Five-stroke (Wubi) typing practice."});
    platform::ui::chooseDisplayPlatform();  // Xwayland on GNOME unless QT_QPA_PLATFORM is set
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.shellstylesuite.typedrill"));  // the Wayland app_id
    platform::ui::installFonts();
    platform::ui::installQtTranslation();
    // The menu bar asks for its overflow arrow when it is built; the window never shows it.
    QApplication::setStyle(new platform::ui::LazyIconStyle);
    platform::ui::QtMessageBoxes boxes;
    typedrill::ui::Form1 form(boxes, platform::systemClock(), platform::programDir());
    boxes.setParent(&form);
    form.show();
    return app.exec();
}
