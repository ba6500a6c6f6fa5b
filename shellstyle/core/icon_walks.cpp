// Walking IconTargets in order: CreateKey, then SetStringValue, row by row.
#include "shellstyle/core/icon_walks.h"

#include <optional>

#include "shellstyle/core/icon_data.h"
#include "shellstyle/core/icon_targets.h"

namespace shellstyle {
namespace {

// Writes the rows `dataFor` gives text for; the others are skipped.
void walk(registry::General& reg,
          const std::function<std::optional<std::string>(const IconTarget&)>& dataFor) {
    for (const IconTarget& row : iconTargets()) {
        std::optional<std::string> data = dataFor(row);
        if (!data) continue;
        if (row.createKeyFirst) reg.CreateKey(row.key);
        reg.SetStringValue(row.key, row.valueName, *data);
    }
}

}  // namespace

WalkOutcome replaceIcons(registry::General& reg, const std::function<bool(int box)>& ticked,
                         const QString& iconFile, const QString& iconNumber) {
    if (iconFile.isEmpty()) return WalkOutcome::NoFile;
    const QString data = replaceData(iconFile, iconNumber);
    if (!storableText(data)) return WalkOutcome::UnstorablePath;
    const std::string bytes = data.toStdString();
    walk(reg, [&](const IconTarget& row) -> std::optional<std::string> {
        if (!ticked(row.box)) return std::nullopt;
        return bytes;
    });
    return WalkOutcome::Written;
}

WalkOutcome applyXpPreset(registry::General& reg, const QString& programFolder) {
    const QString prefix = libraryPathPrefix(programFolder);
    if (!storableText(prefix)) return WalkOutcome::UnstorablePath;
    walk(reg, [&](const IconTarget& row) -> std::optional<std::string> {
        return (prefix + QString::number(row.presetIcon)).toStdString();
    });
    return WalkOutcome::Written;
}

void restoreAllIcons(registry::General& reg) {
    walk(reg, [](const IconTarget&) -> std::optional<std::string> { return std::string(); });
}

}  // namespace shellstyle
