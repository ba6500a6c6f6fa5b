// reg export KEY FILE [/y]: the key and everything below it as a REGEDIT4 file.
#include <array>
#include <filesystem>
#include <ostream>

#include "platform/safe_file.h"
#include "registry/reg/key_arg.h"
#include "registry/reg/open_key.h"
#include "registry/reg/reg.h"
#include "registry/reg/reg_file.h"
#include "registry/reg/switches.h"

namespace registry::reg {
namespace {

constexpr std::array<SwitchRule, 1> kSwitches{{{"y", false}}};

// The key, then each sub-key in turn, as the editor writes them.
LONG collect(RegistryApi& api, const KeyArg& key, std::vector<RegFileKey>& out) {
    OpenKey open(api, key, KEY_READ);
    if (open.status() != ERROR_SUCCESS) return open.status();
    std::vector<ValueEntry> values;
    std::vector<std::string> subKeys;
    if (LONG s = api.enumValues(open.handle(), values); s != ERROR_SUCCESS) return s;
    if (LONG s = api.enumSubKeys(open.handle(), subKeys); s != ERROR_SUCCESS) return s;
    RegFileKey k{key.ansiPath(), false, {}};
    for (ValueEntry& v : values) k.values.push_back({std::move(v.name), false, v.type, std::move(v.data)});
    out.push_back(std::move(k));
    for (const std::string& sub : subKeys)
        if (LONG s = collect(api, key.child(sub), out); s != ERROR_SUCCESS) return s;
    return ERROR_SUCCESS;
}

}  // namespace

int exportKey(Context& ctx, const Args& args) {
    Switches sw;
    std::string error;
    if (!parseSwitches(args, kSwitches, sw, error)) return fail(ctx, error);
    if (sw.positional.size() != 2) return fail(ctx, "Invalid syntax: KEY and FILE are needed (reg export /? shows the usage).");
    KeyArg key;
    if (!parseKeyArg(sw.positional[0], key, error)) return fail(ctx, error);
    std::filesystem::path file = sw.positional[1];

    std::vector<RegFileKey> keys;
    if (LONG s = collect(ctx.api, key, keys); s != ERROR_SUCCESS) return failStatus(ctx, s);
    std::string text;
    if (!writeRegFile(keys, text, error)) return fail(ctx, "Cannot export: " + error + ".");

    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, ec)) && !sw.has("y") &&
        !confirm(ctx, "File " + file.string() + " already exists. Overwrite"))
        return fail(ctx, "The operation was cancelled.");
    // A new file renamed onto the name: a failed write leaves an earlier export whole,
    // and a link at the name is replaced, never written through.
    if (!platform::writeFileAtomically(file, text, &error)) return fail(ctx, "Cannot export: " + error + ".");
    return succeed(ctx);
}

}  // namespace registry::reg
