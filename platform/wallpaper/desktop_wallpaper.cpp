// Setting the wallpaper through the desktop's settings tools.
#include "platform/wallpaper/desktop_wallpaper.h"

#include <algorithm>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QUrl>

namespace platform {

namespace {

// One limit for a tool's whole run, and the most of its output kept: a listing of
// xfconf's wallpaper properties is a few kilobytes.
constexpr int kRunLimitMs = 10000;
constexpr qint64 kOutputCap = 64 * 1024;

}  // namespace

int ProcessRunner::run(const QString& program, const QStringList& args, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));  // output read as it is, not translated
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, args, QIODevice::ReadOnly);
    if (!process.waitForStarted(kRunLimitMs)) return -1;
    QByteArray kept;
    // Read as it comes, so a tool that prints without end neither stalls on a full pipe
    // nor fills memory: past the cap its output is dropped.
    while (process.state() != QProcess::NotRunning) {
        const qint64 left = kRunLimitMs - clock.elapsed();
        if (left <= 0) {
            process.kill();
            process.waitForFinished(1000);
            return -1;
        }
        process.waitForReadyRead(static_cast<int>(std::min<qint64>(left, 100)));
        const QByteArray chunk = process.readAll();
        if (kept.size() < kOutputCap) kept.append(chunk.left(kOutputCap - kept.size()));
    }
    const QByteArray rest = process.readAll();
    if (kept.size() < kOutputCap) kept.append(rest.left(kOutputCap - kept.size()));
    if (output) *output = QString::fromUtf8(kept);
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
