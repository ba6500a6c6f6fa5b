// The suite's icon theme folder: written and removed without touching anything else.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <QStringList>

#include "desktop/icon_choices.h"

namespace desktop {

inline constexpr char kThemeName[] = "shellstyle-suite";
// Present in every theme folder the suite made; nothing else is ever removed.
inline constexpr char kMarkerName[] = ".made-by-shellstyle-suite";

class ThemeFolder {
public:
    // `dataHome` is ${XDG_DATA_HOME:-~/.local/share}; the theme is icons/shellstyle-suite below it.
    explicit ThemeFolder(std::filesystem::path dataHome);

    const std::filesystem::path& root() const { return root_; }

    // Builds the whole theme (index.theme inheriting `inherits`, then hicolor, and the
    // pictures) in a folder beside it and swaps it in with one rename, so a reader finds
    // the old theme or the new one, never a mix. Files of someone else's in the old
    // folder move into the new one. Refuses a folder the suite did not make and any
    // symbolic link on the way. `error` says why in one line.
    bool write(const std::vector<ThemePicture>& pictures, const QStringList& inherits, std::string* error);

    // Removes what the suite wrote there, and the folder once nothing else is left in it.
    // Never looks into a link. True when no folder of the suite's remains (also when
    // there was none).
    bool remove(std::string* error);

    // Whether the folder is there and the suite made it.
    bool ours() const;

private:
    bool checkPlace(std::string* error) const;

    std::filesystem::path icons_;
    std::filesystem::path root_;
};

// The text of index.theme for the pictures' folders.
std::string indexTheme(const std::vector<ThemePicture>& pictures, const QStringList& inherits);

}  // namespace desktop
