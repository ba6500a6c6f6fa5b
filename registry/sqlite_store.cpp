// The registry store as an SQLite database: keys, values, open handles, transactions.
#include "registry/sqlite_store.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QString>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <system_error>
#include <unordered_map>

#include "platform/codepage.h"
#include "platform/data_dir.h"
#include "registry/ascii_case.h"
#include "registry/key_path.h"
#include "registry/store_seed.h"

namespace registry {
namespace {

// "REG1" in the database header tells our store from any other SQLite file.
constexpr int kApplicationId = 0x52454731;
constexpr int kSchemaVersion = 1;

// The platform's own limits: 255 bytes per key name, 16383 per value name, 512 levels.
constexpr size_t kMaxKeyNameBytes = 255;
constexpr size_t kMaxValueNameBytes = 16383;
constexpr size_t kMaxKeyDepth = 512;

constexpr HKEY kFirstHandle = 0x100;
constexpr HKEY kLastHandle = 0x7FFFFFFC;
constexpr DWORD kAllAccess = 0xF003F;

// `path` is the key's full name case-folded (UTF-8, components joined by a backslash,
// starting with the folded root name), so opening a key is one index lookup.
constexpr const char* kSchema = R"sql(
CREATE TABLE keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER NOT NULL,
  name BLOB NOT NULL,
  path BLOB NOT NULL UNIQUE);
CREATE INDEX keys_by_parent ON keys(parent);
CREATE TABLE vals(
  key INTEGER NOT NULL,
  fold BLOB NOT NULL,
  name BLOB NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  PRIMARY KEY(key, fold)) WITHOUT ROWID;
)sql";

enum Stmt {
    kFindKey,
    kKeyExists,
    kInsertKey,
    kGetValue,
    kSetValue,
    kDeleteValue,
    kListSubKeys,
    kListValues,
    kDeleteTreeValues,
    kDeleteTreeKeys,
    kBegin,
    kCommit,
    kRollback,
    kSavepoint,
    kRelease,
    kRollbackToSavepoint,
    kStmtCount
};

constexpr std::array<const char*, kStmtCount> kSql{
    "SELECT id FROM keys WHERE path = ?1",
    "SELECT 1 FROM keys WHERE id = ?1",
    "INSERT INTO keys(parent, name, path) VALUES(?1, ?2, ?3)",
    "SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2",
    "INSERT INTO vals(key, fold, name, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
    "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data",
    "DELETE FROM vals WHERE key = ?1 AND fold = ?2",
    "SELECT name FROM keys WHERE parent = ?1 ORDER BY path",
    "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY fold",
    "DELETE FROM vals WHERE key IN "
    "(SELECT id FROM keys WHERE path = ?1 OR (path >= ?2 AND path < ?3))",
    "DELETE FROM keys WHERE path = ?1 OR (path >= ?2 AND path < ?3)",
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
    "SAVEPOINT op",
    "RELEASE op",
    "ROLLBACK TO op",
};

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

bool isRoot(HKEY h) { return h >= HKEY_CLASSES_ROOT && h <= HKEY_DYN_DATA; }

// Roots are the rows 1..7, created with the schema.
std::int64_t rootId(HKEY h) { return static_cast<std::int64_t>(h - HKEY_CLASSES_ROOT) + 1; }

// The case-folded form of a code page 936 name, as UTF-8. Bytes that are not code
// page 936 text have no folded form (two such names could not be told apart).
std::optional<std::string> foldName(std::string_view cp936) {
    bool ascii = true;
    for (char c : cp936) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return asciiLower(cp936);
    std::string utf8 = platform::cp936ToUtf8(cp936);
    std::string back;
    if (!platform::utf8ToCp936(utf8, back) || back != cp936) return std::nullopt;
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toCaseFolded().toUtf8().toStdString();
}

// A code page 936 sub-key path split at its backslashes. The second byte of a
// double-byte character may be 0x5C, so a lead byte always takes its trail byte along.
LONG splitSubKey(std::string_view sub, std::vector<std::string_view>& parts) {
    parts.clear();
    if (sub.empty()) return ERROR_SUCCESS;
    size_t start = 0;
    for (size_t i = 0; i < sub.size();) {
        auto c = static_cast<unsigned char>(sub[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < sub.size()) {
            i += 2;
            continue;
        }
        if (c == '\\') {
            parts.push_back(sub.substr(start, i - start));
            start = i + 1;
        }
        ++i;
    }
    parts.push_back(sub.substr(start));
    if (parts.size() > kMaxKeyDepth) return ERROR_INVALID_PARAMETER;
    for (std::string_view part : parts) {
        if (part.empty() || part.find('\0') != std::string_view::npos) return ERROR_BAD_PATHNAME;
        if (part.size() > kMaxKeyNameBytes) return ERROR_INVALID_PARAMETER;
    }
    return ERROR_SUCCESS;
}

LONG checkValueName(std::string_view name) {
    if (name.find('\0') != std::string_view::npos || name.size() > kMaxValueNameBytes) return ERROR_INVALID_PARAMETER;
    return ERROR_SUCCESS;
}

std::string columnBytes(sqlite3_stmt* s, int col) {
    const void* p = sqlite3_column_blob(s, col);
    int n = sqlite3_column_bytes(s, col);
    return p ? std::string(static_cast<const char*>(p), static_cast<size_t>(n)) : std::string();
}

// A prepared statement in use: bound, stepped, and reset on leaving scope so that no
// read snapshot outlives the call.
class Use {
public:
    explicit Use(sqlite3_stmt* s) : s_(s) {}
    ~Use() {
        if (s_) sqlite3_reset(s_);
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

    Use& bind(int i, std::int64_t v) {
        sqlite3_bind_int64(s_, i, v);
        return *this;
    }
    // Bytes must outlive the statement's use; an empty text binds as a zero-length blob.
    Use& bind(int i, std::string_view v) {
        sqlite3_bind_blob(s_, i, v.empty() ? "" : v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
        return *this;
    }
    int step() { return sqlite3_step(s_); }

private:
    sqlite3_stmt* s_;
};

struct OpenKey {
    std::int64_t id;
    std::string path;  // folded full path
    DWORD access;
};

}  // namespace

struct SqliteStore::Impl {
    std::filesystem::path file;
    sqlite3* db = nullptr;
    std::string problem;
    bool broken = false;
    bool readOnly = false;
    std::array<sqlite3_stmt*, kStmtCount> stmts{};
    std::unordered_map<HKEY, OpenKey> handles;
    HKEY nextHandle = kFirstHandle;
    // An open batch: how deeply nested, whether its transaction has begun (at its
    // first write), and what lost it (then nothing more is written until it ends).
    int batchDepth = 0;
    bool batchBegun = false;
    LONG batchLost = ERROR_SUCCESS;

    ~Impl() {
        for (sqlite3_stmt* s : stmts) sqlite3_finalize(s);
        if (db) sqlite3_close_v2(db);
    }

    void fail(std::string what) {
        broken = true;
        problem = std::move(what);
    }

    std::string dbError() const { return db ? sqlite3_errmsg(db) : "out of memory"; }

    // The status a failed SQLite call turns into; damage makes the store unusable.
    LONG status(int rc) {
        switch (rc & 0xFF) {
            case SQLITE_CORRUPT:
            case SQLITE_NOTADB:
                fail("the registry store " + file.string() + " is damaged: " + dbError());
                return ERROR_BADDB;
            case SQLITE_BUSY:
            case SQLITE_LOCKED:
                return ERROR_BUSY;
            case SQLITE_READONLY:
            case SQLITE_PERM:
            case SQLITE_AUTH:
                return ERROR_ACCESS_DENIED;
            case SQLITE_FULL:
                return ERROR_DISK_FULL;
            default:
                return ERROR_WRITE_FAULT;
        }
    }

    sqlite3_stmt* stmt(Stmt which) {
        if (!stmts[which]) sqlite3_prepare_v3(db, kSql[which], -1, SQLITE_PREPARE_PERSISTENT, &stmts[which], nullptr);
        return stmts[which];
    }

    int exec(Stmt which) {
        sqlite3_stmt* s = stmt(which);
        if (!s) return sqlite3_errcode(db);
        Use u(s);
        int rc = u.step();
        return rc == SQLITE_DONE || rc == SQLITE_ROW ? SQLITE_OK : rc;
    }

    // Runs `body` as one write transaction: all of it is stored, or none of it.
    // Inside a batch it is a savepoint of the batch's transaction instead.
    template <class Body>
    LONG write(Body body) {
        if (broken) return ERROR_BADDB;
        if (readOnly) return ERROR_ACCESS_DENIED;
        if (batchDepth > 0) return writeInBatch(body);
        if (int rc = exec(kBegin); rc != SQLITE_OK) return status(rc);
        LONG result = body();
        if (result == ERROR_SUCCESS)
            if (int rc = exec(kCommit); rc != SQLITE_OK) result = status(rc);
        if (result != ERROR_SUCCESS && !sqlite3_get_autocommit(db)) exec(kRollback);
        return result;
    }

    template <class Body>
    LONG writeInBatch(Body body) {
        if (batchLost != ERROR_SUCCESS) return batchLost;
        if (!batchBegun) {
            if (int rc = exec(kBegin); rc != SQLITE_OK) return batchLost = status(rc);
            batchBegun = true;
        }
        if (int rc = exec(kSavepoint); rc != SQLITE_OK) return loseBatch(status(rc));
        LONG result = body();
        if (result == ERROR_SUCCESS) {
            if (int rc = exec(kRelease); rc != SQLITE_OK) return loseBatch(status(rc));
        } else if (!sqlite3_get_autocommit(db)) {
            exec(kRollbackToSavepoint);
            exec(kRelease);
        }
        // Some failures (a full disk, an I/O error) end the whole transaction.
        if (sqlite3_get_autocommit(db)) return loseBatch(result != ERROR_SUCCESS ? result : ERROR_WRITE_FAULT);
        return result;
    }

    // Undoes the batch's writes; it stays open (and refuses writes) until it ends.
    LONG loseBatch(LONG why) {
        if (!sqlite3_get_autocommit(db)) exec(kRollback);
        batchBegun = false;
        return batchLost = why;
    }

    LONG commitBatch() {
        if (batchDepth == 0) return ERROR_INVALID_PARAMETER;
        if (--batchDepth > 0) return batchLost;
        LONG result = batchLost;
        if (batchBegun && result == ERROR_SUCCESS) {
            if (int rc = exec(kCommit); rc != SQLITE_OK) result = status(rc);
            if (!sqlite3_get_autocommit(db)) exec(kRollback);
        }
        batchBegun = false;
        batchLost = ERROR_SUCCESS;
        return result;
    }

    void abandonBatch() {
        if (batchDepth == 0) return;
        // An inner batch given up takes the outer one with it: it cannot be kept whole.
        loseBatch(ERROR_WRITE_FAULT);
        if (--batchDepth == 0) batchLost = ERROR_SUCCESS;
    }

    LONG base(HKEY h, OpenKey& out) const {
        if (isRoot(h)) {
            out = {rootId(h), asciiLower(RootKeyName(h)), kAllAccess};
            return ERROR_SUCCESS;
        }
        auto it = handles.find(h);
        if (it == handles.end()) return ERROR_INVALID_HANDLE;
        out = it->second;
        return ERROR_SUCCESS;
    }

    // The key `sub` names below `from`: its folded path and its components' paths.
    LONG resolve(const OpenKey& from, std::string_view sub, std::vector<std::string_view>& parts,
                 std::vector<std::string>& paths) {
        if (LONG s = splitSubKey(sub, parts); s != ERROR_SUCCESS) return s;
        paths.clear();
        std::string path = from.path;
        for (std::string_view part : parts) {
            std::optional<std::string> folded = foldName(part);
            if (!folded) return ERROR_INVALID_PARAMETER;
            path += '\\';
            path += *folded;
            paths.push_back(path);
        }
        return ERROR_SUCCESS;
    }

    // The id of the key with this folded path: 1 found, 0 missing, or an SQLite error.
    int findKey(std::string_view path, std::int64_t& id) {
        sqlite3_stmt* s = stmt(kFindKey);
        if (!s) return sqlite3_errcode(db);
        Use u(s);
        u.bind(1, path);
        int rc = u.step();
        if (rc == SQLITE_ROW) {
            id = sqlite3_column_int64(s, 0);
            return SQLITE_ROW;
        }
        return rc;
    }

    int keyExists(std::int64_t id) {
        sqlite3_stmt* s = stmt(kKeyExists);
        if (!s) return sqlite3_errcode(db);
        Use u(s);
        u.bind(1, id);
        return u.step();
    }

    HKEY addHandle(OpenKey key) {
        while (handles.count(nextHandle)) nextHandle = nextHandle >= kLastHandle ? kFirstHandle : nextHandle + 4;
        HKEY h = nextHandle;
        nextHandle = nextHandle >= kLastHandle ? kFirstHandle : nextHandle + 4;
        handles.emplace(h, std::move(key));
        return h;
    }

    // Inside a write transaction: the key `sub` below `from`, created with every
    // missing key above it.
    LONG createKeys(const OpenKey& from, std::string_view sub, std::int64_t& id) {
        std::vector<std::string_view> parts;
        std::vector<std::string> paths;
        if (LONG s = resolve(from, sub, parts, paths); s != ERROR_SUCCESS) return s;
        id = from.id;
        for (size_t i = 0; i < parts.size(); ++i) {
            std::int64_t child = 0;
            int rc = findKey(paths[i], child);
            if (rc == SQLITE_DONE) {
                Use ins(stmt(kInsertKey));
                ins.bind(1, id).bind(2, parts[i]).bind(3, paths[i]);
                if (int r = ins.step(); r != SQLITE_DONE) return status(r);
                child = sqlite3_last_insert_rowid(db);
            } else if (rc != SQLITE_ROW) {
                return status(rc);
            }
            id = child;
        }
        return ERROR_SUCCESS;
    }

    LONG setValue(std::int64_t key, std::string_view name, DWORD type, std::string_view data) {
        std::optional<std::string> fold = foldName(name);
        if (!fold) return ERROR_INVALID_PARAMETER;
        Use u(stmt(kSetValue));
        u.bind(1, key).bind(2, *fold).bind(3, name).bind(4, static_cast<std::int64_t>(type)).bind(5, data);
        int rc = u.step();
        return rc == SQLITE_DONE ? ERROR_SUCCESS : status(rc);
    }

    LONG createSchema() {
        if (sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) return status(sqlite3_errcode(db));
        for (HKEY root = HKEY_CLASSES_ROOT; root <= HKEY_DYN_DATA; ++root) {
            std::string name(RootKeyName(root));
            std::string path = asciiLower(name);
            Use u(stmt(kInsertKey));
            u.bind(1, std::int64_t{0}).bind(2, name).bind(3, path);
            if (int rc = u.step(); rc != SQLITE_DONE) return status(rc);
        }
        for (const SeedEntry& e : storeSeed()) {
            OpenKey root;
            base(e.root, root);
            std::int64_t id = 0;
            if (LONG s = createKeys(root, e.subKey, id); s != ERROR_SUCCESS) return s;
            if (e.valueName)
                if (LONG s = setValue(id, e.valueName, e.type, e.data); s != ERROR_SUCCESS) return s;
        }
        std::string stamp = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                            "; PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";";
        if (sqlite3_exec(db, stamp.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) return status(sqlite3_errcode(db));
        return ERROR_SUCCESS;
    }

    // Reads the header: 1 our store, 0 an empty database, -1 something else (problem
    // set unless `quiet`, with `rc` the SQLite status when the file could not be read).
    int identify(bool quiet, int& rc) {
        sqlite3_stmt* s = nullptr;
        const char* sql =
            "SELECT (SELECT application_id FROM pragma_application_id), "
            "(SELECT user_version FROM pragma_user_version), (SELECT count(*) FROM sqlite_master)";
        rc = sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_step(s);
        if (rc != SQLITE_ROW) {
            std::string err = dbError();
            sqlite3_finalize(s);
            if (!quiet) fail("the registry store " + file.string() + " cannot be read: " + err);
            return -1;
        }
        rc = SQLITE_OK;
        int app = sqlite3_column_int(s, 0), version = sqlite3_column_int(s, 1), tables = sqlite3_column_int(s, 2);
        sqlite3_finalize(s);
        if (app == 0 && version == 0 && tables == 0) return 0;
        if (app != kApplicationId) {
            fail(file.string() + " is not a registry store");
            return -1;
        }
        if (version != kSchemaVersion) {
            fail("the registry store " + file.string() + " has an unknown format version " + std::to_string(version));
            return -1;
        }
        return 1;
    }

    // The store as an SQLite URI with `query` appended.
    std::string uri(const char* query) const {
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
    int reopenReadOnly(std::chrono::milliseconds busyTimeout) {
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
    static bool noRoomToWrite(int rc) {
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

    void open(std::chrono::milliseconds busyTimeout) {
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
};

SqliteStore::SqliteStore(const std::filesystem::path& file, std::chrono::milliseconds busyTimeout)
    : impl_(std::make_unique<Impl>()) {
    impl_->file = file;
    impl_->open(busyTimeout);
}

SqliteStore::~SqliteStore() = default;

bool SqliteStore::ok() const { return !impl_->broken; }

const std::string& SqliteStore::problem() const { return impl_->problem; }

LONG SqliteStore::RegOpenKeyExA(HKEY root, std::string_view subKey, DWORD, DWORD access, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = 0;
    Impl& m = *impl_;
    if (m.broken) return ERROR_BADDB;
    OpenKey from;
    if (LONG s = m.base(root, from); s != ERROR_SUCCESS) return s;
    std::vector<std::string_view> parts;
    std::vector<std::string> paths;
    if (LONG s = m.resolve(from, subKey, parts, paths); s != ERROR_SUCCESS) return s;
    OpenKey key{from.id, from.path, access};
    if (!paths.empty()) {
        int rc = m.findKey(paths.back(), key.id);
        if (rc == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
        if (rc != SQLITE_ROW) return m.status(rc);
        key.path = paths.back();
    }
    *result = m.addHandle(std::move(key));
    return ERROR_SUCCESS;
}

LONG SqliteStore::RegCreateKeyA(HKEY root, std::string_view subKey, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = 0;
    Impl& m = *impl_;
    // An existing key opens without a write, so this works on a read-only store too.
    LONG s = RegOpenKeyExA(root, subKey, 0, kAllAccess, result);
    if (s != ERROR_FILE_NOT_FOUND) return s;
    OpenKey from;
    if (LONG b = m.base(root, from); b != ERROR_SUCCESS) return b;
    std::int64_t id = 0;
    s = m.write([&] { return m.createKeys(from, subKey, id); });
    if (s != ERROR_SUCCESS) return s;
    return RegOpenKeyExA(root, subKey, 0, kAllAccess, result);
}

LONG SqliteStore::RegSetValueExA(HKEY key, std::string_view name, DWORD, DWORD type, const std::uint8_t* data,
                                 DWORD size) {
    Impl& m = *impl_;
    if (m.broken) return ERROR_BADDB;
    if (!data && size > 0) return ERROR_INVALID_PARAMETER;
    if (LONG s = checkValueName(name); s != ERROR_SUCCESS) return s;
    OpenKey k;
    if (LONG s = m.base(key, k); s != ERROR_SUCCESS) return s;
    if (!(k.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    return m.write([&]() -> LONG {
        int rc = m.keyExists(k.id);
        if (rc == SQLITE_DONE) return ERROR_KEY_DELETED;
        if (rc != SQLITE_ROW) return m.status(rc);
        return m.setValue(k.id, name, type, bytes);
    });
}

LONG SqliteStore::RegQueryValueExA(HKEY key, std::string_view name, DWORD*, DWORD* type, std::uint8_t* data,
                                   DWORD* size) {
    Impl& m = *impl_;
    if (m.broken) return ERROR_BADDB;
    if (data && !size) return ERROR_INVALID_PARAMETER;
    if (LONG s = checkValueName(name); s != ERROR_SUCCESS) return s;
    OpenKey k;
    if (LONG s = m.base(key, k); s != ERROR_SUCCESS) return s;
    if (!(k.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    std::optional<std::string> fold = foldName(name);
    if (!fold) return ERROR_FILE_NOT_FOUND;

    sqlite3_stmt* s = m.stmt(kGetValue);
    if (!s) return m.status(sqlite3_errcode(m.db));
    Use u(s);
    u.bind(1, k.id).bind(2, *fold);
    int rc = u.step();
    if (rc == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
    if (rc != SQLITE_ROW) return m.status(rc);
    auto storedType = static_cast<DWORD>(sqlite3_column_int64(s, 0));
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(s, 1));
    auto count = static_cast<DWORD>(sqlite3_column_bytes(s, 1));
    // Text written without its terminating NUL is read back with one.
    bool addNul = (storedType == REG_SZ || storedType == REG_EXPAND_SZ) && (count == 0 || bytes[count - 1] != 0);
    DWORD needed = count + (addNul ? 1 : 0);

    if (type) *type = storedType;
    if (!data) {
        if (size) *size = needed;
        return ERROR_SUCCESS;
    }
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (count > 0) std::memcpy(data, bytes, count);
    if (addNul) data[count] = 0;
    *size = needed;
    return ERROR_SUCCESS;
}

LONG SqliteStore::RegDeleteValueA(HKEY key, std::string_view name) {
    Impl& m = *impl_;
    if (m.broken) return ERROR_BADDB;
    if (LONG s = checkValueName(name); s != ERROR_SUCCESS) return s;
    OpenKey k;
    if (LONG s = m.base(key, k); s != ERROR_SUCCESS) return s;
    if (!(k.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    std::optional<std::string> fold = foldName(name);
    if (!fold) return ERROR_FILE_NOT_FOUND;
    return m.write([&]() -> LONG {
        int rc = m.keyExists(k.id);
        if (rc == SQLITE_DONE) return ERROR_KEY_DELETED;
        if (rc != SQLITE_ROW) return m.status(rc);
        Use u(m.stmt(kDeleteValue));
        u.bind(1, k.id).bind(2, *fold);
        if (int r = u.step(); r != SQLITE_DONE) return m.status(r);
        return sqlite3_changes(m.db) > 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG SqliteStore::RegCloseKey(HKEY key) {
    if (isRoot(key)) return ERROR_SUCCESS;
    return impl_->handles.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG SqliteStore::enumSubKeys(HKEY key, std::vector<std::string>& names) {
    names.clear();
    Impl& m = *impl_;
    if (m.broken) return ERROR_BADDB;
    OpenKey k;
    if (LONG s = m.base(key, k); s != ERROR_SUCCESS) return s;
    if (int rc = m.keyExists(k.id); rc != SQLITE_ROW) return rc == SQLITE_DONE ? ERROR_KEY_DELETED : m.status(rc);
    sqlite3_stmt* s = m.stmt(kListSubKeys);
    Use u(s);
    u.bind(1, k.id);
    int rc;
    while ((rc = u.step()) == SQLITE_ROW) names.push_back(columnBytes(s, 0));
    if (rc != SQLITE_DONE) {
        names.clear();
        return m.status(rc);
    }
    return ERROR_SUCCESS;
}

LONG SqliteStore::enumValues(HKEY key, std::vector<ValueEntry>& values) {
    values.clear();
    Impl& m = *impl_;
    if (m.broken) return ERROR_BADDB;
    OpenKey k;
    if (LONG s = m.base(key, k); s != ERROR_SUCCESS) return s;
    if (int rc = m.keyExists(k.id); rc != SQLITE_ROW) return rc == SQLITE_DONE ? ERROR_KEY_DELETED : m.status(rc);
    sqlite3_stmt* s = m.stmt(kListValues);
    Use u(s);
    u.bind(1, k.id);
    int rc;
    while ((rc = u.step()) == SQLITE_ROW)
        values.push_back({columnBytes(s, 0), static_cast<DWORD>(sqlite3_column_int64(s, 1)), columnBytes(s, 2)});
    if (rc != SQLITE_DONE) {
        values.clear();
        return m.status(rc);
    }
    return ERROR_SUCCESS;
}

LONG SqliteStore::deleteTree(HKEY key, std::string_view subKey) {
    Impl& m = *impl_;
    if (m.broken) return ERROR_BADDB;
    if (subKey.empty()) return ERROR_INVALID_PARAMETER;  // a root or an open key itself stays
    OpenKey from;
    if (LONG s = m.base(key, from); s != ERROR_SUCCESS) return s;
    std::vector<std::string_view> parts;
    std::vector<std::string> paths;
    if (LONG s = m.resolve(from, subKey, parts, paths); s != ERROR_SUCCESS) return s;
    // Everything below the key sorts between "path\" and "path]" (']' follows '\').
    const std::string& path = paths.back();
    std::string low = path + '\\', high = path + ']';
    return m.write([&]() -> LONG {
        std::int64_t id = 0;
        int rc = m.findKey(path, id);
        if (rc == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
        if (rc != SQLITE_ROW) return m.status(rc);
        for (Stmt st : {kDeleteTreeValues, kDeleteTreeKeys}) {
            Use u(m.stmt(st));
            u.bind(1, path).bind(2, low).bind(3, high);
            if (int r = u.step(); r != SQLITE_DONE) return m.status(r);
        }
        return ERROR_SUCCESS;
    });
}

LONG SqliteStore::beginBatch() {
    if (impl_->broken) return ERROR_BADDB;
    ++impl_->batchDepth;
    return ERROR_SUCCESS;
}

LONG SqliteStore::commitBatch() { return impl_->commitBatch(); }

void SqliteStore::abandonBatch() { impl_->abandonBatch(); }

std::filesystem::path suiteStorePath() {
    try {
        return platform::suiteDataDir() / "registry.db";
    } catch (const platform::NoDataDir&) {
        return {};  // the store opened on it says why
    }
}

}  // namespace registry
