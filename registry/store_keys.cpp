// Key and value names in the store: folding, splitting, limits; open handles.
#include "registry/store_impl.h"

#include <QString>

#include "platform/codepage.h"
#include "registry/ascii_case.h"
#include "registry/key_path.h"

namespace registry {

using namespace store;

namespace {

// Roots are the rows 1..7, created with the schema.
std::int64_t rootId(HKEY h) { return static_cast<std::int64_t>(h - HKEY_CLASSES_ROOT) + 1; }

}  // namespace

namespace store {

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

}  // namespace store

LONG SqliteStore::Impl::base(HKEY h, OpenKey& out) const {
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
LONG SqliteStore::Impl::resolve(const OpenKey& from, std::string_view sub, std::vector<std::string_view>& parts,
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
int SqliteStore::Impl::findKey(std::string_view path, std::int64_t& id) {
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

int SqliteStore::Impl::keyExists(std::int64_t id) {
    sqlite3_stmt* s = stmt(kKeyExists);
    if (!s) return sqlite3_errcode(db);
    Use u(s);
    u.bind(1, id);
    return u.step();
}

HKEY SqliteStore::Impl::addHandle(OpenKey key) {
    while (handles.count(nextHandle)) nextHandle = nextHandle >= kLastHandle ? kFirstHandle : nextHandle + 4;
    HKEY h = nextHandle;
    nextHandle = nextHandle >= kLastHandle ? kFirstHandle : nextHandle + 4;
    handles.emplace(h, std::move(key));
    return h;
}

// Inside a write transaction: the key `sub` below `from`, created with every
// missing key above it.
LONG SqliteStore::Impl::createKeys(const OpenKey& from, std::string_view sub, std::int64_t& id) {
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

LONG SqliteStore::Impl::setValue(std::int64_t key, std::string_view name, DWORD type, std::string_view data) {
    std::optional<std::string> fold = foldName(name);
    if (!fold) return ERROR_INVALID_PARAMETER;
    Use u(stmt(kSetValue));
    u.bind(1, key).bind(2, *fold).bind(3, name).bind(4, static_cast<std::int64_t>(type)).bind(5, data);
    int rc = u.step();
    return rc == SQLITE_DONE ? ERROR_SUCCESS : status(rc);
}

}  // namespace registry
