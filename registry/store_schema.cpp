// The store's tables, its statements and the stamp that tells it from other databases.
#include "registry/store_impl.h"

#include <string>

#include "registry/ascii_case.h"
#include "registry/key_path.h"
#include "registry/store_seed.h"

namespace registry {

using namespace store;

namespace {

// "REG1" in the database header tells our store from any other SQLite file.
constexpr int kApplicationId = 0x52454731;
constexpr int kSchemaVersion = 1;

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

}  // namespace

SqliteStore::Impl::~Impl() {
    for (sqlite3_stmt* s : stmts) sqlite3_finalize(s);
    if (db) sqlite3_close_v2(db);
}

void SqliteStore::Impl::fail(std::string what) {
    broken = true;
    problem = std::move(what);
}

std::string SqliteStore::Impl::dbError() const { return db ? sqlite3_errmsg(db) : "out of memory"; }

// The status a failed SQLite call turns into; damage makes the store unusable.
LONG SqliteStore::Impl::status(int rc) {
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

sqlite3_stmt* SqliteStore::Impl::stmt(Stmt which) {
    if (!stmts[which]) sqlite3_prepare_v3(db, kSql[which], -1, SQLITE_PREPARE_PERSISTENT, &stmts[which], nullptr);
    return stmts[which];
}

int SqliteStore::Impl::exec(Stmt which) {
    sqlite3_stmt* s = stmt(which);
    if (!s) return sqlite3_errcode(db);
    Use u(s);
    int rc = u.step();
    return rc == SQLITE_DONE || rc == SQLITE_ROW ? SQLITE_OK : rc;
}

LONG SqliteStore::Impl::createSchema() {
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
int SqliteStore::Impl::identify(bool quiet, int& rc) {
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

}  // namespace registry
