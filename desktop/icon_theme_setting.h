// Where each desktop names its icon theme, and the theme name in that store's notation.
#pragma once

#include <optional>

#include <QString>

#include "desktop/desktop_settings.h"
#include "platform/desktop_kind.h"

namespace desktop {

// The icon theme's setting on `kind`; nothing for an unknown desktop.
std::optional<SettingPlace> iconThemePlace(platform::DesktopKind kind);

// A theme name as the store holds it, and back; nothing when `stored` is no name.
QString storedThemeName(SettingsStore store, const QString& theme);
std::optional<QString> themeNameOf(SettingsStore store, const QString& stored);

// A text in GVariant's quoted form, as GSettings prints it.
QString gvariantString(const QString& text);
// The text of a quoted GVariant string; nothing when `printed` is not one.
std::optional<QString> parseGvariantString(const QString& printed);

}  // namespace desktop
