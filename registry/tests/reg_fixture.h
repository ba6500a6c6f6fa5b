// What the reg command tests share: running a command line against a store, and
// the whole content of a key tree to compare stores by.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "registry/reg/reg.h"
#include "registry/sqlite_store.h"
#include "registry/tests/temp_folder.h"

namespace registry::testing {

struct Outcome {
    int status;
    std::string out, err;
};

inline Outcome reg(RegistryApi& api, std::vector<std::string> args, std::string answers = "") {
    std::ostringstream out, err;
    std::istringstream in(answers);
    reg::Context ctx{api, out, err, in};
    int status = reg::run(ctx, args);
    return {status, out.str(), err.str()};
}

// Every key below `sub` with its values, as (path, name, type, bytes) rows.
using Dump = std::vector<std::tuple<std::string, std::string, DWORD, std::string>>;

inline void dump(RegistryApi& api, HKEY root, const std::string& sub, Dump& rows) {
    HKEY key = 0;
    ASSERT_EQ(api.RegOpenKeyExA(root, sub, 0, KEY_READ, &key), ERROR_SUCCESS) << sub;
    std::vector<ValueEntry> values;
    std::vector<std::string> subKeys;
    api.enumValues(key, values);
    api.enumSubKeys(key, subKeys);
    api.RegCloseKey(key);
    rows.emplace_back(sub, "<key>", 0, "");
    for (const ValueEntry& v : values) rows.emplace_back(sub, v.name, v.type, v.data);
    for (const std::string& s : subKeys) dump(api, root, sub.empty() ? s : sub + "\\" + s, rows);
}

inline Dump dump(RegistryApi& api, HKEY root, const std::string& sub) {
    Dump rows;
    dump(api, root, sub, rows);
    return rows;
}

inline std::string fileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class RegTest : public ::testing::Test {
protected:
    TempFolder dir;
    SqliteStore store{dir / "a.db"};
    SqliteStore empty{dir / "b.db"};

    void put(std::string_view sub, std::string_view name, DWORD type, std::string_view bytes) {
        HKEY key = 0;
        ASSERT_EQ(store.RegCreateKeyA(HKEY_CURRENT_USER, sub, &key), ERROR_SUCCESS);
        ASSERT_EQ(store.RegSetValueExA(key, name, 0, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        store.RegCloseKey(key);
    }

    // Writes `bytes` to a file in the test's folder and imports it into `api`.
    Outcome importBytes(RegistryApi& api, std::string_view bytes, const char* name = "in.reg") {
        auto file = dir / name;
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        return reg(api, {"import", file.string()});
    }
};

// The values of one key by name: (type, bytes).
inline std::map<std::string, std::pair<DWORD, std::string>> values(RegistryApi& api, HKEY root,
                                                                   const std::string& sub) {
    std::map<std::string, std::pair<DWORD, std::string>> out;
    HKEY key = 0;
    if (api.RegOpenKeyExA(root, sub, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    std::vector<ValueEntry> list;
    api.enumValues(key, list);
    api.RegCloseKey(key);
    for (ValueEntry& v : list) out[v.name] = {v.type, v.data};
    return out;
}

}  // namespace registry::testing
