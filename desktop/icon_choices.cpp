// Reading the chosen icons from the store and rendering them at the theme's sizes.
#include "desktop/icon_choices.h"

#include <algorithm>
#include <charconv>
#include <map>
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

std::string ThemeSize::folder() const {
    std::string name = std::to_string(size) + "x" + std::to_string(size);
    if (scale != 1) name += "@" + std::to_string(scale);
    if (scalable) name += "-scalable";
    return name;
}

namespace {

// The fixed sizes, in pixels at scale 1: the desktops' usual steps up to kLargestSide.
constexpr int kFixedSides[] = {16, 22, 24, 32, 48, 64, 96, 128, 256};
// Pictures up to this many pixels are made for every icon, scaled up from a smaller
// image where it has none, as the desktops would; larger ones only from a larger image.
constexpr int kAlwaysUpTo = 48;

// The Scalable folder an icon whose largest image has `largest` pixels goes in: the
// largest fixed size the image reaches; none when it reaches kLargestSide.
int scalableSide(int largest) {
    int side = kFixedSides[0];
    for (int fixed : kFixedSides)
        if (fixed <= largest) side = fixed;
    return side >= kLargestSide ? 0 : side;
}

bool fits(const ThemeSize& size, int largest) {
    if (size.scalable) return size.size == scalableSide(largest);
    return size.pixels() <= kAlwaysUpTo || size.pixels() <= largest;
}

}  // namespace

std::span<const ThemeSize> themeSizes() {
    static const std::vector<ThemeSize> sizes = [] {
        std::vector<ThemeSize> all;
        for (int side : kFixedSides) all.push_back({side});
        // Scale 2 where its pixels are those of a fixed size, so it costs no image of its
        // own, or small enough to cost little (22@2 at 44 pixels).
        for (int side : kFixedSides)
            if (side * 2 <= kAlwaysUpTo || std::ranges::find(kFixedSides, side * 2) != std::end(kFixedSides))
                all.push_back({side, 2});
        for (int side : kFixedSides)
            if (side < kLargestSide) all.push_back({side, 1, true});
        return all;
    }();
    return sizes;
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
    const auto targets = shellstyle::iconTargets();
    for (std::size_t row = 0; row < choices.size(); ++row) {
        if (!choices[row]) continue;
        const IconNames* names = iconNamesOf(targets[row]);
        if (!names || names->count() == 0) continue;
        const IconNames& entry = *names;
        if (done.contains(entry.names[0].name)) continue;
        const std::filesystem::path file = std::filesystem::path(choices[row]->file);
        const int number = choices[row]->number;
        const int largest = platform::iconLargestSide(file, number);
        std::map<int, QByteArray> pngs;  // by pixels: one image for every folder of that many
        std::vector<ThemePicture> made;
        bool whole = largest > 0;
        for (const ThemeSize& size : themeSizes()) {
            if (!whole) break;  // gone or damaged: the inherited theme answers instead
            if (!fits(size, largest)) continue;
            auto png = pngs.find(size.pixels());
            if (png == pngs.end()) {
                const auto image = platform::iconImageOfSide(file, number, size.pixels());
                QByteArray bytes;
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                whole = image && image->save(&buffer, "PNG");
                png = pngs.emplace(size.pixels(), bytes).first;
            }
            for (int n = 0; n < entry.count(); ++n)
                made.push_back({entry.names[static_cast<std::size_t>(n)].name,
                                entry.names[static_cast<std::size_t>(n)].context, size, png->second});
        }
        if (!whole) continue;
        for (int n = 0; n < entry.count(); ++n) done.insert(entry.names[static_cast<std::size_t>(n)].name);
        pictures.insert(pictures.end(), made.begin(), made.end());
    }
    return pictures;
}

}  // namespace desktop
