// Naming the running desktop from the session's environment.
#include "platform/desktop_kind.h"

#include <cstdlib>

#include <QStringList>

namespace platform {

Environment processEnvironment() {
    return [](const char* name) { return QString::fromLocal8Bit(std::getenv(name)); };
}

DesktopKind desktopKindOf(const QString& raw) {
    const QString desktop = raw.trimmed().toLower();
    if (desktop == u"kde" || desktop == u"plasma" || desktop.startsWith(u"plasma")) return DesktopKind::Kde;
    if (desktop == u"xfce" || desktop == u"xfce4") return DesktopKind::Xfce;
    if (desktop == u"mate") return DesktopKind::Mate;
    if (desktop == u"x-cinnamon" || desktop == u"cinnamon") return DesktopKind::Cinnamon;
    if (desktop == u"gnome" || desktop == u"budgie" || desktop == u"budgie-desktop" || desktop == u"unity" ||
        desktop == u"pantheon" || desktop == u"ubuntu" || desktop == u"gnome-classic" ||
        desktop == u"gnome-flashback")
        return DesktopKind::Gnome;
    return DesktopKind::Unknown;
}

std::vector<DesktopKind> currentDesktops(const Environment& environment) {
    QString desktops = environment("XDG_CURRENT_DESKTOP");
    if (desktops.isEmpty()) desktops = environment("DESKTOP_SESSION");
    // The list names the desktop and what it derives from, most specific first.
    std::vector<DesktopKind> kinds;
    for (const QString& name : desktops.split(u':', Qt::SkipEmptyParts)) {
        if (DesktopKind kind = desktopKindOf(name); kind != DesktopKind::Unknown) kinds.push_back(kind);
    }
    return kinds;
}

}  // namespace platform
