// Reading the chosen icons from the store and rendering them at the theme's sizes.
#include "desktop/icon_choices.h"

#include <algorithm>
#include <charconv>
#include <set>

#include <QBuffer>
#include <QImage>

#include "desktop/icon_names.h"
#include "platform/icons/icon_file.h"

namespace desktop {

std::optional<IconChoice> parseIconValue(std::string_view data) {
    const auto comma = data.rfind(',');
    if (comma == std::string_view::npos || comma == 0) return std::nullopt;
    std::string_view digits = data.substr(comma + 1);
    // The replace walk trims the number; a hand-made value may still carry blanks.
    while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
    if (digits.empty()) return std::nullopt;
    int number = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (ec != std::errc() || end != digits.data() + digits.size() || number < 0) return std::nullopt;
    return IconChoice{std::string(data.substr(0, comma)), number};
}

IconChoices readIconChoices(registry::General& reg, const std::filesystem::path& libraryFolder) {
    IconChoices choices;
    const auto targets = shellstyle::iconTargets();
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const registry::TextRead read = reg.GetStringValue(targets[i].key, targets[i].valueName);
        if (read.hasValue()) choices[i] = parseIconValue(read.value());
        if (!choices[i] || libraryFolder.empty()) continue;
        const std::filesystem::path chosen(choices[i]->file);
        std::error_code ec;
        if (std::filesystem::exists(chosen, ec) || !chosen.has_filename()) continue;
        const std::filesystem::path installed = libraryFolder / chosen.filename();
        if (std::filesystem::is_regular_file(installed, ec)) choices[i]->file = installed.string();
    }
    return choices;
}

std::vector<std::string> missingIconFiles(const IconChoices& choices) {
    std::vector<std::string> missing;
    for (const auto& choice : choices) {
        std::error_code ec;
        if (!choice || std::filesystem::exists(std::filesystem::path(choice->file), ec)) continue;
        if (std::find(missing.begin(), missing.end(), choice->file) == missing.end()) missing.push_back(choice->file);
    }
    return missing;
}

std::vector<ThemePicture> themePictures(const IconChoices& choices) {
    std::vector<ThemePicture> pictures;
    std::set<std::string_view> done;
    const auto names = iconNames();
    for (std::size_t row = 0; row < choices.size(); ++row) {
        if (!choices[row]) continue;
        const IconNames& entry = names[row];
        if (entry.count() == 0) continue;
        if (done.contains(entry.names[0].name)) continue;
        const std::filesystem::path file = std::filesystem::path(choices[row]->file);
        std::vector<ThemePicture> made;
        for (int side : kThemeSides) {
            const auto image = platform::iconImageOfSide(file, choices[row]->number, side);
            if (!image) break;  // gone or damaged: the inherited theme answers instead
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (!image->save(&buffer, "PNG")) break;
            for (int n = 0; n < entry.count(); ++n)
                made.push_back({entry.names[static_cast<std::size_t>(n)].name,
                                entry.names[static_cast<std::size_t>(n)].context, side, png});
        }
        if (made.size() != kThemeSides.size() * static_cast<std::size_t>(entry.count())) continue;
        for (int n = 0; n < entry.count(); ++n) done.insert(entry.names[static_cast<std::size_t>(n)].name);
        pictures.insert(pictures.end(), made.begin(), made.end());
    }
    return pictures;
}

}  // namespace desktop
