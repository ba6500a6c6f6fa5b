// Walking IconTargets in order: CreateKey, then SetStringValue, row by row.
#include "shellstyle/core/icon_walks.h"

#include <optional>

#include "registry/batch.h"

#include "shellstyle/core/icon_data.h"
#include "shellstyle/core/icon_targets.h"

namespace shellstyle {
namespace {

// Writes the rows `dataFor` gives text for, as one batch; the others are skipped.
WalkOutcome walk(registry::General& reg,
                 const std::function<std::optional<std::string>(const IconTarget&)>& dataFor) {
    registry::Batch batch(reg);
    for (const IconTarget& row : iconTargets()) {
        std::optional<std::string> data = dataFor(row);
        if (!data) continue;
        if (row.createKeyFirst) reg.CreateKey(row.key);
        reg.SetStringValue(row.key, row.valueName, *data);
    }
    return batch.commit() == registry::ERROR_SUCCESS ? WalkOutcome::Written : WalkOutcome::NotKept;
}

}  // namespace

WalkOutcome replaceIcons(registry::General& reg, const std::function<bool(int box)>& ticked,
                         const QString& iconFile, const QString& iconNumber) {
    if (iconFile.isEmpty()) return WalkOutcome::NoFile;
    const QString data = replaceData(iconFile, iconNumber);
    if (!storableText(data)) return WalkOutcome::UnstorablePath;
    const std::string bytes = data.toStdString();
    return walk(reg, [&](const IconTarget& row) -> std::optional<std::string> {
        if (!ticked(row.box)) return std::nullopt;
        return bytes;
    });
}

WalkOutcome applyXpPreset(registry::General& reg, const QString& programFolder) {
    const QString prefix = libraryPathPrefix(programFolder);
    if (!storableText(prefix)) return WalkOutcome::UnstorablePath;
    return walk(reg, [&](const IconTarget& row) -> std::optional<std::string> {
        return (prefix + QString::number(row.presetIcon)).toStdString();
    });
}

WalkOutcome restoreAllIcons(registry::General& reg) {
    return walk(reg, [](const IconTarget&) -> std::optional<std::string> { return std::string(); });
}

}  // namespace shellstyle
