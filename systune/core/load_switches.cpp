// The load sequence: one read per key of each switch, compared with the tested data.
#include "systune/core/load_switches.h"

namespace systune {
namespace {

bool readEquals(registry::General& reg, const Switch& s, std::string_view keyPath) {
    switch (s.kind) {
    case Kind::Number: return reg.GetDwordValue(keyPath, s.valueName) == s.tested.number;
    case Kind::Text: return reg.GetStringValue(keyPath, s.valueName) == std::string(s.tested.text);
    case Kind::Bytes: return reg.GetBinaryValue(keyPath, s.valueName) == std::string(s.tested.text);
    }
    return false;
}

bool isTicked(registry::General& reg, const Switch& s) {
    // Every key is read, even once the outcome is known.
    bool ticked = true;
    for (std::size_t k = 0; k < s.keyCount(); ++k) {
        bool equal = readEquals(reg, s, s.keyPaths[k]);
        if (equal != (s.rule == TickRule::ReadEquals)) ticked = false;
    }
    return ticked;
}

}  // namespace

SwitchStates loadSwitches(registry::General& reg) {
    SwitchStates states{};
    const auto& table = switchTable();
    for (std::size_t i = 0; i < table.size(); ++i) states[i] = isTicked(reg, table[i]);
    return states;
}

}  // namespace systune
