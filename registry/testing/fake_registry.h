// An in-memory registry for tests: keys and values kept as the store keeps them
// (case-insensitive names, REG_SZ and REG_EXPAND_SZ read back with their NUL, writes
// only through open keys), the ordered log of key creations and value writes, and
// switches to make it refuse: a broken store, keys whose values may not change, a
// batch that cannot be committed.
#pragma once

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/key_path.h"
#include "registry/registry_api.h"

namespace registry::testing {

class FakeRegistry final : public RegistryApi {
public:
    struct Value {
        DWORD type = REG_NONE;
        std::string data;  // exact stored bytes
    };
    struct Call {
        std::string op;    // "create" or "set"
        std::string key;   // full path as the caller spelled it, e.g. "HKEY_CURRENT_USER\Software\..."
        std::string name;  // value name (sets only)
        std::string data;  // stored bytes (sets only)
    };

    std::vector<Call> calls;
    // A store that could not be opened: every call fails.
    bool broken = false;
    // Setting and deleting values fail with ERROR_ACCESS_DENIED under these keys
    // (full paths, any case); "*" refuses everywhere.
    std::vector<std::string> refusedKeys;
    // What committing the outermost batch gives; on failure the batch's writes are undone.
    LONG commitStatus = ERROR_SUCCESS;

    // Creates `path` ("HKEY_...\sub\key") and every key above it.
    void addKey(std::string_view path) {
        SplitPath p = SplitKeyPath(path);
        const std::string& sub = p.subKey;
        for (std::size_t at = 0;; ++at) {
            at = sub.find('\\', at);
            keys_[id(p.root, std::string_view(sub).substr(0, at))];
            if (at == std::string::npos) break;
        }
    }
    bool hasKey(std::string_view path) const { return keys_.count(id(path)) != 0; }
    void put(std::string_view path, std::string_view name, DWORD type, std::string data) {
        addKey(path);
        keys_[id(path)][fold(name)] = {type, std::move(data)};
    }
    std::optional<Value> get(std::string_view path, std::string_view name) const {
        auto key = keys_.find(id(path));
        if (key == keys_.end()) return std::nullopt;
        auto v = key->second.find(fold(name));
        if (v == key->second.end()) return std::nullopt;
        return v->second;
    }
    // The stored bytes alone, or nothing when the key or value is missing.
    std::optional<std::string> value(std::string_view path, std::string_view name) const {
        std::optional<Value> v = get(path, name);
        return v ? std::optional<std::string>(v->data) : std::nullopt;
    }
    std::size_t valueCount() const {
        std::size_t n = 0;
        for (const auto& k : keys_) n += k.second.size();
        return n;
    }
    std::size_t openHandles() const { return open_.size(); }
    static std::string dword(std::uint32_t n) {
        std::string s(4, '\0');
        for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
        return s;
    }

    LONG RegOpenKeyExA(HKEY root, std::string_view subKey, DWORD, DWORD, HKEY* result) override {
        if (broken) return ERROR_BADDB;
        if (RootKeyName(root).empty()) return ERROR_INVALID_HANDLE;
        std::string path = full(root, subKey);
        if (!subKey.empty() && keys_.count(fold(path)) == 0) return ERROR_FILE_NOT_FOUND;
        *result = open(path);
        return ERROR_SUCCESS;
    }
    LONG RegCreateKeyA(HKEY root, std::string_view subKey, HKEY* result) override {
        if (broken) return ERROR_BADDB;
        if (RootKeyName(root).empty()) return ERROR_INVALID_HANDLE;
        std::string path = full(root, subKey);
        calls.push_back({"create", path, {}, {}});
        addKey(path);
        *result = open(path);
        return ERROR_SUCCESS;
    }
    LONG RegSetValueExA(HKEY key, std::string_view name, DWORD, DWORD type, const std::uint8_t* data,
                        DWORD size) override {
        auto k = open_.find(key);
        if (broken || k == open_.end()) return ERROR_INVALID_HANDLE;
        if (refused(k->second)) return ERROR_ACCESS_DENIED;
        std::string bytes(reinterpret_cast<const char*>(data), size);
        calls.push_back({"set", k->second, std::string(name), bytes});
        keys_[fold(k->second)][fold(name)] = {type, std::move(bytes)};
        return ERROR_SUCCESS;
    }
    LONG RegQueryValueExA(HKEY key, std::string_view name, DWORD*, DWORD* type, std::uint8_t* data,
                          DWORD* size) override {
        auto k = open_.find(key);
        if (broken || k == open_.end()) return ERROR_INVALID_HANDLE;
        const auto& values = keys_[fold(k->second)];
        auto v = values.find(fold(name));
        if (v == values.end()) return ERROR_FILE_NOT_FOUND;
        std::string bytes = v->second.data;
        if (v->second.type == REG_SZ || v->second.type == REG_EXPAND_SZ) bytes += '\0';
        if (type) *type = v->second.type;
        DWORD room = *size;
        *size = static_cast<DWORD>(bytes.size());
        if (!data) return ERROR_SUCCESS;
        if (room < bytes.size()) return ERROR_MORE_DATA;
        std::memcpy(data, bytes.data(), bytes.size());
        return ERROR_SUCCESS;
    }
    LONG RegDeleteValueA(HKEY key, std::string_view name) override {
        auto k = open_.find(key);
        if (broken || k == open_.end()) return ERROR_INVALID_HANDLE;
        if (refused(k->second)) return ERROR_ACCESS_DENIED;
        return keys_[fold(k->second)].erase(fold(name)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    LONG RegCloseKey(HKEY key) override { return open_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

    LONG enumSubKeys(HKEY, std::vector<std::string>&) override { return ERROR_INVALID_PARAMETER; }
    LONG enumValues(HKEY, std::vector<ValueEntry>&) override { return ERROR_INVALID_PARAMETER; }
    LONG deleteTree(HKEY, std::string_view) override { return ERROR_INVALID_PARAMETER; }

    // Batches nest; the outermost one keeps its writes or, abandoned or refused, none of them.
    LONG beginBatch() override {
        if (broken) return ERROR_BADDB;
        if (depth_++ == 0) {
            before_ = keys_;
            lost_ = false;
        }
        return ERROR_SUCCESS;
    }
    LONG commitBatch() override {
        if (depth_ == 0) return ERROR_INVALID_PARAMETER;
        if (--depth_ > 0) return lost_ ? ERROR_WRITE_FAULT : ERROR_SUCCESS;
        LONG status = lost_ ? ERROR_WRITE_FAULT : commitStatus;
        if (status != ERROR_SUCCESS) keys_ = before_;
        return status;
    }
    void abandonBatch() override {
        if (depth_ == 0) return;
        lost_ = true;
        if (--depth_ == 0) keys_ = before_;
    }

private:
    using Keys = std::map<std::string, std::map<std::string, Value>>;

    // ASCII case folding that leaves the trail byte of a two-byte character alone.
    static std::string fold(std::string_view s) {
        std::string out(s);
        for (std::size_t i = 0; i < out.size(); ++i) {
            auto c = static_cast<unsigned char>(out[i]);
            if (c >= 0x81) {
                ++i;
                continue;
            }
            if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c - 'A' + 'a');
        }
        return out;
    }
    static std::string full(HKEY root, std::string_view subKey) {
        std::string path(RootKeyName(root));
        if (!subKey.empty()) path += "\\" + std::string(subKey);
        return path;
    }
    static std::string id(HKEY root, std::string_view subKey) { return fold(full(root, subKey)); }
    static std::string id(std::string_view path) {
        SplitPath p = SplitKeyPath(path);
        return id(p.root, p.subKey);
    }
    bool refused(const std::string& path) const {
        for (const std::string& r : refusedKeys)
            if (r == "*" || fold(r) == fold(path)) return true;
        return false;
    }
    HKEY open(const std::string& path) {
        HKEY h = next_++;
        open_[h] = path;
        return h;
    }

    Keys keys_;
    Keys before_;  // the keys as the outermost batch found them
    std::map<HKEY, std::string> open_;
    HKEY next_ = 1;
    int depth_ = 0;
    bool lost_ = false;
};

}  // namespace registry::testing
