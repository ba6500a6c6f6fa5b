// imagefx: opens a picture, filters it, and saves it or makes it the wallpaper.
#include <QApplication>

#include "imagefx/core/caption.h"
#include "imagefx/core/random_source.h"
#include "imagefx/ui/form1.h"
#include "platform/command_line.h"
#include "platform/data_dir.h"
#include "platform/ui/display_choice.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/wallpaper/desktop_wallpaper.h"

int main(int argc, char** argv) {
    const platform::CommandLine commandLine = platform::readCommandLine(
        argc, argv, {"Filters a BMP or JPEG picture, saves it or makes it the wallpaper.", "picture",
                     "The BMP or JPEG picture to open."});
    platform::ui::chooseDisplayPlatform();  // Xwayland on GNOME unless QT_QPA_PLATFORM is set
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.shellstylesuite.imagefx"));  // the Wayland app_id
    QApplication::setApplicationName(QStringLiteral("imagefx"));
    platform::ui::installFonts();
    platform::ui::installQtTranslation();

    platform::ui::QtMessageBoxes boxes;
    platform::ui::QtFileDialogs dialogs;
    platform::DesktopWallpaper wallpaper;
    imagefx::DefaultUniformSource random;
    const auto dataDir = platform::ui::suiteDataDirOrSay(boxes, QString::fromUtf8(imagefx::kAppTitle));
    if (!dataDir) return 1;
    imagefx::ui::Form1 form({boxes, dialogs, wallpaper, random, imagefx::FilePlaces(platform::programDir(), *dataDir)});
    boxes.setParent(&form);
    dialogs.setParent(&form);
    form.show();
    if (!commandLine.arguments.isEmpty()) form.openPath(commandLine.arguments.first());
    return app.exec();
}
