// The apply sequence: the ticked or clear data of each switch, written key by key.
#include "systune/core/apply_switches.h"

#include <algorithm>

#include "registry/batch.h"
#include "registry/key_path.h"

namespace systune {
namespace {

void write(registry::General& reg, const Switch& s, std::string_view keyPath, const Data& data) {
    switch (data.form) {
    case Data::Form::Delete: {
        // Deletion takes the root handle and the sub-key apart.
        registry::SplitPath p = registry::SplitKeyPath(keyPath);
        reg.DeleteValue(p.root, p.subKey, s.valueName);
        return;
    }
    case Data::Form::Number: reg.SetDwordValue(keyPath, s.valueName, data.number); return;
    case Data::Form::Text:
        if (s.kind == Kind::Bytes)
            reg.SetBinaryValue(keyPath, s.valueName, data.text);
        else
            reg.SetStringValue(keyPath, s.valueName, data.text);
        return;
    }
}

}  // namespace

std::size_t ApplyReport::refusedSwitchCount() const {
    if (commitStatus != registry::ERROR_SUCCESS) return kSwitchCount;
    std::size_t count = 0;
    for (std::size_t i = 0; i < refused.size(); ++i)
        if (i == 0 || refused[i].row != refused[i - 1].row) ++count;
    return count;
}

std::vector<std::string_view> ApplyReport::missingKeys() const {
    std::vector<std::string_view> keys;
    for (const RefusedWrite& r : refused)
        if (r.missingKey && std::find(keys.begin(), keys.end(), r.keyPath) == keys.end()) keys.push_back(r.keyPath);
    return keys;
}

ApplyReport applySwitches(registry::General& reg, const SwitchStates& states) {
    ApplyReport report;
    registry::Batch batch(reg);
    const auto& table = switchTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Switch& s = table[i];
        const Data& data = states[i] ? s.whenTicked : s.whenClear;
        for (std::size_t k = 0; k < s.keyCount(); ++k) {
            write(reg, s, s.keyPaths[k], data);
            const auto outcome = reg.lastWriteOutcome();
            const bool missing = outcome == registry::General::WriteOutcome::NoKey &&
                                 data.form != Data::Form::Delete && !s.keyMayBeMissing;
            if (outcome == registry::General::WriteOutcome::Refused || missing)
                report.refused.push_back({i, s.keyPaths[k], missing});
        }
    }
    report.commitStatus = batch.commit();
    return report;
}

}  // namespace systune
