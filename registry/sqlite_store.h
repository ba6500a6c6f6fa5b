// The registry store on systems without a registry: an SQLite database that behaves
// as the platform registry does (case-insensitive, case-preserving names; the default
// value has the empty name; every value keeps its type and exact bytes). Each write is
// one transaction (or a step of a Batch, registry/batch.h) in WAL mode with a busy
// timeout, so several programs can share it and a program killed mid-write loses at
// most that write (or that batch); a commit is on disk when it returns.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "registry/registry_api.h"

namespace registry {

class SqliteStore final : public RegistryApi {
public:
    // Opens (or creates, seeded with the keys a fresh system holds) the store at `file`.
    // A store that cannot be opened, is not a database or is damaged is left as it is:
    // the object is still usable, every call fails (reads see ERROR_BADDB) and
    // problem() says what is wrong. A read-only store reads; its writes fail with
    // ERROR_ACCESS_DENIED. A write that cannot get the store within `busyTimeout`
    // (another program is writing) fails with ERROR_BUSY and changes nothing.
    // Not for use from two threads at once.
    explicit SqliteStore(const std::filesystem::path& file,
                         std::chrono::milliseconds busyTimeout = std::chrono::seconds(5));
    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    // False when the store cannot be used at all (every call fails with ERROR_BADDB).
    bool ok() const;
    // What is wrong with the store (unusable, or read-only); empty when all is well.
    const std::string& problem() const;

    LONG RegOpenKeyExA(HKEY root, std::string_view subKey, DWORD options, DWORD access, HKEY* result) override;
    LONG RegCreateKeyA(HKEY root, std::string_view subKey, HKEY* result) override;
    LONG RegSetValueExA(HKEY key, std::string_view name, DWORD reserved, DWORD type, const std::uint8_t* data,
                        DWORD size) override;
    LONG RegQueryValueExA(HKEY key, std::string_view name, DWORD* reserved, DWORD* type, std::uint8_t* data,
                          DWORD* size) override;
    LONG RegDeleteValueA(HKEY key, std::string_view name) override;
    LONG RegCloseKey(HKEY key) override;
    LONG enumSubKeys(HKEY key, std::vector<std::string>& names) override;
    LONG enumValues(HKEY key, std::vector<ValueEntry>& values) override;
    LONG deleteTree(HKEY key, std::string_view subKey) override;
    // A batch takes the store's write lock at its first write and holds it until it
    // commits (one transaction, one flush to disk) or is abandoned (all undone).
    LONG beginBatch() override;
    LONG commitBatch() override;
    void abandonBatch() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The suite's own store: <suite data folder>/registry.db. Empty when the suite has no
// folder (platform::NoDataDir); a store opened on it is unusable and its problem()
// says why.
std::filesystem::path suiteStorePath();

}  // namespace registry
