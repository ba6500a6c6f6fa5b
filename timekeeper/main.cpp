// timekeeper: a clock with a stopwatch and a stored one-shot alarm.
#include <QApplication>

#include "platform/clock.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qt_dialogs.h"
#include "timekeeper/ui/frm_clock.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::ui::installFontSubstitutions();
    platform::ui::installQtTranslation();
    // The window hides while an alarm waits; only closing it ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::ui::QtMessageBoxes boxes;
    timekeeper::ui::FrmClock frmClock(platform::systemClock(), boxes);
    boxes.setParent(&frmClock);
    return app.exec();
}
