// reg delete KEY [/v NAME | /ve | /va] [/f]: removes a key with everything below it, or values.
#include <array>
#include <ostream>

#include "platform/codepage.h"
#include "registry/reg/key_arg.h"
#include "registry/reg/open_key.h"
#include "registry/reg/reg.h"
#include "registry/reg/switches.h"

namespace registry::reg {
namespace {

constexpr std::array<SwitchRule, 4> kSwitches{{{"v", true}, {"ve", false}, {"va", false}, {"f", false}}};

int deleteValues(Context& ctx, const KeyArg& key, const Switches& sw) {
    OpenKey open(ctx.api, key, KEY_READ | KEY_WRITE);
    if (open.status() != ERROR_SUCCESS) return failStatus(ctx, open.status());
    std::vector<std::string> names;
    std::string question;
    if (sw.has("va")) {
        std::vector<ValueEntry> values;
        if (LONG s = ctx.api.enumValues(open.handle(), values); s != ERROR_SUCCESS) return failStatus(ctx, s);
        for (const ValueEntry& v : values) names.push_back(v.name);
        question = "Delete all values under the registry key " + key.display();
    } else {
        std::string name;
        if (sw.has("v") && !platform::utf8ToCp936(sw.value("v"), name))
            return fail(ctx, "Invalid value name: it has characters that code page 936 cannot hold.");
        DWORD size = 0;
        if (LONG s = ctx.api.RegQueryValueExA(open.handle(), name, nullptr, nullptr, nullptr, &size);
            s != ERROR_SUCCESS)
            return failStatus(ctx, s);
        names.push_back(name);
        question = "Delete the registry value " + (name.empty() ? std::string("(Default)") : sw.value("v"));
    }
    if (!sw.has("f") && !confirm(ctx, question)) return fail(ctx, "The operation was cancelled.");
    for (const std::string& name : names)
        if (LONG s = ctx.api.RegDeleteValueA(open.handle(), name); s != ERROR_SUCCESS) return failStatus(ctx, s);
    return succeed(ctx);
}

}  // namespace

int remove(Context& ctx, const Args& args) {
    Switches sw;
    std::string error;
    if (!parseSwitches(args, kSwitches, sw, error)) return fail(ctx, error);
    if (sw.positional.size() != 1) return fail(ctx, "Invalid syntax: one KEY is needed (reg delete /? shows the usage).");
    if (sw.has("v") + sw.has("ve") + sw.has("va") > 1)
        return fail(ctx, "Invalid syntax: only one of /v, /ve and /va can be given.");
    KeyArg key;
    if (!parseKeyArg(sw.positional[0], key, error)) return fail(ctx, error);
    if (sw.has("v") || sw.has("ve") || sw.has("va")) return deleteValues(ctx, key, sw);

    if (key.subKey.empty()) return fail(ctx, "A root key cannot be deleted.");
    OpenKey open(ctx.api, key, KEY_READ);
    if (open.status() != ERROR_SUCCESS) return failStatus(ctx, open.status());
    if (!sw.has("f") && !confirm(ctx, "Permanently delete the registry key " + key.display()))
        return fail(ctx, "The operation was cancelled.");
    if (LONG s = ctx.api.deleteTree(key.root, key.subKey); s != ERROR_SUCCESS) return failStatus(ctx, s);
    return succeed(ctx);
}

}  // namespace registry::reg
