// The pieces of the SQLite store that its files share: the open database, its
// prepared statements, the open handles and the write in progress. Only the
// store's own files include this.
#pragma once

#include <sqlite3.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/sqlite_store.h"

namespace registry {
namespace store {

// The platform's own limits: 255 bytes per key name, 16383 per value name, 512 levels.
constexpr size_t kMaxKeyNameBytes = 255;
constexpr size_t kMaxValueNameBytes = 16383;
constexpr size_t kMaxKeyDepth = 512;

constexpr HKEY kFirstHandle = 0x100;
constexpr HKEY kLastHandle = 0x7FFFFFFC;
constexpr DWORD kAllAccess = 0xF003F;

inline bool isRoot(HKEY h) { return h >= HKEY_CLASSES_ROOT && h <= HKEY_DYN_DATA; }

// The statements of store_schema.cpp, by what they do.
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

// Key and value names (store_keys.cpp).
std::optional<std::string> foldName(std::string_view cp936);
LONG splitSubKey(std::string_view sub, std::vector<std::string_view>& parts);
LONG checkValueName(std::string_view name);

}  // namespace store

struct SqliteStore::Impl {
    std::filesystem::path file;
    sqlite3* db = nullptr;
    std::string problem;
    bool broken = false;
    bool readOnly = false;
    std::array<sqlite3_stmt*, store::kStmtCount> stmts{};
    std::unordered_map<HKEY, store::OpenKey> handles;
    HKEY nextHandle = store::kFirstHandle;
    // An open batch: how deeply nested, whether its transaction has begun (at its
    // first write), and what lost it (then nothing more is written until it ends).
    int batchDepth = 0;
    bool batchBegun = false;
    LONG batchLost = ERROR_SUCCESS;

    ~Impl();

    // The database (store_schema.cpp).
    void fail(std::string what);
    std::string dbError() const;
    LONG status(int rc);
    sqlite3_stmt* stmt(store::Stmt which);
    int exec(store::Stmt which);
    LONG createSchema();
    int identify(bool quiet, int& rc);

    // Runs `body` as one write transaction: all of it is stored, or none of it.
    // Inside a batch it is a savepoint of the batch's transaction instead.
    template <class Body>
    LONG write(Body body) {
        if (LONG s = beginWrite(); s != ERROR_SUCCESS) return s;
        return endWrite(body());
    }

    // Writes and batches (store_batch.cpp).
    LONG beginWrite();
    LONG endWrite(LONG result);
    LONG loseBatch(LONG why);
    LONG commitBatch();
    void abandonBatch();

    // Keys and handles (store_keys.cpp).
    LONG base(HKEY h, store::OpenKey& out) const;
    LONG resolve(const store::OpenKey& from, std::string_view sub, std::vector<std::string_view>& parts,
                 std::vector<std::string>& paths);
    int findKey(std::string_view path, std::int64_t& id);
    int keyExists(std::int64_t id);
    HKEY addHandle(store::OpenKey key);

    // The rows `which` lists for the open key `key` (bound as ?1), each made an entry
    // of `out` by `row`; `out` stays empty unless the whole list is read.
    template <class T, class Row>
    LONG list(HKEY key, store::Stmt which, std::vector<T>& out, Row row) {
        out.clear();
        if (broken) return ERROR_BADDB;
        store::OpenKey k;
        if (LONG s = base(key, k); s != ERROR_SUCCESS) return s;
        if (int rc = keyExists(k.id); rc != SQLITE_ROW) return rc == SQLITE_DONE ? ERROR_KEY_DELETED : status(rc);
        sqlite3_stmt* s = stmt(which);
        store::Use u(s);
        u.bind(1, k.id);
        int rc;
        while ((rc = u.step()) == SQLITE_ROW) out.push_back(row(s));
        if (rc != SQLITE_DONE) {
            out.clear();
            return status(rc);
        }
        return ERROR_SUCCESS;
    }
    LONG createKeys(const store::OpenKey& from, std::string_view sub, std::int64_t& id);
    LONG setValue(std::int64_t key, std::string_view name, DWORD type, std::string_view data);

    // Opening the file (store_file.cpp).
    std::string uri(const char* query) const;
    int reopenReadOnly(std::chrono::milliseconds busyTimeout);
    static bool noRoomToWrite(int rc);
    void open(std::chrono::milliseconds busyTimeout);
};

}  // namespace registry
