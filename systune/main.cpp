// systune: the switch form over the suite's registry store.
#include <exception>
#include <filesystem>

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "desktop/form_hooks.h"
#include "platform/command_line.h"
#include "platform/data_dir.h"
#include "platform/restart.h"
#include "platform/ui/display_choice.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qt_dialogs.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "registry/store_notice.h"
#include "systune/ui/reg.h"

int main(int argc, char** argv) {
    platform::readCommandLine(argc, argv, {"Turns shell policies and tweaks on or off."});
    platform::ui::chooseDisplayPlatform();  // Xwayland on GNOME unless QT_QPA_PLATFORM is set
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.shellstylesuite.systune"));  // the Wayland app_id
    platform::ui::installFonts();
    platform::ui::installQtTranslation();
    // The plain grey dialog look: etched frames, raised buttons.
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(classic);
        QApplication::setPalette(classic->standardPalette());
    }

    // A folder that cannot be found or made leaves the store unopened: every box reads
    // clear, the reason is shown once, and saving reports its failure.
    std::filesystem::path storeFile;
    QString noFolder;
    try {
        platform::ensureSuiteDataDir();
        storeFile = registry::suiteStorePath();
    } catch (const std::exception& e) {
        noFolder = QString::fromUtf8(e.what());
    }
    registry::SqliteStore store(storeFile);
    registry::General general(store);
    platform::ui::QtMessageBoxes boxes;
    platform::SystemRestart restart;

    systune::ui::reg form(general, boxes, restart);
    // After the form, so that it goes first: its end waits for the desktop to catch up.
    const std::unique_ptr<desktop::DesktopQueue> toDesktop = desktop::sessionQueue();
    desktop::handSwitchesToDesktop(form, general, *toDesktop, boxes);
    boxes.setParent(&form);
    form.show();
    // Said once, rather than leaving the user to find out from boxes that show clear
    // or a save that is not kept.
    const QString notice = noFolder.isEmpty() ? QString::fromStdString(registry::unsavedSettingsNotice(store))
                                              : QStringLiteral("设置无法读取，也无法保存：") + noFolder;
    if (!notice.isEmpty())
        boxes.show(notice, QStringLiteral("systune Error"), platform::MsgButtons::Ok, platform::MsgIcon::Critical);
    return app.exec();
}
