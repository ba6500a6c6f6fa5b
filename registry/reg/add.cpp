// reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEP] [/d DATA] [/f]: creates the key and writes a value.
#include <array>
#include <ostream>

#include "platform/codepage.h"
#include "registry/reg/file_text.h"
#include "registry/reg/key_arg.h"
#include "registry/reg/reg.h"
#include "registry/reg/switches.h"
#include "registry/reg/value_text.h"

namespace registry::reg {
namespace {

constexpr std::array<SwitchRule, 6> kSwitches{
    {{"v", true}, {"ve", false}, {"t", true}, {"s", true}, {"d", true}, {"f", false}}};

}  // namespace

int add(Context& ctx, const Args& args) {
    Switches sw;
    std::string error;
    if (!parseSwitches(args, kSwitches, sw, error)) return fail(ctx, error);
    if (sw.positional.size() != 1) return fail(ctx, "Invalid syntax: one KEY is needed (reg add /? shows the usage).");
    if (sw.has("v") && sw.has("ve")) return fail(ctx, "Invalid syntax: /v and /ve cannot go together.");
    KeyArg key;
    if (!parseKeyArg(sw.positional[0], key, error)) return fail(ctx, error);
    // "HKCU\" names no key below the root: refused, as the platform's tool refuses it.
    if (key.subKey.empty() && sw.positional[0].back() == '\\') return fail(ctx, "Invalid key name.");
    // Without /v the key's default value is written: empty text unless /t and /d say otherwise.
    std::string name;
    if (sw.has("v") && !platform::utf8ToCp936(sw.value("v"), name))
        return fail(ctx, "Invalid value name: it has characters that code page 936 cannot hold.");
    DWORD type = REG_SZ;
    if (sw.has("t") && !typeFromName(sw.value("t"), type))
        return fail(ctx, "Invalid syntax: unknown type " + excerpt(sw.value("t")) + " (reg add /? lists the types).");
    std::string separator = sw.value("s");
    if (sw.has("s") && !isMultiText(type)) return fail(ctx, "Invalid syntax: /s goes with REG_MULTI_SZ only.");
    if (sw.has("s") && !isOneCharacter(separator))
        return fail(ctx, "Invalid syntax: the /s separator must be one character.");
    std::string data = sw.value("d");
    std::string bytes;
    if (!parseData(type, DataArg{sw.has("d"), data, separator}, bytes, error)) return fail(ctx, error);

    HKEY handle = 0;
    if (LONG s = ctx.api.RegCreateKeyA(key.root, key.subKey, &handle); s != ERROR_SUCCESS) return failStatus(ctx, s);
    DWORD size = 0;
    bool exists = ctx.api.RegQueryValueExA(handle, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
    std::string shown = name.empty() ? "(Default)" : platform::cp936ToUtf8(name);
    if (exists && !sw.has("f") && !confirm(ctx, "Value " + shown + " exists, overwrite")) {
        ctx.api.RegCloseKey(handle);
        return fail(ctx, "The operation was cancelled.");
    }
    LONG status = ctx.api.RegSetValueExA(handle, name, 0, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         static_cast<DWORD>(bytes.size()));
    ctx.api.RegCloseKey(handle);
    if (status != ERROR_SUCCESS) return failStatus(ctx, status);
    return succeed(ctx);
}

}  // namespace registry::reg
