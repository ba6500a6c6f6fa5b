// The desktop's own setting that names the icon theme, read and written through its tools.
#pragma once

#include <optional>

#include <QString>

#include "platform/desktop_kind.h"
#include "platform/wallpaper/desktop_wallpaper.h"

namespace desktop {

class IconThemeSetting {
public:
    IconThemeSetting(platform::DesktopKind kind, platform::CommandRunner& runner);

    // The theme named now; empty text when the desktop's default is in force; nothing
    // when the desktop's service did not answer or the desktop is not known.
    std::optional<QString> current();
    bool set(const QString& theme);
    // Back to the desktop's default.
    bool reset();

private:
    bool gsettings(const QStringList& args, QString* output = nullptr);
    bool kde(const QStringList& args, QString* output = nullptr);
    void kdeNotify();

    platform::DesktopKind kind_;
    platform::CommandRunner& runner_;
};

// A text in GVariant's quoted form, as gsettings takes and prints it.
QString gvariantString(const QString& text);
// The text of a quoted GVariant string; nothing when `printed` is not one.
std::optional<QString> parseGvariantString(const QString& printed);

}  // namespace desktop
