// Start-up: the real platform pieces, the splash, the main window.
#include "shellstyle/ui/bas_main.h"

#include <chrono>
#include <memory>
#include <thread>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QWindow>

#include "desktop/form_hooks.h"
#include "platform/data_dir.h"
#include "platform/restart.h"
#include "platform/ui/qt_dialogs.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "registry/store_notice.h"
#include "shellstyle/core/error_report.h"
#include "shellstyle/core/splash_delay.h"
#include "shellstyle/ui/frm_splash.h"
#include "shellstyle/ui/icon_pictures.h"
#include "shellstyle/ui/seams.h"
#include "shellstyle/ui/xpfg.h"

namespace shellstyle::ui::basMain {
namespace {

bool g_ending = false;

// Processes pending events once, then rests briefly so the wait does not spin.
bool dispatchOnce() {
    if (g_ending) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return !g_ending;
}

// The store file; its folder is made on first use.
std::filesystem::path storeFile() {
    platform::ensureSuiteDataDir();
    return registry::suiteStorePath();
}

}  // namespace

void End() {
    g_ending = true;
    QCoreApplication::exit(0);
}

bool ending() { return g_ending; }

void SplashDelay(const platform::Clock& clock) { shellstyle::SplashDelay(clock, dispatchOnce); }

int Main() {
    QApplication::setQuitOnLastWindowClosed(false);
    const platform::Clock& clock = platform::systemClock();
    platform::ui::QtMessageBoxes boxes;
    platform::ui::QtFileDialogs dialogs;
    platform::SystemRestart restart;
    FileIconPictures icons;

    std::unique_ptr<registry::SqliteStore> store;
    reportErrors(boxes, [&] { store = std::make_unique<registry::SqliteStore>(storeFile()); });
    // Without a folder for it there is no store: every call fails, and the reason was shown.
    if (!store)
        store = std::make_unique<registry::SqliteStore>(std::filesystem::path());
    // Writes fail silently later on, so say once why none will be kept.
    else if (!store->problem().empty())
        reportErrors(boxes, [&] { throw RunError(registry::unsavedSettingsNotice(*store), 75); });
    registry::General general(*store);

    Seams seams{boxes,
                dialogs,
                restart,
                clock,
                general,
                icons,
                QFile::decodeName(platform::programDir().c_str()),
                [&clock] { SplashDelay(clock); },
                [] { End(); }};

    std::unique_ptr<frmSplash> splash;
    std::unique_ptr<xpfg> main;
    // After the window, so that it goes first: its end waits for the desktop to catch up.
    const std::unique_ptr<desktop::DesktopQueue> toDesktop = desktop::sessionQueue();
    reportErrors(boxes, [&] {
        splash = std::make_unique<frmSplash>(clock, boxes);
        splash->Platform = QStringLiteral("Win 95/98/NT4");
    });
    reportErrors(boxes, [&] {
        if (splash) splash->show();
    });
    reportErrors(boxes, [] { QCoreApplication::processEvents(); });
    SplashDelay(clock);
    reportErrors(boxes, [&] {
        if (g_ending) return;
        main = std::make_unique<xpfg>(seams, splash.get());
        desktop::handIconsToDesktop(*main, general, *toDesktop, boxes);
        boxes.setParent(main.get());
        dialogs.setParent(main.get());
        main->show();
        // A Wayland compositor learns a window's owner only as it is mapped, and the
        // owner did not exist when the splash was: shown again, once, it stays in
        // front of the main window (raise() and move() do nothing there).
        if (splash && splash->isVisible() && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            splash->hide();
            splash->show();
        }
        if (splash) splash->raise();
    });
    reportErrors(boxes, [&] {
        // The main window's first activation runs its own wait; let it happen here,
        // as showing the window would run it at once. The window can take the focus
        // only once it is on the screen.
        QElapsedTimer limit;
        limit.start();
        bool asked = false;
        do {
            QCoreApplication::processEvents();
            if (!main || main->activations() > 0 || g_ending) break;
            if (!asked && main->windowHandle() && main->windowHandle()->isExposed()) {
                main->activateWindow();
                if (splash) splash->raise();
                asked = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (limit.elapsed() < 2000);
    });
    reportErrors(boxes, [&] {
        if (splash) splash->close();
    });
    splash.reset();
    if (g_ending || !main) return 0;
    return QApplication::exec();
}

}  // namespace shellstyle::ui::basMain
