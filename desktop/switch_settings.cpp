// The switch table, against each desktop's own settings: Debian's
// gsettings-desktop-schemas, cinnamon-desktop-data and mate-desktop-common schemas,
// Xfce's xsettings channel and Plasma's kdeglobals.
//
// Switches with no row: the shut-down entry, favourites, the recent-documents menu
// on its own, search, the network icon, not saving the desktop, the context menus,
// the taskbar and folder options, the active desktop, updates, the menu editor, the
// shortcut arrows and wording, smooth scrolling and the floppy buffers are no user
// setting on these desktops; they keep their registry-only effect.
#include "desktop/switch_settings.h"

#include <array>

namespace desktop {
namespace {

using platform::DesktopKind;
using enum SettingsStore;

constexpr std::array kSettings{
    SwitchSetting{"NoRecentDocsHistory", DesktopKind::Gnome, GSettings, "org.gnome.desktop.privacy", "remember-recent-files", "false"},
    SwitchSetting{"NoRun", DesktopKind::Gnome, GSettings, "org.gnome.desktop.lockdown", "disable-command-line", "true"},
    SwitchSetting{"NoLogOff", DesktopKind::Gnome, GSettings, "org.gnome.desktop.lockdown", "disable-log-out", "true"},
    SwitchSetting{"MinAnimate", DesktopKind::Gnome, GSettings, "org.gnome.desktop.interface", "enable-animations", "false"},
    SwitchSetting{"AutoInsertNotification", DesktopKind::Gnome, GSettings, "org.gnome.desktop.media-handling", "autorun-never", "true"},

    SwitchSetting{"NoRecentDocsHistory", DesktopKind::Cinnamon, GSettings, "org.cinnamon.desktop.privacy", "remember-recent-files", "false"},
    SwitchSetting{"NoRun", DesktopKind::Cinnamon, GSettings, "org.cinnamon.desktop.lockdown", "disable-command-line", "true"},
    SwitchSetting{"NoLogOff", DesktopKind::Cinnamon, GSettings, "org.cinnamon.desktop.lockdown", "disable-log-out", "true"},
    SwitchSetting{"MinAnimate", DesktopKind::Cinnamon, GSettings, "org.cinnamon.desktop.interface", "enable-animations", "false"},
    SwitchSetting{"AutoInsertNotification", DesktopKind::Cinnamon, GSettings, "org.cinnamon.desktop.media-handling", "autorun-never", "true"},

    // MATE keeps recent files and media handling in its file manager's schemas, not the desktop's.
    SwitchSetting{"NoRun", DesktopKind::Mate, GSettings, "org.mate.lockdown", "disable-command-line", "true"},
    SwitchSetting{"NoLogOff", DesktopKind::Mate, GSettings, "org.mate.lockdown", "disable-log-out", "true"},
    SwitchSetting{"MinAnimate", DesktopKind::Mate, GSettings, "org.mate.interface", "enable-animations", "false"},

    // xfsettingsd hands these on to every GTK program as XSETTINGS.
    SwitchSetting{"NoRecentDocsHistory", DesktopKind::Xfce, Xfconf, "xsettings", "/Gtk/RecentFilesEnabled", "false"},
    SwitchSetting{"MinAnimate", DesktopKind::Xfce, Xfconf, "xsettings", "/Gtk/EnableAnimations", "false"},

    // The kiosk's action restrictions name actions by these words.
    SwitchSetting{"NoRecentDocsHistory", DesktopKind::Kde, Kdeglobals, "RecentDocuments", "UseRecent", "false"},
    SwitchSetting{"NoRun", DesktopKind::Kde, Kdeglobals, "KDE Action Restrictions", "run_command", "false"},
    SwitchSetting{"NoLogOff", DesktopKind::Kde, Kdeglobals, "KDE Action Restrictions", "logout", "false"},
    SwitchSetting{"MinAnimate", DesktopKind::Kde, Kdeglobals, "KDE", "AnimationDurationFactor", "0"},
};

}  // namespace

SettingPlace SwitchSetting::place() const {
    auto text = [](std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); };
    return {store, text(group), text(key)};
}

std::span<const SwitchSetting> switchSettings() { return kSettings; }

const SwitchSetting* switchSetting(std::string_view valueName, DesktopKind kind) {
    for (const SwitchSetting& s : kSettings)
        if (s.valueName == valueName && s.desktop == kind) return &s;
    return nullptr;
}

}  // namespace desktop
