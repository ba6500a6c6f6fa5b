// typedrill: five-stroke Chinese typing practice.
#include <QApplication>

#include "platform/clock.h"
#include "platform/data_dir.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qt_dialogs.h"
#include "typedrill/ui/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::ui::installFonts();
    platform::ui::installQtTranslation();
    platform::ui::QtMessageBoxes boxes;
    typedrill::ui::Form1 form(boxes, platform::systemClock(), platform::programDir());
    boxes.setParent(&form);
    form.show();
    return app.exec();
}
