// reg import FILE: applies a REGEDIT4 file (keys, values, and [-key] / "name"=- removals).
#include <fstream>
#include <iterator>
#include <ostream>

#include "platform/codepage.h"
#include "registry/reg/key_arg.h"
#include "registry/reg/reg.h"
#include "registry/reg/reg_file.h"

namespace registry::reg {
namespace {

LONG apply(RegistryApi& api, const RegFileKey& k) {
    KeyArg key;
    parseAnsiKeyPath(k.path, key);  // checked by the parser
    if (k.remove) {
        if (key.subKey.empty()) return ERROR_ACCESS_DENIED;
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

}  // namespace

int importFile(Context& ctx, const Args& args) {
    if (args.size() != 1) return fail(ctx, "Invalid syntax: reg import FILE");
    std::ifstream stream(args[0], std::ios::binary);
    if (!stream) return fail(ctx, "Cannot open " + args[0] + ".");
    std::string bytes{std::istreambuf_iterator<char>(stream), {}};
    if (stream.bad()) return fail(ctx, "Cannot read " + args[0] + ".");

    std::vector<RegFileKey> keys;
    std::string error;
    if (!parseRegFile(bytes, keys, error)) return fail(ctx, args[0] + " is not a registry file: " + error + ".");
    for (const RegFileKey& k : keys)
        if (LONG s = apply(ctx.api, k); s != ERROR_SUCCESS)
            return fail(ctx, "Importing [" + platform::cp936ToUtf8(k.path) +
                                 "] failed, the keys before it were imported: " + statusText(ctx, s));
    return succeed(ctx);
}

}  // namespace registry::reg
