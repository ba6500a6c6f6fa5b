// reg import FILE: applies a .reg file (keys, values, and [-key] / "name"=- removals).
// The whole file is read and checked first; only a file without a fault is applied.
#include <ostream>

#include "platform/codepage.h"
#include "platform/safe_file.h"
#include "registry/batch.h"
#include "registry/reg/file_text.h"
#include "registry/reg/key_arg.h"
#include "registry/reg/reg.h"
#include "registry/reg/reg_file.h"

namespace registry::reg {
namespace {

LONG applyKey(RegistryApi& api, const RegFileKey& k) {
    KeyArg key;
    parseAnsiKeyPath(k.path, key);  // checked by the parser
    if (k.remove) {
        LONG s = api.deleteTree(key.root, key.subKey);
        return s == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : s;
    }
    HKEY handle = 0;
    if (LONG s = api.RegCreateKeyA(key.root, key.subKey, &handle); s != ERROR_SUCCESS) return s;
    LONG status = ERROR_SUCCESS;
    for (const RegFileValue& v : k.values) {
        if (v.remove) {
            status = api.RegDeleteValueA(handle, v.name);
            if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
        } else {
            status = api.RegSetValueExA(handle, v.name, 0, v.type, reinterpret_cast<const std::uint8_t*>(v.data.data()),
                                        static_cast<DWORD>(v.data.size()));
        }
        if (status != ERROR_SUCCESS) break;
    }
    api.RegCloseKey(handle);
    return status;
}

std::string megabytes(std::size_t bytes) { return std::to_string(bytes / (1024 * 1024)) + " MB"; }

}  // namespace

LONG applyRegFile(RegistryApi& api, const std::vector<RegFileKey>& keys, std::size_t& failedKey) {
    for (failedKey = 0; failedKey < keys.size(); ++failedKey)
        if (LONG s = applyKey(api, keys[failedKey]); s != ERROR_SUCCESS) return s;
    return ERROR_SUCCESS;
}

std::string importLimitText() { return megabytes(kImportLimitBytes); }

int importFile(Context& ctx, const Args& args) {
    if (args.size() != 1) return fail(ctx, "Invalid syntax: reg import FILE (reg import /? shows the usage)");
    const std::string& name = args[0];
    // A link to a file is read like the file; devices, pipes and folders are refused.
    platform::ReadResult file = platform::readRegularFile(name, kImportLimitBytes, true);
    switch (file.status) {
        case platform::ReadStatus::Ok:
            break;
        case platform::ReadStatus::Missing:
            return fail(ctx, "Cannot open " + name + ": there is no such file.");
        case platform::ReadStatus::NotRegular:
            return fail(ctx, name + " is not a regular file; reg import reads regular files only.");
        case platform::ReadStatus::TooLarge:
            return fail(ctx, name + " is larger than " + importLimitText() + ", the most reg import reads.");
        case platform::ReadStatus::Failed:
            return fail(ctx, "Cannot import: " + file.error + ".");
    }

    std::vector<RegFileKey> keys;
    std::vector<std::string> warnings;
    std::string error;
    if (!parseRegFile(file.bytes, keys, error, &warnings))
        return fail(ctx, name + " is not a registry file, nothing was imported: " + error + ".");
    for (const std::string& w : warnings) ctx.err << "WARNING: " << name << ": " << w << ".\n";
    // One transaction: a write that fails part-way leaves the store as it was.
    std::size_t failed = 0;
    Batch batch(ctx.api);
    LONG s = applyRegFile(ctx.api, keys, failed);
    if (s == ERROR_SUCCESS) s = batch.commit();
    if (s != ERROR_SUCCESS) {
        std::string what = failed < keys.size() ? "[" + excerpt(platform::cp936ToUtf8(keys[failed].path)) + "]" : name;
        return fail(ctx, "Importing " + what + " failed, nothing was imported: " + statusText(ctx, s));
    }
    return succeed(ctx);
}

}  // namespace registry::reg
