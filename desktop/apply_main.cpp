// shellstyle-apply: puts the store's icon choices and switches on the desktop, with no
// window; run at login. Exits 0, or 1 with one line saying what did not take effect.
#include <cstdio>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>

#include "desktop/desktop_queue.h"
#include "platform/command_line.h"
#include "platform/data_dir.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "shellstyle/core/icon_walks.h"

namespace {

// Longer than any one call may take (kCallTimeout), short enough for a login.
constexpr std::chrono::seconds kRunLimit{30};

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "shellstyle-apply: %s\n", why.c_str());
    std::fflush(stderr);
    // A job still hanging in its thread is abandoned with the process.
    ::_exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    const platform::CommandLine commandLine = platform::readCommandLine(
        argc, argv, {"Puts the icons and switches chosen in shellstyle and systune on the desktop.", nullptr, nullptr,
                     {{"restore", "Restores every icon first, as shellstyle's 恢复全部图标 does."}}});
    QCoreApplication app(argc, argv);
    namespace fs = std::filesystem;

    fs::path dataDir;
    try {
        dataDir = platform::suiteDataDir();
    } catch (const platform::NoDataDir& e) {
        fail(e.what());
    }
    std::error_code ec;
    const fs::file_status home = fs::status(dataDir.parent_path(), ec);
    if (fs::exists(home) && !fs::is_directory(home)) fail("the data folder is not a folder: " + dataDir.parent_path().string());
    const fs::file_status own = fs::status(dataDir, ec);
    if (fs::exists(own) && !fs::is_directory(own)) fail("the data folder is not a folder: " + dataDir.string());
    if (!fs::exists(registry::suiteStorePath(), ec)) {
        // Nothing chosen yet on this account: nothing to put on the desktop, no store to make.
        return 0;
    }
    // One run at a time, each reading the store once it holds the lock, so the last
    // to run leaves the desktop as the store is now. A folder that cannot be written
    // to (a read-only store) cannot hold the lock file; the run goes on without it.
    const fs::path lockFile = dataDir / "desktop.lock";
    int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock < 0 && (errno == EACCES || errno == EROFS)) lock = ::open(lockFile.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (lock >= 0 && ::flock(lock, LOCK_EX) != 0) fail("cannot lock " + lockFile.string());
    if (lock < 0 && errno != EACCES && errno != EROFS && errno != ENOENT) fail("cannot lock " + lockFile.string());

    registry::SqliteStore store(registry::suiteStorePath());
    if (!store.ok()) fail("the store cannot be read: " + store.problem());
    registry::General general(store);
    if (commandLine.has("restore") && shellstyle::restoreAllIcons(general) != shellstyle::WalkOutcome::Written)
        fail("the store could not keep the restored icons");

    auto queue = desktop::sessionQueue();
    std::string failed;
    auto keep = [&failed](const desktop::BridgeResult& r) {
        if (!r.ok && failed.empty()) failed = r.reason;
    };
    queue->showIcons(desktop::readIconChoices(general, platform::programDir()), true, nullptr, keep);
    queue->showSwitches(desktop::storedSwitches(general), {}, nullptr, keep);
    if (!queue->waitIdle(kRunLimit))
        fail("the desktop's settings services did not answer within " + std::to_string(kRunLimit.count()) + " s");
    if (!failed.empty()) fail(failed);
    return 0;
}
