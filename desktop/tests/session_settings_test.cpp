// The session's real settings stores on a private bus: dconf through GIO, xfconfd
// through D-Bus, kdeglobals as Plasma's own programs read and write it, and the change
// signals Plasma listens for. Every switch row and every desktop's theme setting is
// checked with that desktop's own command. Run under dbus-run-session.
#include "desktop/session_settings.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include "desktop/bridge.h"
#include "desktop/icon_theme_setting.h"
#include "desktop/switch_settings.h"
#include "desktop/tests/desktop_fixture.h"
#include "platform/safe_file.h"

namespace desktop {
namespace {

using testing::DesktopTest;
using platform::DesktopKind;
namespace fs = std::filesystem;

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return QStringLiteral("(timed out)");
    }
    return QString::fromUtf8(p.readAll()).trimmed();
}

// What the desktop's own command says the setting is.
QString desktopReads(const SettingPlace& p) {
    switch (p.store) {
    case SettingsStore::GSettings: return run("gsettings", {"get", p.group, p.key});
    case SettingsStore::Xfconf: return run("xfconf-query", {"-c", p.group, "-p", p.key});
    case SettingsStore::Kdeglobals: return run("kreadconfig5", {"--file", "kdeglobals", "--group", p.group, "--key", p.key});
    }
    return {};
}
// How the command prints a value the bridge writes (xfconf-query prints strings bare).
QString printedForm(SettingsStore store, const QString& value) {
    return store == SettingsStore::Xfconf ? parseGvariantString(value).value_or(value) : value;
}

const char* desktopName(DesktopKind kind) {
    switch (kind) {
    case DesktopKind::Gnome: return "GNOME";
    case DesktopKind::Cinnamon: return "X-Cinnamon";
    case DesktopKind::Mate: return "MATE";
    case DesktopKind::Xfce: return "XFCE";
    case DesktopKind::Kde: return "KDE";
    case DesktopKind::Unknown: break;
    }
    return "";
}

class SessionTest : public DesktopTest {
protected:
    fs::path configHome() const { return fs::path(qEnvironmentVariable("XDG_CONFIG_HOME").toStdString()); }
    platform::Environment on(DesktopKind kind) {
        const QString name = QString::fromLatin1(desktopName(kind));
        return [name](const char* var) { return QString::fromLatin1(var) == u"XDG_CURRENT_DESKTOP" ? name : QString(); };
    }
};

TEST_F(SessionTest, EverySwitchRowIsSetAndResetAsTheDesktopsToolReadsIt) {
    auto settings = sessionSettings(configHome(), {});
    for (const SwitchSetting& row : switchSettings()) {
        std::size_t i = 0;
        while (systune::switchTable()[i].valueName != row.valueName) ++i;
        Bridge bridge(on(row.desktop), *settings, dataHome);
        const SettingPlace place = row.place();
        const QString before = desktopReads(place);
        DesiredSwitches wanted{};
        wanted[i] = true;
        const BridgeResult set = bridge.applySwitches(wanted);
        ASSERT_TRUE(set.ok) << set.reason;
        const QString ticked = QString::fromLatin1(row.whenTicked.data(), static_cast<qsizetype>(row.whenTicked.size()));
        EXPECT_EQ(desktopReads(place), printedForm(row.store, ticked)) << place.text().toStdString();
        wanted[i] = false;
        ASSERT_TRUE(bridge.applySwitches(wanted).ok);
        EXPECT_EQ(desktopReads(place), before) << place.text().toStdString();
    }
}

TEST_F(SessionTest, EachDesktopsThemeSettingTakesTheThemeAndGoesBack) {
    auto settings = sessionSettings(configHome(), {});
    // The user's own choice, made with the desktop's commands, is what restore names back.
    run("gsettings", {"set", "org.mate.interface", "icon-theme", "'Earlier'"});
    // Xfce's: reset, Xfce's shipped default (Tango) answers, as on a fresh account.
    run("xfconf-query", {"-c", "xsettings", "-p", "/Net/IconThemeName", "-r"});
    run("kwriteconfig5", {"--file", "kdeglobals", "--group", "Icons", "--key", "Theme", "Earlier"});
    for (DesktopKind kind : {DesktopKind::Gnome, DesktopKind::Cinnamon, DesktopKind::Mate, DesktopKind::Xfce, DesktopKind::Kde}) {
        const SettingPlace place = *iconThemePlace(kind);
        const QString before = desktopReads(place);
        Bridge bridge(on(kind), *settings, dataHome);
        preset();
        BridgeResult r = bridge.applyIcons(readIconChoices(reg), false);
        ASSERT_TRUE(r.ok) << desktopName(kind) << ": " << r.reason;
        EXPECT_EQ(desktopReads(place), printedForm(place.store, storedThemeName(place.store, "shellstyle-suite")));
        if (kind == DesktopKind::Mate || kind == DesktopKind::Kde) {
            EXPECT_NE(platform::readRegularFile(themeRoot() / "index.theme", 1 << 16).bytes.find("Inherits=Earlier,hicolor"),
                      std::string::npos) << desktopName(kind);
        }
        shellstyle::restoreAllIcons(reg);
        r = bridge.applyIcons(readIconChoices(reg), false);
        ASSERT_TRUE(r.ok) << desktopName(kind) << ": " << r.reason;
        EXPECT_EQ(desktopReads(place), before) << desktopName(kind);
    }
}

TEST_F(SessionTest, PlasmaHearsOfTheChangeAndASystemLockIsReported) {
    QProcess monitor;
    monitor.start("dbus-monitor", {"--session", "type='signal',path='/kdeglobals'", "type='signal',path='/KIconLoader'",
                                   "type='signal',path='/KGlobalSettings'"});
    ASSERT_TRUE(monitor.waitForStarted());
    QThread::msleep(300);  // dbus-monitor has its match rules in place
    auto settings = sessionSettings(configHome(), {});
    Bridge bridge(on(DesktopKind::Kde), *settings, dataHome);
    preset();
    ASSERT_TRUE(bridge.applyIcons(readIconChoices(reg), false).ok);
    QThread::msleep(500);  // the signals have reached dbus-monitor
    monitor.terminate();
    monitor.waitForFinished();
    const QString seen = QString::fromUtf8(monitor.readAll());
    EXPECT_TRUE(seen.contains("member=ConfigChanged")) << seen.toStdString();
    EXPECT_TRUE(seen.contains("string \"Icons\"")) << seen.toStdString();
    EXPECT_TRUE(seen.contains("member=iconChanged"));
    EXPECT_TRUE(seen.contains("member=notifyChange"));

    // An administrator's lock in the system's kdeglobals: refused, and said so.
    const fs::path system = root / "xdg";
    fs::create_directories(system);
    ASSERT_TRUE(platform::writeFileAtomically(system / "kdeglobals", "[KDE Action Restrictions][$i]\nrun_command=true\n"));
    auto locked = sessionSettings(configHome(), {system});
    DesiredSwitches wanted{};
    std::size_t run = 0;
    while (systune::switchTable()[run].valueName != "NoRun") ++run;
    wanted[run] = true;
    const BridgeResult r = Bridge(on(DesktopKind::Kde), *locked, dataHome).applySwitches(wanted);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.reason.find("locked"), std::string::npos) << r.reason;
}

}  // namespace
}  // namespace desktop

// QtDBus, which sends Plasma's signals, wants an application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
