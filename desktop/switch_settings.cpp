// The switch table, against Debian's gsettings-desktop-schemas.
#include "desktop/switch_settings.h"

namespace desktop {
namespace {

constexpr SwitchSetting none(std::string_view why) { return {{}, {}, {}, why}; }

constexpr std::array<SwitchSetting, systune::kSwitchCount> kSettings{{
    none("the shell menus' shut-down entry is not a user setting there"),        // NoClose
    {"org.gnome.desktop.privacy", "remember-recent-files", "false", {}},         // NoRecentDocsHistory
    none("no favourites menu"),                                                   // NoFavoritesMenu
    none("the recent-documents menu cannot be hidden on its own"),                // NoRecentDocsMenu
    none("search cannot be switched off by a setting"),                           // NoFind
    {"org.gnome.desktop.lockdown", "disable-command-line", "true", {}},          // NoRun
    {"org.gnome.desktop.lockdown", "disable-log-out", "true", {}},               // NoLogOff
    none("no network neighbourhood icon on the desktop"),                        // NoNetHood
    none("desktop settings are always kept"),                                     // NoSaveSetting
    none("context menus cannot be switched off by a setting"),                    // NoViewContextMenu
    none("the panel's menu cannot be switched off by a setting"),                 // NoTrayContextMenu
    none("no taskbar properties to lock"),                                        // NoSetTaskbar
    none("the file manager's options cannot be locked by a setting"),             // NoFolderOptions
    none("no active desktop"),                                                    // NoSetActiveDesktop
    none("updates are the package manager's, not a desktop setting"),             // NoWindowsUpdate
    none("the application menu cannot be locked by a setting"),                   // NoChangeStartMenu
    none("shortcuts carry no arrow there"),                                       // IsShortcut
    none("new links carry no added wording there"),                               // link
    {"org.gnome.desktop.interface", "enable-animations", "false", {}},           // MinAnimate
    none("smooth scrolling is each toolkit's own, not a desktop setting"),        // SmoothScroll
    none("floppy controller buffers are not a desktop setting"),                  // ForeFifo
    {"org.gnome.desktop.media-handling", "autorun-never", "true", {}, false},     // AutoInsertNotification
}};

}  // namespace

std::span<const SwitchSetting, systune::kSwitchCount> switchSettings() { return kSettings; }

}  // namespace desktop
