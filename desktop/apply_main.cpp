// shellstyle-apply: puts the store's icon choices and switches on the desktop, with no
// window; run at login. Exits 0, or 1 with one line saying what did not take effect.
#include <cstdio>
#include <exception>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>

#include "desktop/bridge.h"
#include "platform/command_line.h"
#include "platform/data_dir.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "shellstyle/core/icon_walks.h"
#include "systune/core/load_switches.h"

int main(int argc, char** argv) {
    const platform::CommandLine commandLine = platform::readCommandLine(
        argc, argv, {"Puts the icons and switches chosen in shellstyle and systune on the desktop.", nullptr, nullptr,
                     {{"restore", "Restores every icon first, as shellstyle's 恢复全部图标 does."}}});
    QCoreApplication app(argc, argv);

    if (!std::filesystem::exists(registry::suiteStorePath())) {
        // Nothing chosen yet on this account: nothing to put on the desktop, no store to make.
        return 0;
    }
    // One run at a time, each reading the store once it holds the lock, so the last
    // to run leaves the desktop as the store is now.
    const int lock = ::open((platform::suiteDataDir() / "desktop.lock").c_str(),
                            O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock < 0 || ::flock(lock, LOCK_EX) != 0) {
        std::fprintf(stderr, "shellstyle-apply: cannot lock %s\n", (platform::suiteDataDir() / "desktop.lock").c_str());
        return 1;
    }
    registry::SqliteStore store(registry::suiteStorePath());
    if (!store.problem().empty()) {
        std::fprintf(stderr, "shellstyle-apply: the store cannot be read: %s\n", store.problem().c_str());
        return 1;
    }
    registry::General general(store);
    if (commandLine.has("restore") && shellstyle::restoreAllIcons(general) != shellstyle::WalkOutcome::Written) {
        std::fprintf(stderr, "shellstyle-apply: the store could not keep the restored icons\n");
        return 1;
    }

    const desktop::BridgeResult icons = desktop::refreshIcons(general);
    const desktop::BridgeResult switches = desktop::refreshSwitches(systune::loadSwitches(general), true);
    const desktop::BridgeResult& failed = !icons.ok ? icons : switches;
    if (failed.ok) return 0;
    std::fprintf(stderr, "shellstyle-apply: %s\n", failed.reason.c_str());
    return 1;
}
