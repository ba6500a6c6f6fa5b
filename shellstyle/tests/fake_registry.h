// An in-memory registry for the tests: keys and values as the platform keeps them,
// plus the ordered log of key creations and value writes.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "registry/key_path.h"
#include "registry/registry_api.h"

namespace shellstyle::testing {

class FakeRegistry final : public registry::RegistryApi {
public:
    using HKEY = registry::HKEY;
    using LONG = registry::LONG;
    using DWORD = registry::DWORD;

    struct Call {
        std::string op;    // "create" or "set"
        std::string key;   // full path, e.g. "HKEY_CURRENT_USER\Software\..."
        std::string name;  // value name (sets only)
        std::string data;  // stored bytes (sets only)
    };
    std::vector<Call> calls;
    // What committing a batch gives (the writes are not undone here).
    LONG commitStatus = registry::ERROR_SUCCESS;
    LONG commitBatch() override { return commitStatus; }

    // A stored text value, or nothing when the key or value is missing.
    std::optional<std::string> value(const std::string& keyPath, const std::string& name) const {
        auto k = keys_.find(fold(keyPath));
        if (k == keys_.end()) return std::nullopt;
        auto v = k->second.find(fold(name));
        if (v == k->second.end()) return std::nullopt;
        return v->second.data;
    }
    bool hasKey(const std::string& keyPath) const { return keys_.count(fold(keyPath)) != 0; }
    std::size_t valueCount() const {
        std::size_t n = 0;
        for (const auto& k : keys_) n += k.second.size();
        return n;
    }

    LONG RegOpenKeyExA(HKEY root, std::string_view subKey, DWORD, DWORD, HKEY* result) override {
        std::string path = full(root, subKey);
        if (!keys_.count(fold(path))) return registry::ERROR_FILE_NOT_FOUND;
        *result = open(path);
        return registry::ERROR_SUCCESS;
    }
    LONG RegCreateKeyA(HKEY root, std::string_view subKey, HKEY* result) override {
        std::string path = full(root, subKey);
        calls.push_back({"create", path, {}, {}});
        for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
            keys_[fold(path.substr(0, at))];
        keys_[fold(path)];
        *result = open(path);
        return registry::ERROR_SUCCESS;
    }
    LONG RegSetValueExA(HKEY key, std::string_view name, DWORD, DWORD type, const std::uint8_t* data,
                        DWORD size) override {
        auto h = handles_.find(key);
        if (h == handles_.end()) return registry::ERROR_INVALID_HANDLE;
        std::string bytes(reinterpret_cast<const char*>(data), size);
        calls.push_back({"set", h->second, std::string(name), bytes});
        keys_[fold(h->second)][fold(std::string(name))] = {type, bytes};
        return registry::ERROR_SUCCESS;
    }
    LONG RegQueryValueExA(HKEY key, std::string_view name, DWORD*, DWORD* type, std::uint8_t* data,
                          DWORD* size) override {
        auto h = handles_.find(key);
        if (h == handles_.end()) return registry::ERROR_INVALID_HANDLE;
        const auto& values = keys_[fold(h->second)];
        auto v = values.find(fold(std::string(name)));
        if (v == values.end()) return registry::ERROR_FILE_NOT_FOUND;
        std::string bytes = v->second.data;
        if (v->second.type == registry::REG_SZ) bytes.push_back('\0');
        if (type) *type = v->second.type;
        DWORD room = *size;
        *size = static_cast<DWORD>(bytes.size());
        if (!data) return registry::ERROR_SUCCESS;
        if (room < bytes.size()) return registry::ERROR_MORE_DATA;
        std::memcpy(data, bytes.data(), bytes.size());
        return registry::ERROR_SUCCESS;
    }
    LONG RegDeleteValueA(HKEY key, std::string_view name) override {
        auto h = handles_.find(key);
        if (h == handles_.end()) return registry::ERROR_INVALID_HANDLE;
        return keys_[fold(h->second)].erase(fold(std::string(name))) ? registry::ERROR_SUCCESS
                                                                      : registry::ERROR_FILE_NOT_FOUND;
    }
    LONG RegCloseKey(HKEY key) override {
        return handles_.erase(key) ? registry::ERROR_SUCCESS : registry::ERROR_INVALID_HANDLE;
    }
    LONG enumSubKeys(HKEY, std::vector<std::string>&) override { return registry::ERROR_SUCCESS; }
    LONG enumValues(HKEY, std::vector<registry::ValueEntry>&) override { return registry::ERROR_SUCCESS; }
    LONG deleteTree(HKEY, std::string_view) override { return registry::ERROR_SUCCESS; }

    std::size_t openHandles() const { return handles_.size(); }

private:
    struct Stored {
        DWORD type = registry::REG_NONE;
        std::string data;
    };
    static std::string fold(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    }
    std::string full(HKEY root, std::string_view subKey) const {
        std::string path(registry::RootKeyName(root));
        if (!subKey.empty()) path += "\\" + std::string(subKey);
        return path;
    }
    HKEY open(const std::string& path) {
        HKEY h = next_++;
        handles_[h] = path;
        return h;
    }

    std::map<std::string, std::map<std::string, Stored>> keys_;
    std::map<HKEY, std::string> handles_;
    HKEY next_ = 0x1000;
};

}  // namespace shellstyle::testing
