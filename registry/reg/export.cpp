// reg export KEY FILE [/a] [/y]: the key and everything below it as a .reg file,
// Version 5.00 (UTF-16LE) or with /a REGEDIT4 (code page 936).
#include <array>
#include <filesystem>
#include <ostream>
#include <string_view>

#include "platform/safe_file.h"
#include "registry/reg/key_arg.h"
#include "registry/reg/open_key.h"
#include "registry/reg/reg.h"
#include "registry/reg/reg_file.h"
#include "registry/reg/switches.h"

namespace registry::reg {
namespace {

constexpr std::array<SwitchRule, 2> kSwitches{{{"y", false}, {"a", false}}};

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

// Standard output, a pipe or a device is written as it stands; a file is replaced
// whole by a new one renamed onto its name; a link is neither followed nor replaced.
int writeExport(Context& ctx, const std::string& name, std::string_view text, bool yes) {
    if (name == "-" || name == "/dev/stdout") {
        ctx.out.write(text.data(), static_cast<std::streamsize>(text.size()));
        ctx.out.flush();
        if (!ctx.out) return fail(ctx, "Cannot export: standard output cannot be written.");
        return 0;  // no success line: it would join the exported file
    }
    std::string error;
    if (platform::isStream(name)) {
        if (!platform::writeToStream(name, text, &error)) return fail(ctx, "Cannot export: " + error + ".");
        return succeed(ctx);
    }
    std::error_code ec;
    std::filesystem::file_status own = std::filesystem::symlink_status(name, ec);
    if (std::filesystem::is_symlink(own))
        return fail(ctx, "Cannot export: " + name + " is a symbolic link; reg export neither writes through it nor replaces it.");
    if (std::filesystem::exists(own) && !std::filesystem::is_regular_file(own))
        return fail(ctx, "Cannot export: " + name + " is neither a regular file, a pipe nor a character device.");
    if (std::filesystem::exists(own) && !yes &&
        !confirm(ctx, "File " + name + " already exists. Overwrite"))
        return fail(ctx, "The operation was cancelled.");
    // A failed write leaves an earlier export whole.
    if (!platform::writeFileAtomically(name, text, &error)) return fail(ctx, "Cannot export: " + error + ".");
    return succeed(ctx);
}

}  // namespace

int exportKey(Context& ctx, const Args& args) {
    Switches sw;
    std::string error;
    if (!parseSwitches(args, kSwitches, sw, error)) return fail(ctx, error);
    // KEY and FILE come first; the switches only after them, as the platform's tool has it.
    if (sw.positional.size() != 2 || args.size() < 2 || sw.positional[0] != args[0] || sw.positional[1] != args[1])
        return fail(ctx, "Invalid syntax: reg export KEY FILE [/a] [/y] (reg export /? shows the usage).");
    KeyArg key;
    if (!parseKeyArg(sw.positional[0], key, error)) return fail(ctx, error);

    std::vector<RegFileKey> keys;
    if (LONG s = collect(ctx.api, key, keys); s != ERROR_SUCCESS) return failStatus(ctx, s);
    std::string text;
    std::vector<std::string> warnings;
    RegFormat format = sw.has("a") ? RegFormat::Regedit4 : RegFormat::Version5;
    if (!writeRegFile(keys, format, text, error, &warnings)) return fail(ctx, "Cannot export: " + error + ".");
    for (const std::string& w : warnings) ctx.err << "WARNING: " << w << ".\n";

    return writeExport(ctx, sw.positional[1], text, sw.has("y"));
}

}  // namespace registry::reg
