// timekeeper: a clock with a stopwatch and a stored one-shot alarm.
#include <QApplication>

#include "platform/clock.h"
#include "platform/command_line.h"
#include "platform/ui/display_choice.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qt_dialogs.h"
#include "timekeeper/core/single_copy.h"
#include "timekeeper/ui/frm_clock.h"

int main(int argc, char** argv) {
    platform::readCommandLine(argc, argv, {"A clock with a stopwatch and an alarm."});
    platform::ui::chooseDisplayPlatform();  // Xwayland on GNOME unless QT_QPA_PLATFORM is set
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.shellstylesuite.timekeeper"));  // the Wayland app_id
    // A second copy would keep a second alarm and show every reminder twice: a later
    // start brings the running copy's window forward instead.
    timekeeper::ui::FrmClock* frmClockWindow = nullptr;
    timekeeper::SingleCopy copy(timekeeper::SingleCopy::userSocketPath());
    if (!copy.claim([&frmClockWindow](const timekeeper::StartCall& call) {
            if (frmClockWindow) frmClockWindow->bringForward(call.activationToken);
        }))
        return 0;

    platform::ui::installFonts();
    platform::ui::installQtTranslation();
    // The window hides while an alarm waits; only closing it ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::ui::QtMessageBoxes boxes;
    // The alarm files live in the suite's folder: without one there is nothing to keep them in.
    if (!platform::ui::suiteDataDirOrSay(boxes, timekeeper::kTitle)) return 1;
    timekeeper::ui::FrmClock frmClock(platform::systemClock(), boxes);
    frmClockWindow = &frmClock;
    boxes.setParent(&frmClock);
    const int code = app.exec();
    frmClockWindow = nullptr;
    return code;
}
