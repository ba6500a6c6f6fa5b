// Which desktop the user runs, from the names in $XDG_CURRENT_DESKTOP.
#pragma once

#include <functional>
#include <vector>

#include <QString>

namespace platform {

// Desktops grouped by the settings service they share.
enum class DesktopKind {
    Unknown,
    Gnome,     // GNOME and the desktops on its settings: Budgie, Unity, Pantheon, Ubuntu's
    Cinnamon,
    Mate,
    Xfce,
    Kde,       // KDE Plasma
};

using Environment = std::function<QString(const char* name)>;

// The process's own environment.
Environment processEnvironment();

// The kind of one desktop name as $XDG_CURRENT_DESKTOP spells it (any case).
DesktopKind desktopKindOf(const QString& name);

// The known kinds named by $XDG_CURRENT_DESKTOP (else $DESKTOP_SESSION), most specific
// first, as the list gives them; unknown names are left out.
std::vector<DesktopKind> currentDesktops(const Environment& environment);

}  // namespace platform
