// The bridge against scripted desktop tools: which settings it names, what it
// remembers, and how a missing or refusing service shows.
#include "desktop/bridge.h"

#include "desktop/switch_settings.h"
#include "desktop/tests/desktop_fixture.h"
#include "platform/safe_file.h"

namespace desktop {
namespace {

using testing::DesktopTest;
using testing::ScriptedRunner;
namespace fs = std::filesystem;

platform::Environment desktopNamed(const char* name) {
    return [name](const char* var) { return QString::fromLatin1(var) == u"XDG_CURRENT_DESKTOP" ? QString::fromLatin1(name) : QString(); };
}

std::string remembered(const Bridge& b) { return platform::readRegularFile(b.rememberedThemeFile(), 4096).bytes; }

std::size_t rowOf(std::string_view valueName) {
    for (std::size_t i = 0; i < systune::kSwitchCount; ++i)
        if (systune::switchTable()[i].valueName == valueName) return i;
    return systune::kSwitchCount;
}

TEST_F(DesktopTest, GnomeSwitchesToTheThemeRemembersTheOldOneAndGoesBack) {
    ScriptedRunner tools;
    tools.answers[QStringLiteral("gsettings get")] = {0, QStringLiteral("'Adwaita'\n")};
    Bridge bridge(desktopNamed("ubuntu:GNOME"), tools, dataHome);
    preset();
    ASSERT_TRUE(bridge.applyIcons(reg).ok);
    EXPECT_EQ(tools.calls, (QStringList{"gsettings get org.gnome.desktop.interface icon-theme",
                                        "gsettings set org.gnome.desktop.interface icon-theme 'shellstyle-suite'"}));
    EXPECT_EQ(remembered(bridge), "theme=Adwaita\n");

    // Applied again (at login) while the suite's theme is in force: the old one stays remembered.
    tools.answers[QStringLiteral("gsettings get")] = {0, QStringLiteral("'shellstyle-suite'\n")};
    ASSERT_TRUE(bridge.applyIcons(reg).ok);
    EXPECT_EQ(remembered(bridge), "theme=Adwaita\n");
    EXPECT_TRUE(fs::exists(themeRoot() / "index.theme"));

    tools.calls.clear();
    shellstyle::restoreAllIcons(reg);
    ASSERT_TRUE(bridge.applyIcons(reg).ok);
    EXPECT_EQ(tools.calls.back(), "gsettings set org.gnome.desktop.interface icon-theme 'Adwaita'");
    EXPECT_FALSE(fs::exists(themeRoot()));
    EXPECT_FALSE(fs::exists(bridge.rememberedThemeFile()));

    // Restoring again with nothing of the suite's in force touches nothing.
    tools.calls.clear();
    tools.answers[QStringLiteral("gsettings get")] = {0, QStringLiteral("'Yaru'\n")};
    ASSERT_TRUE(bridge.applyIcons(reg).ok);
    EXPECT_EQ(tools.calls, QStringList{"gsettings get org.gnome.desktop.interface icon-theme"});
}

TEST_F(DesktopTest, MissingOrRefusingServicesFailWithOneLine) {
    preset();
    ScriptedRunner missing;
    missing.answers[QStringLiteral("gsettings")] = {-1, {}};
    BridgeResult r = Bridge(desktopNamed("GNOME"), missing, dataHome).applyIcons(reg);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(r.reason.find('\n'), std::string::npos);

    ScriptedRunner refusing;
    refusing.answers[QStringLiteral("gsettings get")] = {0, QStringLiteral("'Adwaita'")};
    refusing.answers[QStringLiteral("gsettings set")] = {1, {}};
    EXPECT_FALSE(Bridge(desktopNamed("Budgie:GNOME"), refusing, dataHome).applyIcons(reg).ok);

    ScriptedRunner none;
    r = Bridge(desktopNamed("twm"), none, dataHome).applyIcons(reg);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(none.calls.empty());
    EXPECT_TRUE(fs::exists(themeRoot() / "index.theme"));  // written, only not in use

    // Going back while the service is away keeps the theme that the desktop still names.
    shellstyle::restoreAllIcons(reg);
    EXPECT_FALSE(Bridge(desktopNamed("GNOME"), missing, dataHome).applyIcons(reg).ok);
    EXPECT_TRUE(fs::exists(themeRoot() / "index.theme"));
}

// Xfce's real xfconfd is driven in the smoke test; Plasma's tools and the Cinnamon and
// MATE schemas are not among the test packages, so their calls are recorded here.
TEST_F(DesktopTest, XfceKdeCinnamonAndMateUseTheirOwnSettings) {
    preset();
    ScriptedRunner xfce;
    xfce.answers[QStringLiteral("xfconf-query -c xsettings -p /Net/IconThemeName")] = {
        1, QStringLiteral("Property \"/Net/IconThemeName\" does not exist on channel \"xsettings\".")};
    xfce.answers[QStringLiteral("xfconf-query -c xsettings -p /Net/IconThemeName --create")] = {0, {}};
    Bridge xb(desktopNamed("XFCE"), xfce, dataHome);
    ASSERT_TRUE(xb.applyIcons(reg).ok);
    EXPECT_EQ(xfce.calls.back(),
              "xfconf-query -c xsettings -p /Net/IconThemeName --create -t string -s shellstyle-suite");
    EXPECT_EQ(remembered(xb), "theme=\n");  // the default was in force
    xfce.answers[QStringLiteral("xfconf-query -c xsettings -p /Net/IconThemeName")] = {0, QStringLiteral("shellstyle-suite\n")};
    shellstyle::restoreAllIcons(reg);
    ASSERT_TRUE(xb.applyIcons(reg).ok);
    EXPECT_EQ(xfce.calls.back(), "xfconf-query -c xsettings -p /Net/IconThemeName -r");

    preset();
    ScriptedRunner kde;
    kde.answers[QStringLiteral("kreadconfig6")] = {-1, {}};  // Plasma 5: only the 5 tools
    kde.answers[QStringLiteral("kwriteconfig6")] = {-1, {}};
    kde.answers[QStringLiteral("kreadconfig5")] = {0, QStringLiteral("breeze\n")};
    ASSERT_TRUE(Bridge(desktopNamed("KDE"), kde, dataHome).applyIcons(reg).ok);
    EXPECT_TRUE(kde.calls.contains("kwriteconfig5 --file kdeglobals --group Icons --key Theme shellstyle-suite"));
    EXPECT_TRUE(kde.calls.back().startsWith("dbus-send --session --type=signal"));
    EXPECT_NE(platform::readRegularFile(themeRoot() / "index.theme", 1 << 16).bytes.find("Inherits=breeze,hicolor"),
              std::string::npos);

    for (const auto& [name, schema] : {std::pair{"X-Cinnamon", "org.cinnamon.desktop.interface"},
                                       std::pair{"MATE", "org.mate.interface"}}) {
        ScriptedRunner tools;
        tools.answers[QStringLiteral("gsettings get")] = {0, QStringLiteral("'Mint-Y'")};
        ASSERT_TRUE(Bridge(desktopNamed(name), tools, dataHome).applyIcons(reg).ok);
        EXPECT_EQ(tools.calls.back(), QStringLiteral("gsettings set %1 icon-theme 'shellstyle-suite'").arg(schema));
    }
}

TEST_F(DesktopTest, SwitchesSetTheirKeysAndResetOnlyWhatTheSuiteSet) {
    ScriptedRunner tools;
    Bridge bridge(desktopNamed("GNOME"), tools, dataHome);
    systune::SwitchStates states{};
    const std::size_t animation = rowOf("MinAnimate"), cd = rowOf("AutoInsertNotification");

    // Nothing ticked and nothing set before: the user's own settings are not reset.
    ASSERT_TRUE(bridge.applySwitches(states, false).ok);
    EXPECT_TRUE(tools.calls.isEmpty());

    states[animation] = states[cd] = states[rowOf("NoRun")] = states[rowOf("NoClose")] = true;
    ASSERT_TRUE(bridge.applySwitches(states, false).ok);
    EXPECT_EQ(tools.calls, (QStringList{"gsettings set org.gnome.desktop.lockdown disable-command-line true",
                                        "gsettings set org.gnome.desktop.interface enable-animations false",
                                        "gsettings set org.gnome.desktop.media-handling autorun-never true"}));

    // From the store the CD switch always reads clear: it is left as saved.
    tools.calls.clear();
    states = {};
    ASSERT_TRUE(bridge.applySwitches(states, true).ok);
    EXPECT_EQ(tools.calls, (QStringList{"gsettings reset org.gnome.desktop.lockdown disable-command-line",
                                        "gsettings reset org.gnome.desktop.interface enable-animations"}));
    tools.calls.clear();
    ASSERT_TRUE(bridge.applySwitches(states, false).ok);
    EXPECT_EQ(tools.calls, QStringList{"gsettings reset org.gnome.desktop.media-handling autorun-never"});

    // A refused key is reported; other desktops keep the registry-only effect.
    tools.answers[QStringLiteral("gsettings")] = {1, {}};
    states[animation] = true;
    EXPECT_FALSE(bridge.applySwitches(states, false).ok);
    ScriptedRunner kde;
    EXPECT_TRUE(Bridge(desktopNamed("KDE"), kde, dataHome).applySwitches(states, false).ok);
    EXPECT_TRUE(kde.calls.isEmpty());
}

}  // namespace
}  // namespace desktop
