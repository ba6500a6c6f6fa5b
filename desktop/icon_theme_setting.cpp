// The icon theme's setting per desktop: GSettings for the GNOME family, Cinnamon and
// MATE, xsettings' /Net/IconThemeName in xfconf for Xfce, [Icons] Theme for Plasma.
#include "desktop/icon_theme_setting.h"

namespace desktop {

using platform::DesktopKind;

std::optional<SettingPlace> iconThemePlace(DesktopKind kind) {
    switch (kind) {
    case DesktopKind::Gnome: return SettingPlace{SettingsStore::GSettings, "org.gnome.desktop.interface", "icon-theme"};
    case DesktopKind::Cinnamon:
        return SettingPlace{SettingsStore::GSettings, "org.cinnamon.desktop.interface", "icon-theme"};
    case DesktopKind::Mate: return SettingPlace{SettingsStore::GSettings, "org.mate.interface", "icon-theme"};
    case DesktopKind::Xfce: return SettingPlace{SettingsStore::Xfconf, "xsettings", "/Net/IconThemeName"};
    case DesktopKind::Kde: return SettingPlace{SettingsStore::Kdeglobals, "Icons", "Theme"};
    case DesktopKind::Unknown: break;
    }
    return std::nullopt;
}

QString storedThemeName(SettingsStore store, const QString& theme) {
    return store == SettingsStore::Kdeglobals ? theme : gvariantString(theme);
}

std::optional<QString> themeNameOf(SettingsStore store, const QString& stored) {
    if (store == SettingsStore::Kdeglobals) return stored.trimmed();
    return parseGvariantString(stored);
}

QString gvariantString(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + quoted + u'\'';
}

std::optional<QString> parseGvariantString(const QString& printed) {
    const QString t = printed.trimmed();
    if (t.size() < 2) return std::nullopt;
    const QChar quote = t.front();
    if ((quote != u'\'' && quote != u'"') || t.back() != quote) return std::nullopt;
    QString out;
    for (qsizetype i = 1; i + 1 < t.size(); ++i) {
        if (t[i] == u'\\' && i + 2 < t.size()) ++i;
        out += t[i];
    }
    return out;
}

}  // namespace desktop
