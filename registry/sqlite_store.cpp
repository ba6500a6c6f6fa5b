// The store's operations: keys opened, created and deleted, values set, read and listed.
#include "registry/store_impl.h"

#include <cstring>

namespace registry {

using namespace store;

namespace {

std::string columnBytes(sqlite3_stmt* s, int col) {
    const void* p = sqlite3_column_blob(s, col);
    int n = sqlite3_column_bytes(s, col);
    return p ? std::string(static_cast<const char*>(p), static_cast<size_t>(n)) : std::string();
}

}  // namespace

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
    return impl_->list(key, kListSubKeys, names, [](sqlite3_stmt* s) { return columnBytes(s, 0); });
}

LONG SqliteStore::enumValues(HKEY key, std::vector<ValueEntry>& values) {
    return impl_->list(key, kListValues, values, [](sqlite3_stmt* s) {
        return ValueEntry{columnBytes(s, 0), static_cast<DWORD>(sqlite3_column_int64(s, 1)), columnBytes(s, 2)};
    });
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


}  // namespace registry
