// reg query KEY [/v NAME | /ve] [/s] [/se SEP]: values and sub-keys in reg's own layout.
#include <QString>
#include <array>
#include <ostream>

#include "platform/codepage.h"
#include "registry/reg/key_arg.h"
#include "registry/reg/open_key.h"
#include "registry/reg/reg.h"
#include "registry/reg/switches.h"
#include "registry/reg/value_text.h"

namespace registry::reg {
namespace {

constexpr std::array<SwitchRule, 4> kSwitches{{{"v", true}, {"ve", false}, {"s", false}, {"se", true}}};
constexpr std::string_view kIndent = "    ";

// Value names match as in the store: without regard to case.
bool sameName(const std::string& a, const std::string& b) {
    auto folded = [](const std::string& cp936) {
        return QString::fromStdString(platform::cp936ToUtf8(cp936)).toCaseFolded();
    };
    return a == b || folded(a) == folded(b);
}

struct Walk {
    Context& ctx;
    bool recurse;
    const std::string* only;  // one value name (code page 936), or all values
    std::string separator;    // between the strings of REG_MULTI_SZ data
    bool defaultOnly;         // /ve
    int matches = 0;

    void printValue(const ValueEntry& v) {
        std::string name = v.name.empty() ? "(Default)" : platform::cp936ToUtf8(v.name);
        ctx.out << kIndent << name << kIndent << typeName(v.type) << kIndent
                << displayData(v.type, v.data, separator) << '\n';
    }

    // Lists one key; with /s goes on into its sub-keys. `top` is the key asked for. A
    // key shows its name above its values, and not at all without any; an unset default
    // asked for alone reads "(value not set)", as the platform's tool shows it.
    LONG list(const KeyArg& key, bool top) {
        OpenKey open(ctx.api, key, KEY_READ);
        if (open.status() != ERROR_SUCCESS) return open.status();
        std::vector<ValueEntry> values;
        std::vector<std::string> subKeys;
        if (LONG s = ctx.api.enumValues(open.handle(), values); s != ERROR_SUCCESS) return s;
        if (LONG s = ctx.api.enumSubKeys(open.handle(), subKeys); s != ERROR_SUCCESS) return s;

        std::vector<const ValueEntry*> shown;
        for (const ValueEntry& v : values)
            if (!only || sameName(v.name, *only)) shown.push_back(&v);
        matches += static_cast<int>(shown.size());
        if (top) ctx.out << '\n';
        bool unset = top && defaultOnly && !recurse && shown.empty();
        if (!shown.empty() || unset) {
            ctx.out << key.display() << '\n';
            for (const ValueEntry* v : shown) printValue(*v);
            if (unset) ctx.out << kIndent << "(Default)" << kIndent << "REG_SZ" << kIndent << "(value not set)\n";
            ctx.out << '\n';
        }
        for (const std::string& sub : subKeys) {
            if (recurse) {
                if (LONG s = list(key.child(sub), false); s != ERROR_SUCCESS) return s;
            } else if (!only) {
                ctx.out << key.child(sub).display() << '\n';
            }
        }
        return ERROR_SUCCESS;
    }
};

}  // namespace

int query(Context& ctx, const Args& args) {
    Switches sw;
    std::string error;
    if (!parseSwitches(args, kSwitches, sw, error)) return fail(ctx, error);
    if (sw.positional.size() != 1)
        return fail(ctx, "Invalid syntax: one KEY is needed (reg query /? shows the usage).");
    if (sw.has("se") && !isOneCharacter(sw.value("se")))
        return fail(ctx, "Invalid syntax: the /se separator must be one character.");
    if (sw.has("v") && sw.has("ve")) return fail(ctx, "Invalid syntax: /v and /ve cannot go together.");
    KeyArg key;
    if (!parseKeyArg(sw.positional[0], key, error)) return fail(ctx, error);
    std::string name;
    if (sw.has("v") && !platform::utf8ToCp936(sw.value("v"), name))
        return fail(ctx, "Invalid value name: it has characters that code page 936 cannot hold.");

    bool one = sw.has("v") || sw.has("ve");
    Walk walk{ctx, sw.has("s"), one ? &name : nullptr, sw.has("se") ? sw.value("se") : "\\0", sw.has("ve")};
    if (LONG s = walk.list(key, true); s != ERROR_SUCCESS) return failStatus(ctx, s);
    if (one && sw.has("s")) {
        ctx.out << "End of search: " << walk.matches << " match(es) found.\n";
        return 0;
    }
    if (sw.has("v") && walk.matches == 0) return failStatus(ctx, ERROR_FILE_NOT_FOUND);
    return 0;
}

}  // namespace registry::reg
