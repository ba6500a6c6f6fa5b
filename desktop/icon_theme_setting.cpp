// Reading and naming the icon theme on each desktop: gsettings for the GNOME family,
// Cinnamon and MATE, xfconf for Xfce, kdeglobals and its change signal for Plasma.
#include "desktop/icon_theme_setting.h"

namespace desktop {
namespace {

using platform::DesktopKind;

QString interfaceSchema(DesktopKind kind) {
    switch (kind) {
    case DesktopKind::Gnome: return QStringLiteral("org.gnome.desktop.interface");
    case DesktopKind::Cinnamon: return QStringLiteral("org.cinnamon.desktop.interface");
    case DesktopKind::Mate: return QStringLiteral("org.mate.interface");
    default: return {};
    }
}

const QStringList kXfceProperty = {QStringLiteral("-c"), QStringLiteral("xsettings"), QStringLiteral("-p"),
                                   QStringLiteral("/Net/IconThemeName")};
const QStringList kKdeKey = {QStringLiteral("--file"), QStringLiteral("kdeglobals"), QStringLiteral("--group"),
                             QStringLiteral("Icons"), QStringLiteral("--key"), QStringLiteral("Theme")};

}  // namespace

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

IconThemeSetting::IconThemeSetting(DesktopKind kind, platform::CommandRunner& runner)
    : kind_(kind), runner_(runner) {}

bool IconThemeSetting::gsettings(const QStringList& args, QString* output) {
    return runner_.run(QStringLiteral("gsettings"), args, output) == 0;
}

bool IconThemeSetting::kde(const QStringList& args, QString* output) {
    // Plasma 6 ships the tools with a 6, Plasma 5 with a 5; try the newer first.
    const bool read = args.isEmpty() || args.front() != QStringLiteral("write");
    const QStringList rest = args.mid(1);
    for (const char* version : {"6", "5"}) {
        const QString tool = (read ? QStringLiteral("kreadconfig") : QStringLiteral("kwriteconfig")) +
                             QString::fromLatin1(version);
        const int code = runner_.run(tool, rest, output);
        if (code == 0) return true;
        if (code != -1) return false;  // there, but refused
    }
    return false;
}

void IconThemeSetting::kdeNotify() {
    // What Plasma's own settings send: icon loaders reload, and the global-settings
    // listeners hear of an icon change (change type 4).
    runner_.run(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--type=signal"), QStringLiteral("/KIconLoader"),
                 QStringLiteral("org.kde.KIconLoader.iconChanged"), QStringLiteral("int32:0")},
                nullptr);
    runner_.run(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--type=signal"), QStringLiteral("/KGlobalSettings"),
                 QStringLiteral("org.kde.KGlobalSettings.notifyChange"), QStringLiteral("int32:4"),
                 QStringLiteral("int32:0")},
                nullptr);
}

std::optional<QString> IconThemeSetting::current() {
    QString out;
    switch (kind_) {
    case DesktopKind::Gnome:
    case DesktopKind::Cinnamon:
    case DesktopKind::Mate:
        if (!gsettings({QStringLiteral("get"), interfaceSchema(kind_), QStringLiteral("icon-theme")}, &out))
            return std::nullopt;
        return parseGvariantString(out);
    case DesktopKind::Xfce: {
        const int code = runner_.run(QStringLiteral("xfconf-query"), kXfceProperty, &out);
        if (code == 0) return out.trimmed();
        // Unset until the user first picks a theme: the default is in force.
        if (code > 0 && out.contains(QStringLiteral("does not exist"))) return QString();
        return std::nullopt;
    }
    case DesktopKind::Kde:
        if (!kde(QStringList{QStringLiteral("read")} + kKdeKey, &out)) return std::nullopt;
        return out.trimmed();
    case DesktopKind::Unknown:
        break;
    }
    return std::nullopt;
}

bool IconThemeSetting::set(const QString& theme) {
    switch (kind_) {
    case DesktopKind::Gnome:
    case DesktopKind::Cinnamon:
    case DesktopKind::Mate:
        return gsettings({QStringLiteral("set"), interfaceSchema(kind_), QStringLiteral("icon-theme"),
                          gvariantString(theme)});
    case DesktopKind::Xfce:
        return runner_.run(QStringLiteral("xfconf-query"),
                           kXfceProperty + QStringList{QStringLiteral("--create"), QStringLiteral("-t"),
                                                       QStringLiteral("string"), QStringLiteral("-s"), theme},
                           nullptr) == 0;
    case DesktopKind::Kde:
        if (!kde(QStringList{QStringLiteral("write")} + kKdeKey + QStringList{theme})) return false;
        kdeNotify();
        return true;
    case DesktopKind::Unknown:
        break;
    }
    return false;
}

bool IconThemeSetting::reset() {
    switch (kind_) {
    case DesktopKind::Gnome:
    case DesktopKind::Cinnamon:
    case DesktopKind::Mate:
        return gsettings({QStringLiteral("reset"), interfaceSchema(kind_), QStringLiteral("icon-theme")});
    case DesktopKind::Xfce:
        return runner_.run(QStringLiteral("xfconf-query"), kXfceProperty + QStringList{QStringLiteral("-r")},
                           nullptr) == 0;
    case DesktopKind::Kde:
        if (!kde(QStringList{QStringLiteral("write")} + kKdeKey + QStringList{QStringLiteral("--delete")}))
            return false;
        kdeNotify();
        return true;
    case DesktopKind::Unknown:
        break;
    }
    return false;
}

}  // namespace desktop
