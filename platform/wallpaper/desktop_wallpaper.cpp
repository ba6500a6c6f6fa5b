// Setting the wallpaper through the desktop's settings tools.
#include "platform/wallpaper/desktop_wallpaper.h"

#include <QFile>
#include <QProcess>
#include <QUrl>

namespace platform {

int ProcessRunner::run(const QString& program, const QStringList& args, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args, QIODevice::ReadOnly);
    if (!process.waitForStarted(5000)) return -1;
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished(1000);
        return -1;
    }
    if (output) *output = QString::fromLocal8Bit(process.readAll());
    if (process.exitStatus() != QProcess::NormalExit) return -1;
    return process.exitCode();
}

DesktopWallpaper::DesktopWallpaper() : environment_(processEnvironment()), runner_(ownRunner_) {}

DesktopWallpaper::DesktopWallpaper(Environment environment, CommandRunner& runner)
    : environment_(std::move(environment)), runner_(runner) {}

bool DesktopWallpaper::set(const QString& path) {
    if (const QString log = environment_("SUITE_WALLPAPER_LOG"); !log.isEmpty()) {
        QFile file(log);
        if (!file.open(QIODevice::Append | QIODevice::Text)) return false;
        const QByteArray line = "wallpaper " + path.toUtf8() + "\n";
        return file.write(line) == line.size();
    }
    for (DesktopKind desktop : currentDesktops(environment_)) {
        if (setFor(desktop, path)) return true;
    }
    return false;
}

bool DesktopWallpaper::setFor(DesktopKind desktop, const QString& path) {
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    switch (desktop) {
    case DesktopKind::Kde:
        return runner_.run(QStringLiteral("plasma-apply-wallpaperimage"), {path}, nullptr) == 0;
    case DesktopKind::Xfce:
        return xfce(path);
    case DesktopKind::Mate:
        return gsettings(QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"),
                         path);
    case DesktopKind::Cinnamon:
        return gsettings(QStringLiteral("org.cinnamon.desktop.background"),
                         QStringLiteral("picture-uri"), uri);
    case DesktopKind::Gnome: {
        const QString schema = QStringLiteral("org.gnome.desktop.background");
        if (!gsettings(schema, QStringLiteral("picture-uri"), uri)) return false;
        // Only desktops with a dark style have this key; without it the light one is enough.
        gsettings(schema, QStringLiteral("picture-uri-dark"), uri);
        return true;
    }
    case DesktopKind::Unknown:
        break;
    }
    return false;
}

bool DesktopWallpaper::gsettings(const QString& schema, const QString& key, const QString& value) {
    return runner_.run(QStringLiteral("gsettings"),
                       {QStringLiteral("set"), schema, key, value}, nullptr) == 0;
}

bool DesktopWallpaper::xfce(const QString& path) {
    QString listing;
    const QString channel = QStringLiteral("xfce4-desktop");
    if (runner_.run(QStringLiteral("xfconf-query"), {QStringLiteral("-c"), channel, QStringLiteral("-l")},
                    &listing) != 0)
        return false;
    bool any = false;
    for (const QString& line : listing.split(u'\n', Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (!property.endsWith(u"/last-image")) continue;
        if (runner_.run(QStringLiteral("xfconf-query"),
                        {QStringLiteral("-c"), channel, QStringLiteral("-p"), property,
                         QStringLiteral("-s"), path},
                        nullptr) != 0)
            return false;
        any = true;
    }
    return any;
}

}  // namespace platform
