// Tests of the desktop wallpaper service, with the desktop tools replaced by a recorder.
#include "platform/wallpaper/desktop_wallpaper.h"

#include <map>
#include <string>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace platform {
namespace {

struct Call {
    QString program;
    QStringList args;
};

class ScriptedRunner final : public CommandRunner {
public:
    std::vector<Call> calls;
    std::map<QString, int> exitCodes;  // by "program first-arg...", default 0
    QString listing;

    int run(const QString& program, const QStringList& args, QString* output) override {
        calls.push_back({program, args});
        if (output) *output = listing;
        const QString key = program + u' ' + args.join(u' ');
        for (const auto& [prefix, code] : exitCodes)
            if (key.startsWith(prefix)) return code;
        return 0;
    }
};

DesktopWallpaper::Environment env(std::map<std::string, QString> vars) {
    return [vars](const char* name) {
        auto it = vars.find(name);
        return it == vars.end() ? QString() : it->second;
    };
}

const QString kPath = QStringLiteral("/home/u/my pics/ok.bmp");
const QString kUri = QStringLiteral("file:///home/u/my%20pics/ok.bmp");

TEST(DesktopWallpaper, GnomeSetsLightAndDarkUriAndToleratesMissingDarkKey) {
    ScriptedRunner runner;
    runner.exitCodes[QStringLiteral("gsettings set org.gnome.desktop.background picture-uri-dark")] = 1;
    DesktopWallpaper w(env({{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}), runner);
    EXPECT_TRUE(w.set(kPath));
    ASSERT_EQ(runner.calls.size(), 2u);
    EXPECT_EQ(runner.calls[0].args,
              (QStringList{"set", "org.gnome.desktop.background", "picture-uri", kUri}));
    EXPECT_EQ(runner.calls[1].args[2], "picture-uri-dark");
}

TEST(DesktopWallpaper, FailureWhenTheServiceRefusesOrIsUnknown) {
    ScriptedRunner runner;
    runner.exitCodes[QStringLiteral("gsettings")] = 1;
    EXPECT_FALSE(DesktopWallpaper(env({{"XDG_CURRENT_DESKTOP", "GNOME"}}), runner).set(kPath));

    ScriptedRunner missing;
    missing.exitCodes[QStringLiteral("plasma-apply-wallpaperimage")] = -1;  // not installed
    EXPECT_FALSE(DesktopWallpaper(env({{"XDG_CURRENT_DESKTOP", "KDE"}}), missing).set(kPath));

    ScriptedRunner none;
    EXPECT_FALSE(DesktopWallpaper(env({}), none).set(kPath));
    EXPECT_FALSE(DesktopWallpaper(env({{"XDG_CURRENT_DESKTOP", "twm"}}), none).set(kPath));
    EXPECT_TRUE(none.calls.empty());
}

TEST(DesktopWallpaper, EachDesktopUsesItsOwnService) {
    ScriptedRunner kde;
    EXPECT_TRUE(DesktopWallpaper(env({{"XDG_CURRENT_DESKTOP", "KDE"}}), kde).set(kPath));
    ASSERT_EQ(kde.calls.size(), 1u);
    EXPECT_EQ(kde.calls[0].program, "plasma-apply-wallpaperimage");
    EXPECT_EQ(kde.calls[0].args, QStringList{kPath});

    ScriptedRunner mate;
    EXPECT_TRUE(DesktopWallpaper(env({{"DESKTOP_SESSION", "mate"}}), mate).set(kPath));
    EXPECT_EQ(mate.calls.at(0).args, (QStringList{"set", "org.mate.background", "picture-filename", kPath}));

    ScriptedRunner cinnamon;
    EXPECT_TRUE(DesktopWallpaper(env({{"XDG_CURRENT_DESKTOP", "X-Cinnamon"}}), cinnamon).set(kPath));
    EXPECT_EQ(cinnamon.calls.at(0).args.at(1), "org.cinnamon.desktop.background");
}

TEST(DesktopWallpaper, XfceSetsEveryMonitorAndNeedsAtLeastOne) {
    ScriptedRunner runner;
    runner.listing = QStringLiteral(
        "/backdrop/screen0/monitor0/workspace0/last-image\n"
        "/backdrop/screen0/monitor0/workspace0/image-style\n"
        "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n");
    EXPECT_TRUE(DesktopWallpaper(env({{"XDG_CURRENT_DESKTOP", "XFCE"}}), runner).set(kPath));
    ASSERT_EQ(runner.calls.size(), 3u);
    EXPECT_EQ(runner.calls[1].args,
              (QStringList{"-c", "xfce4-desktop", "-p",
                           "/backdrop/screen0/monitor0/workspace0/last-image", "-s", kPath}));
    EXPECT_EQ(runner.calls[2].args[3], "/backdrop/screen0/monitorHDMI-1/workspace0/last-image");

    ScriptedRunner empty;
    EXPECT_FALSE(DesktopWallpaper(env({{"XDG_CURRENT_DESKTOP", "XFCE"}}), empty).set(kPath));
}

TEST(DesktopWallpaper, LogVariableOnlyAppendsALine) {
    const QString log = QDir::temp().filePath(QStringLiteral("wallpaper-test.log"));
    QFile::remove(log);
    ScriptedRunner runner;
    DesktopWallpaper w(env({{"SUITE_WALLPAPER_LOG", log}, {"XDG_CURRENT_DESKTOP", "GNOME"}}), runner);
    EXPECT_TRUE(w.set(kPath));
    EXPECT_TRUE(w.set(QStringLiteral("/b.bmp")));
    EXPECT_TRUE(runner.calls.empty());
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "wallpaper " + kPath.toUtf8() + "\nwallpaper /b.bmp\n");

    DesktopWallpaper unwritable(env({{"SUITE_WALLPAPER_LOG", "/nonexistent-dir/x.log"}}), runner);
    EXPECT_FALSE(unwritable.set(kPath));
}

TEST(ProcessRunner, RunsInTheCLocaleAndKeepsABoundedOutput) {
    ProcessRunner runner;
    QString out;
    EXPECT_EQ(runner.run(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo \"$LC_ALL\"; exit 3")}, &out), 3);
    EXPECT_EQ(out, QStringLiteral("C\n"));
    // A tool that prints far more than any answer: the run ends, the output is capped.
    EXPECT_EQ(runner.run(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("head -c 3000000 /dev/zero | tr '\\0' x")}, &out), 0);
    EXPECT_EQ(out.size(), 64 * 1024);
    EXPECT_EQ(runner.run(QStringLiteral("/nonexistent/tool"), {}, &out), -1);
}

}  // namespace
}  // namespace platform
