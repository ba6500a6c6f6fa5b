// Fuzzes the parsers of outside text: stored "path,number" values (the store can be
// edited by hand and imported), the strings GSettings prints, and kdeglobals files.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <QString>

#include "desktop/icon_choices.h"
#include "desktop/icon_theme_setting.h"
#include "desktop/kde_config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto choice = desktop::parseIconValue(text)) {
        if (choice->number < 0 || choice->file.size() >= size) __builtin_trap();
    }
    const QString printed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (auto parsed = desktop::parseGvariantString(printed)) {
        // What gsettings would be given back must parse to the same text.
        if (desktop::parseGvariantString(desktop::gvariantString(*parsed)) != parsed) __builtin_trap();
    }
    // An entry set in any file reads back as set, unless the file locks it.
    const std::string value = " a\\b\nc ";
    if (auto changed = desktop::withKdeEntry(text, "Icons", "Theme", value)) {
        if (desktop::kdeEntry(*changed, "Icons", "Theme") != value) __builtin_trap();
        if (auto removed = desktop::withKdeEntry(*changed, "Icons", "Theme", std::nullopt))
            if (desktop::kdeEntry(*removed, "Icons", "Theme")) __builtin_trap();
    }
    return 0;
}
