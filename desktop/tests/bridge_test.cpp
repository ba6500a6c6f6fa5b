// The bridge against settings kept in memory: which settings it names, what it
// remembers, that every write is read back, and what it leaves to the user.
#include "desktop/bridge.h"

#include "desktop/tests/desktop_fixture.h"
#include "platform/safe_file.h"

namespace desktop {
namespace {

using testing::DesktopTest;
using testing::FakeSettings;
namespace fs = std::filesystem;

const QString kGnomeTheme = QStringLiteral("org.gnome.desktop.interface icon-theme");

platform::Environment desktopNamed(const char* name) {
    return [name](const char* var) { return QString::fromLatin1(var) == u"XDG_CURRENT_DESKTOP" ? QString::fromLatin1(name) : QString(); };
}

std::string remembered(const Bridge& b) { return platform::readRegularFile(b.rememberedThemeFile(), 4096).bytes; }

std::size_t rowOf(std::string_view valueName) {
    for (std::size_t i = 0; i < systune::kSwitchCount; ++i)
        if (systune::switchTable()[i].valueName == valueName) return i;
    return systune::kSwitchCount;
}

class BridgeTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        bridge = std::make_unique<Bridge>(desktopNamed("ubuntu:GNOME"), settings, dataHome);
    }
    FakeSettings settings;
    std::unique_ptr<Bridge> bridge;
    BridgeResult apply(bool atLogin = false) { return bridge->applyIcons(readIconChoices(reg), atLogin); }
};

TEST_F(BridgeTest, ThemeGoesOnAndBackToTheEarlierOneOrTheDefault) {
    settings.values[kGnomeTheme] = "'Earlier'";
    preset();
    ASSERT_TRUE(apply().ok);
    EXPECT_EQ(settings.values[kGnomeTheme], "'shellstyle-suite'");
    EXPECT_EQ(remembered(*bridge), "theme=Earlier\n");
    EXPECT_GT(settings.announcements, 0);
    // Applied again while the suite's theme is in force: the earlier one stays remembered.
    ASSERT_TRUE(apply().ok);
    EXPECT_EQ(remembered(*bridge), "theme=Earlier\n");

    shellstyle::restoreAllIcons(reg);
    ASSERT_TRUE(apply().ok);
    EXPECT_EQ(settings.values[kGnomeTheme], "'Earlier'");
    EXPECT_FALSE(fs::exists(themeRoot()));
    EXPECT_FALSE(fs::exists(bridge->rememberedThemeFile()));

    // With the default in force before, restore resets the key instead of naming a theme.
    settings.values.erase(kGnomeTheme);
    preset();
    ASSERT_TRUE(apply().ok);
    EXPECT_EQ(remembered(*bridge), "theme=\n");
    shellstyle::restoreAllIcons(reg);
    settings.writes.clear();
    ASSERT_TRUE(apply().ok);
    EXPECT_EQ(settings.writes, QStringList{kGnomeTheme + " (reset)"});
    EXPECT_FALSE(settings.values.contains(kGnomeTheme));

    // Restoring again with nothing of the suite's in force touches nothing.
    settings.values[kGnomeTheme] = "'Yaru'";
    settings.writes.clear();
    ASSERT_TRUE(apply().ok);
    EXPECT_TRUE(settings.writes.isEmpty());
}

TEST_F(BridgeTest, ARememberedThemeThatIsNoPlainNameIsNotNamedBack) {
    preset();
    for (const char* record : {"theme=../../etc\n", "theme=a\nb\n", "theme=/usr/share/icons/x\n", "theme=x,y\n",
                               "theme=shellstyle-suite\n", "theme=Earlier"}) {
        settings.values[kGnomeTheme] = "'shellstyle-suite'";
        fs::create_directories(bridge->rememberedThemeFile().parent_path());
        ASSERT_TRUE(platform::writeFileAtomically(bridge->rememberedThemeFile(), record));
        shellstyle::restoreAllIcons(reg);
        ASSERT_TRUE(apply().ok) << record;
        EXPECT_FALSE(settings.values.contains(kGnomeTheme)) << record;
        preset();
    }
}

TEST_F(BridgeTest, ASettingNotKeptOrNotAnsweredIsAFailureOfOneLine) {
    preset();
    settings.unkept = {kGnomeTheme};  // as GSettings with no session bus
    BridgeResult r = apply();
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.reason.find("icon-theme"), std::string::npos) << r.reason;
    EXPECT_EQ(r.reason.find('\n'), std::string::npos);

    settings.unkept.clear();
    settings.refused = {kGnomeTheme};
    EXPECT_FALSE(apply().ok);
    settings.refused.clear();
    settings.silent = {kGnomeTheme};
    EXPECT_FALSE(apply().ok);
    EXPECT_TRUE(fs::exists(themeRoot() / "index.theme"));  // written, only not in use

    // Going back while the service is away keeps the theme that the desktop still names.
    shellstyle::restoreAllIcons(reg);
    EXPECT_FALSE(apply().ok);
    EXPECT_TRUE(fs::exists(themeRoot() / "index.theme"));

    FakeSettings none;
    r = Bridge(desktopNamed("twm"), none, dataHome).applyIcons(readIconChoices(reg), false);
    EXPECT_TRUE(r.ok);  // nothing chosen, nothing named: nothing to undo
    preset();
    r = Bridge(desktopNamed("twm"), none, dataHome).applyIcons(readIconChoices(reg), false);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.desktopKnown);
    EXPECT_TRUE(none.writes.isEmpty());
}

TEST_F(BridgeTest, AtLoginATheUsersLaterChoiceStays) {
    settings.values[kGnomeTheme] = "'Earlier'";
    preset();
    ASSERT_TRUE(apply().ok);
    settings.values[kGnomeTheme] = "'Papirus'";  // picked in the desktop's own settings
    ASSERT_TRUE(apply(true).ok);
    EXPECT_EQ(settings.values[kGnomeTheme], "'Papirus'");
    // Still the earlier theme, or a fresh settings store: the suite's theme comes back.
    for (const char* current : {"'Earlier'", ""}) {
        if (*current)
            settings.values[kGnomeTheme] = current;
        else
            settings.values.erase(kGnomeTheme);
        ASSERT_TRUE(apply(true).ok);
        EXPECT_EQ(settings.values[kGnomeTheme], "'shellstyle-suite'") << current;
    }
    // Pressed in shellstyle, the user's wish is the newer one.
    settings.values[kGnomeTheme] = "'Papirus'";
    ASSERT_TRUE(apply(false).ok);
    EXPECT_EQ(settings.values[kGnomeTheme], "'shellstyle-suite'");
    EXPECT_EQ(remembered(*bridge), "theme=Papirus\n");
}

// Each desktop's own store and every switch row are checked against the real
// stores in session_settings_test.cpp.

TEST_F(BridgeTest, ClearBoxesResetOnlyWhatTheSuiteSetAndUnknownOnesAreLeft) {
    const QString animations = "org.gnome.desktop.interface enable-animations";
    const QString run = "org.gnome.desktop.lockdown disable-command-line";
    settings.values[run] = "true";  // the user's own
    DesiredSwitches wanted{};
    for (std::size_t i = 0; i < wanted.size(); ++i) wanted[i] = false;
    ASSERT_TRUE(bridge->applySwitches(wanted).ok);
    EXPECT_TRUE(settings.writes.isEmpty());

    wanted[rowOf("MinAnimate")] = true;
    wanted[rowOf("NoClose")] = true;  // no counterpart: nothing written
    ASSERT_TRUE(bridge->applySwitches(wanted).ok);
    EXPECT_EQ(settings.writes, QStringList{animations + " false"});
    wanted[rowOf("MinAnimate")] = std::nullopt;  // not held by the store: left as it is
    ASSERT_TRUE(bridge->applySwitches(wanted).ok);
    EXPECT_EQ(settings.values[animations], "false");
    wanted[rowOf("MinAnimate")] = false;
    ASSERT_TRUE(bridge->applySwitches(wanted).ok);
    EXPECT_FALSE(settings.values.contains(animations));
    EXPECT_EQ(settings.values[run], "true");

    // A box that showed the desktop's own setting resets it when cleared.
    const QString autorun = "org.gnome.desktop.media-handling autorun-never";
    settings.values[autorun] = "true";
    DesiredSwitches cdCleared{};
    cdCleared[rowOf("AutoInsertNotification")] = false;
    ASSERT_TRUE(bridge->applySwitches(cdCleared).ok);
    EXPECT_EQ(settings.values[autorun], "true");
    ShownFromDesktop shown{};
    shown[rowOf("AutoInsertNotification")] = true;
    ASSERT_TRUE(bridge->applySwitches(cdCleared, shown).ok);
    EXPECT_FALSE(settings.values.contains(autorun));

    settings.unkept = {animations};
    wanted[rowOf("MinAnimate")] = true;
    const BridgeResult r = bridge->applySwitches(wanted);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.reason.find("enable-animations"), std::string::npos) << r.reason;
}

TEST(StoredSwitches, TheCdSwitchIsTheDesktopsUntilTheStoreHoldsIt) {
    registry::testing::FakeRegistry store;
    for (const systune::Switch& s : systune::switchTable())
        if (!s.keyMayBeMissing)
            for (std::size_t k = 0; k < s.keyCount(); ++k) store.addKey(s.keyPaths[k]);
    registry::General reg(store);
    const std::size_t cd = rowOf("AutoInsertNotification");
    DesiredSwitches wanted = storedSwitches(reg);
    EXPECT_FALSE(wanted[cd]);
    EXPECT_EQ(wanted[rowOf("MinAnimate")], false);
    store.addKey(systune::switchTable()[cd].keyPaths[0]);
    store.put(systune::switchTable()[cd].keyPaths[0], "AutoInsertNotification", registry::REG_BINARY, "00");
    EXPECT_EQ(storedSwitches(reg)[cd], true);
}

}  // namespace
}  // namespace desktop
