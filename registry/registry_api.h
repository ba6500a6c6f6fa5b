// The registry calls the operations are written over: the shape of the platform's
// own API (open with access rights, create, set, query into the caller's buffer,
// delete a value, close), with its handle values, types and status codes.
// Key and value names and REG_SZ data are code page 936 bytes, as the platform's
// ANSI calls take them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace registry {

using HKEY = std::uint32_t;
using LONG = std::int32_t;
using DWORD = std::uint32_t;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

inline constexpr DWORD KEY_QUERY_VALUE = 0x0001;
inline constexpr DWORD KEY_SET_VALUE = 0x0002;
inline constexpr DWORD KEY_READ = 0x20019;
inline constexpr DWORD KEY_WRITE = 0x20006;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_DISK_FULL = 112;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_BUSY = 170;
inline constexpr LONG ERROR_BAD_PATHNAME = 161;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;
inline constexpr LONG ERROR_BADDB = 1009;
inline constexpr LONG ERROR_KEY_DELETED = 1018;
inline constexpr LONG ERROR_WRITE_FAULT = 29;

// One value as the enumeration gives it (for the command-line tool).
struct ValueEntry {
    std::string name;  // code page 936 bytes
    DWORD type = REG_NONE;
    std::string data;  // exact stored bytes
};

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // Opens an existing key; `subKey` empty opens `root` itself.
    virtual LONG RegOpenKeyExA(HKEY root, std::string_view subKey, DWORD options, DWORD access,
                               HKEY* result) = 0;
    // Opens a key, creating it and every missing key above it.
    virtual LONG RegCreateKeyA(HKEY root, std::string_view subKey, HKEY* result) = 0;
    // Replaces the value `name` (empty: the default value) with `size` bytes of `data`.
    virtual LONG RegSetValueExA(HKEY key, std::string_view name, DWORD reserved, DWORD type,
                                const std::uint8_t* data, DWORD size) = 0;
    // Copies the value into `data` (`*size` bytes available). A REG_SZ value comes with
    // its terminating NUL. On return `*size` is the value's size; a buffer too small
    // gives ERROR_MORE_DATA. `data` may be null to ask for the size alone.
    virtual LONG RegQueryValueExA(HKEY key, std::string_view name, DWORD* reserved, DWORD* type,
                                  std::uint8_t* data, DWORD* size) = 0;
    virtual LONG RegDeleteValueA(HKEY key, std::string_view name) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;

    // Listing and removal for the command-line tool (names in stored case, sorted).
    virtual LONG enumSubKeys(HKEY key, std::vector<std::string>& names) = 0;
    virtual LONG enumValues(HKEY key, std::vector<ValueEntry>& values) = 0;
    // Deletes the key `subKey` below `key` with everything under it.
    virtual LONG deleteTree(HKEY key, std::string_view subKey) = 0;

    // One transaction around several operations, used through registry::Batch
    // (registry/batch.h). A store without transactions applies each operation as it
    // comes, so these do nothing there.
    virtual LONG beginBatch() { return ERROR_SUCCESS; }
    virtual LONG commitBatch() { return ERROR_SUCCESS; }
    virtual void abandonBatch() {}
};

}  // namespace registry
