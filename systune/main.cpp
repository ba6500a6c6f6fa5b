// systune: the switch form over the suite's registry store.
#include <exception>

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "desktop/bridge.h"
#include "platform/data_dir.h"
#include "platform/restart.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qt_dialogs.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "systune/ui/reg.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::ui::installFontSubstitutions();
    platform::ui::installQtTranslation();
    // The plain grey dialog look: etched frames, raised buttons.
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(classic);
        QApplication::setPalette(classic->standardPalette());
    }

    // A folder that cannot be made leaves the store unopened: every box reads clear
    // and saving reports its failure.
    try {
        platform::ensureSuiteDataDir();
    } catch (const std::exception&) {
    }
    registry::SqliteStore store(registry::suiteStorePath());
    registry::General general(store);
    platform::ui::QtMessageBoxes boxes;
    platform::SystemRestart restart;

    systune::ui::reg form(general, boxes, restart);
    form.afterSave = [](const systune::SwitchStates& saved) { desktop::refreshSwitches(saved, false); };
    boxes.setParent(&form);
    form.show();
    return app.exec();
}
