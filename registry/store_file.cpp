// Finding and opening the store's file: links and devices refused, read-only fallback.
#include "registry/store_impl.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/data_dir.h"

namespace registry {

using namespace store;

namespace {

// Why a store was given no file: the suite has no folder of its own, or a caller
// passed none.
std::string noStoreFileReason() {
    try {
        platform::suiteDataDir();
    } catch (const platform::NoDataDir& e) {
        return e.what();
    }
    return "no file is named for the registry store";
}

}  // namespace

// The store as an SQLite URI with `query` appended.
std::string SqliteStore::Impl::uri(const char* query) const {
    std::string out = "file:";
    for (unsigned char c : file.string()) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "?" + query;
}

// A store whose folder has no room for the WAL index (a folder we may not write
// to, a full disk) is still read: as a read-only file if the index can be had,
// else as a file nobody changes while we look. Returns what identify() gives.
int SqliteStore::Impl::reopenReadOnly(std::chrono::milliseconds busyTimeout) {
    readOnly = true;
    int rc = SQLITE_OK;
    for (const char* query : {"mode=ro", "immutable=1"}) {
        sqlite3_close_v2(db);
        db = nullptr;
        if (sqlite3_open_v2(uri(query).c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOFOLLOW,
                            nullptr) != SQLITE_OK)
            continue;
        sqlite3_busy_timeout(db, static_cast<int>(busyTimeout.count()));
        int kind = identify(true, rc);
        if (kind >= 0 || broken) return kind;
    }
    fail("the registry store " + file.string() + " cannot be read: " + dbError());
    return -1;
}

// Statuses that say the store could not be opened for writing beside it.
bool SqliteStore::Impl::noRoomToWrite(int rc) {
    switch (rc & 0xFF) {
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_IOERR:
        case SQLITE_FULL:
        case SQLITE_PERM:
            return true;
        default:
            return false;
    }
}

void SqliteStore::Impl::open(std::chrono::milliseconds busyTimeout) {
    if (file.empty()) return fail(noStoreFileReason());
    // Never follow a link or fill a device: someone else may have placed it.
    struct stat st {};
    bool exists = lstat(file.c_str(), &st) == 0;
    if (!exists && errno != ENOENT)
        return fail("cannot look at the registry store " + file.string() + ": " + std::strerror(errno));
    if (exists && !S_ISREG(st.st_mode))
        return fail("the registry store " + file.string() + " is not a regular file (a link, folder or device)");
    std::error_code ec;
    if (!exists && file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
        if (ec)
            return fail("cannot create the folder of the registry store " + file.string() + ": " + ec.message());
    }
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW | (exists ? 0 : SQLITE_OPEN_CREATE);
    if (int rc = sqlite3_open_v2(file.c_str(), &db, flags, nullptr); rc != SQLITE_OK)
        return fail("cannot open the registry store " + file.string() + ": " + dbError());
    sqlite3_busy_timeout(db, static_cast<int>(busyTimeout.count()));
    readOnly = sqlite3_db_readonly(db, "main") == 1;

    int rc = SQLITE_OK;
    int kind = identify(true, rc);
    bool fellBack = false;
    if (kind < 0 && !broken && noRoomToWrite(rc)) {
        fellBack = !readOnly;
        kind = reopenReadOnly(busyTimeout);
    } else if (kind < 0 && !broken) {
        fail("the registry store " + file.string() + " cannot be read: " + dbError());
    }
    if (kind < 0) return;
    if (kind == 0 && readOnly) return fail("the registry store " + file.string() + " is empty and read-only");
    // A store already in WAL mode stays so; if another program holds it too long to
    // switch now, this one carries on and its writes still wait their turn.
    if (!readOnly && sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr) != SQLITE_OK) {
        status(sqlite3_errcode(db));
        if (broken) return;
    }
    // Every commit reaches the disk before it returns, so a save confirmed to the
    // user survives a power cut. 16 MiB of page cache (negative: KiB) keeps a store
    // of 100,000 values in memory.
    sqlite3_exec(db, "PRAGMA synchronous = FULL; PRAGMA cache_size = -16384", nullptr, nullptr, nullptr);
    if (kind == 0) {
        // Created in one transaction; another program creating it at the same time
        // leaves nothing to do once this one gets the lock.
        LONG s = write([&]() -> LONG {
            std::int64_t id = 0;
            int rc = findKey("hkey_classes_root", id);
            if (rc == SQLITE_ROW) return ERROR_SUCCESS;
            return createSchema();
        });
        // On failure the file stays an empty database, which the next open fills.
        if (s != ERROR_SUCCESS && !broken)
            fail("cannot create the registry store " + file.string() + ": " + dbError());
        // The statements prepared before the tables existed must be prepared again.
        for (sqlite3_stmt*& st : stmts) {
            sqlite3_finalize(st);
            st = nullptr;
        }
    }
    if (fellBack)
        problem = "the registry store " + file.string() +
                  " is read-only: its folder cannot be written to or the disk is full, so changes cannot be saved";
    else if (readOnly)
        problem = "the registry store " + file.string() + " is read-only: changes cannot be saved";
}

std::filesystem::path suiteStorePath() {
    try {
        return platform::suiteDataDir() / "registry.db";
    } catch (const platform::NoDataDir&) {
        return {};  // the store opened on it says why
    }
}

}  // namespace registry
