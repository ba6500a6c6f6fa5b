// The switches of a reg command line: /v NAME, /ve, /f ... (or -v, -ve, -f).
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace registry::reg {

struct SwitchRule {
    std::string_view name;  // lower case, without the slash
    bool takesValue;
};

struct Switches {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> given;  // name -> value ("" for a flag)

    bool has(std::string_view name) const { return given.find(name) != given.end(); }
    std::string value(std::string_view name) const {
        auto it = given.find(name);
        return it == given.end() ? std::string() : it->second;
    }
};

// True for a switch value of exactly one character (UTF-8), as separators are.
bool isOneCharacter(std::string_view utf8);

// False, with `error`, for an unknown or repeated switch or a switch missing its value.
bool parseSwitches(const std::vector<std::string>& args, std::span<const SwitchRule> known, Switches& out,
                   std::string& error);

}  // namespace registry::reg
