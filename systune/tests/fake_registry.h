// An in-memory registry for tests: case-insensitive keys and names, writes only to
// existing keys, REG_SZ read back with its NUL, and switches to make it refuse.
#pragma once

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/key_path.h"
#include "registry/registry_api.h"

namespace systune::testing {

using namespace registry;

class FakeRegistry final : public RegistryApi {
public:
    struct Value {
        DWORD type = REG_NONE;
        std::string data;  // exact stored bytes
    };

    // A store that could not be opened: every call fails.
    bool broken = false;
    // Setting and deleting values fail with ERROR_ACCESS_DENIED under these keys
    // (full paths, any case); "*" refuses everywhere.
    std::vector<std::string> refusedKeys;

    // Creates `path` ("HKEY_...\sub\key") and every key above it.
    void addKey(std::string_view path) {
        SplitPath p = SplitKeyPath(path);
        std::string sub = p.subKey;
        for (std::size_t at = 0;; ++at) {
            at = sub.find('\\', at);
            keys_[id(p.root, sub.substr(0, at))];
            if (at == std::string::npos) break;
        }
    }
    bool hasKey(std::string_view path) const {
        SplitPath p = SplitKeyPath(path);
        return keys_.count(id(p.root, p.subKey)) != 0;
    }
    void put(std::string_view path, std::string_view name, DWORD type, std::string data) {
        addKey(path);
        SplitPath p = SplitKeyPath(path);
        keys_[id(p.root, p.subKey)][fold(name)] = {type, std::move(data)};
    }
    std::optional<Value> get(std::string_view path, std::string_view name) const {
        SplitPath p = SplitKeyPath(path);
        auto key = keys_.find(id(p.root, p.subKey));
        if (key == keys_.end()) return std::nullopt;
        auto v = key->second.find(fold(name));
        if (v == key->second.end()) return std::nullopt;
        return v->second;
    }
    static std::string dword(std::uint32_t n) {
        std::string s(4, '\0');
        for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
        return s;
    }

    LONG RegOpenKeyExA(HKEY root, std::string_view subKey, DWORD, DWORD, HKEY* result) override {
        if (broken) return ERROR_BADDB;
        if (RootKeyName(root).empty()) return ERROR_INVALID_HANDLE;
        std::string k = id(root, subKey);
        if (!subKey.empty() && keys_.count(k) == 0) return ERROR_FILE_NOT_FOUND;
        *result = next_++;
        open_[*result] = k;
        return ERROR_SUCCESS;
    }
    LONG RegCreateKeyA(HKEY root, std::string_view subKey, HKEY* result) override {
        if (broken) return ERROR_BADDB;
        if (RootKeyName(root).empty()) return ERROR_INVALID_HANDLE;
        addKey(std::string(RootKeyName(root)) + "\\" + std::string(subKey));
        *result = next_++;
        open_[*result] = id(root, subKey);
        return ERROR_SUCCESS;
    }
    LONG RegSetValueExA(HKEY key, std::string_view name, DWORD, DWORD type, const std::uint8_t* data,
                        DWORD size) override {
        auto k = open_.find(key);
        if (broken || k == open_.end()) return ERROR_INVALID_HANDLE;
        if (refused(k->second)) return ERROR_ACCESS_DENIED;
        keys_[k->second][fold(name)] = {type, std::string(reinterpret_cast<const char*>(data), size)};
        return ERROR_SUCCESS;
    }
    LONG RegQueryValueExA(HKEY key, std::string_view name, DWORD*, DWORD* type, std::uint8_t* data,
                          DWORD* size) override {
        auto k = open_.find(key);
        if (broken || k == open_.end()) return ERROR_INVALID_HANDLE;
        const auto& values = keys_[k->second];
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
        return keys_[k->second].erase(fold(name)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    LONG RegCloseKey(HKEY key) override { return open_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE; }

    LONG enumSubKeys(HKEY, std::vector<std::string>&) override { return ERROR_INVALID_PARAMETER; }
    LONG enumValues(HKEY, std::vector<ValueEntry>&) override { return ERROR_INVALID_PARAMETER; }
    LONG deleteTree(HKEY, std::string_view) override { return ERROR_INVALID_PARAMETER; }

    std::size_t openHandles() const { return open_.size(); }

private:
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
    static std::string id(HKEY root, std::string_view subKey) {
        std::string full(RootKeyName(root));
        if (!subKey.empty()) full += "\\" + std::string(subKey);
        return fold(full);
    }
    bool refused(const std::string& keyId) const {
        for (const std::string& path : refusedKeys)
            if (path == "*" || fold(path) == keyId) return true;
        return false;
    }

    std::map<std::string, std::map<std::string, Value>> keys_;
    std::map<HKEY, std::string> open_;
    HKEY next_ = 1;
};

}  // namespace systune::testing
