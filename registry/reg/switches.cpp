// Splitting a reg command line into positional arguments and switches.
#include "registry/reg/switches.h"

#include <algorithm>
#include <cctype>

#include "registry/ascii_case.h"

namespace registry::reg {
namespace {

// "/x" or "-xy": one or two letters after the prefix. Longer words such as "/tmp/a.reg"
// are paths, not switches.
bool looksLikeSwitch(std::string_view arg) {
    if (arg.size() < 2 || arg.size() > 3 || (arg[0] != '/' && arg[0] != '-')) return false;
    return std::all_of(arg.begin() + 1, arg.end(), [](unsigned char c) { return std::isalpha(c) || c == '?'; });
}

}  // namespace

bool isOneCharacter(std::string_view utf8) {
    auto c = static_cast<unsigned char>(utf8.empty() ? 0 : utf8[0]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    return !utf8.empty() && n == utf8.size();
}

bool parseSwitches(const std::vector<std::string>& args, std::span<const SwitchRule> known, Switches& out,
                   std::string& error) {
    out = {};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!looksLikeSwitch(arg)) {
            out.positional.push_back(arg);
            continue;
        }
        std::string name = asciiLower(std::string_view(arg).substr(1));
        auto rule = std::find_if(known.begin(), known.end(), [&](const SwitchRule& s) { return s.name == name; });
        if (rule == known.end()) {
            error = "Invalid syntax: unknown switch " + arg + ".";
            return false;
        }
        if (out.has(name)) {
            error = "Invalid syntax: " + arg + " is given twice.";
            return false;
        }
        std::string value;
        if (rule->takesValue) {
            if (i + 1 >= args.size()) {
                error = "Invalid syntax: " + arg + " needs a value.";
                return false;
            }
            value = args[++i];
        }
        out.given.emplace(name, std::move(value));
    }
    return true;
}

}  // namespace registry::reg
