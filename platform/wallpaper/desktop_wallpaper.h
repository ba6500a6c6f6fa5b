// The wallpaper set through the running desktop's own settings service.
#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "platform/desktop_kind.h"
#include "platform/wallpaper/wallpaper.h"

namespace platform {

// Runs a program to its end; returns its exit code, or -1 when it could not be started,
// crashed or took too long. `output` (when given) receives what it printed.
// ProcessRunner runs it with LC_ALL=C, gives it 10 s in all and keeps at most the
// first 64 KiB of its output.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    virtual int run(const QString& program, const QStringList& args, QString* output) = 0;
};

class ProcessRunner final : public CommandRunner {
public:
    int run(const QString& program, const QStringList& args, QString* output) override;
};

// GNOME, Budgie, Unity and Pantheon through gsettings picture-uri (and picture-uri-dark
// where the desktop has it), Cinnamon and MATE through their own gsettings schemas, KDE
// Plasma through plasma-apply-wallpaperimage, Xfce through xfconf-query on every
// monitor's last-image. The desktop is named by $XDG_CURRENT_DESKTOP (else
// $DESKTOP_SESSION). When $SUITE_WALLPAPER_LOG names a file, a line is appended there
// instead and nothing else happens (the test sandbox sets it).
class DesktopWallpaper final : public Wallpaper {
public:
    using Environment = platform::Environment;

    DesktopWallpaper();
    DesktopWallpaper(Environment environment, CommandRunner& runner);

    bool set(const QString& path) override;

private:
    bool setFor(DesktopKind desktop, const QString& path);
    bool gsettings(const QString& schema, const QString& key, const QString& value);
    bool xfce(const QString& path);

    Environment environment_;
    ProcessRunner ownRunner_;
    CommandRunner& runner_;
};

}  // namespace platform
