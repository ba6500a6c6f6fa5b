// Loading and saving the switches against an in-memory registry.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "registry/testing/fake_registry.h"
#include "systune/core/apply_switches.h"
#include "systune/core/load_switches.h"

namespace systune {
namespace {

using registry::testing::FakeRegistry;
using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;

constexpr const char* kPolicy =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kLnk = "HKEY_CLASSES_ROOT\\lnkfile";
constexpr const char* kPif = "HKEY_CLASSES_ROOT\\piffile";
constexpr const char* kLinkKey = "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kDesktop = "HKEY_CURRENT_USER\\Control Panel\\desktop";
constexpr const char* kMetrics = "HKEY_CURRENT_USER\\Control Panel\\desktop\\WindowMetrics";
constexpr const char* kFdc = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\fdc\\0000";

constexpr std::size_t kArrows = 16;  // Check2(0)
constexpr std::size_t kLinkText = 17;
constexpr std::size_t kCdAutoRun = 21;

std::size_t rowOf(Frame frame, int index) {
    const auto& t = switchTable();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t[i].frame == frame && t[i].index == index) return i;
    return t.size();
}

// Every key the table names exists, except (unless asked) the one-drive CD key.
void seedKeys(FakeRegistry& fake, bool withCdKey = false) {
    for (const Switch& s : switchTable())
        for (std::size_t k = 0; k < s.keyCount(); ++k)
            if (withCdKey || &s != &switchTable()[kCdAutoRun]) fake.addKey(s.keyPaths[k]);
}

SwitchStates allTicked() {
    SwitchStates s;
    s.fill(true);
    return s;
}

TEST(SwitchTable, BoxesAreNumberedInOrderAndStayInsideTheirColumns) {
    const auto& t = switchTable();
    for (std::size_t i = 0; i < t.size(); ++i) {
        bool first = i < kProhibitionCount;
        EXPECT_EQ(t[i].frame, first ? Frame::Prohibitions : Frame::Tweaks) << i;
        EXPECT_EQ(t[i].index, static_cast<int>(first ? i : i - kProhibitionCount)) << i;
        // The apply sequence must write back exactly what the load sequence tests for.
        const Data& written = t[i].rule == TickRule::ReadEquals ? t[i].whenTicked : t[i].whenClear;
        EXPECT_EQ(written.form, t[i].tested.form) << i;
        EXPECT_EQ(written.text, t[i].tested.text) << i;
        EXPECT_EQ(written.number, t[i].tested.number) << i;
    }
    for (std::size_t i = 0; i < t.size(); ++i)
        for (std::size_t j = i + 1; j < t.size(); ++j)
            if (t[i].frame == t[j].frame) {
                EXPECT_FALSE(t[i].left == t[j].left && t[i].top == t[j].top) << i << " and " << j;
            }
}

TEST(LoadSwitches, EmptyRegistryShowsOnlyTheArrowsBoxTicked) {
    FakeRegistry fake;
    seedKeys(fake);
    registry::General reg(fake);
    SwitchStates s = loadSwitches(reg);
    for (std::size_t i = 0; i < s.size(); ++i) EXPECT_EQ(s[i], i == kArrows) << i;
    EXPECT_EQ(fake.openHandles(), 0u);
}

TEST(LoadSwitches, BrokenStoreReadsEveryBoxClearButTheArrows) {
    FakeRegistry fake;
    seedKeys(fake, true);
    fake.put(kPolicy, "NoClose", REG_DWORD, FakeRegistry::dword(1));
    fake.broken = true;
    registry::General reg(fake);
    SwitchStates s = loadSwitches(reg);
    for (std::size_t i = 0; i < s.size(); ++i) EXPECT_EQ(s[i], i == kArrows) << i;
}

TEST(LoadSwitches, PolicyTicksOnlyForTheNumberOne) {
    FakeRegistry fake;
    seedKeys(fake);
    fake.put(kPolicy, "NoClose", REG_DWORD, FakeRegistry::dword(1));
    fake.put(kPolicy, "NORUN", REG_DWORD, FakeRegistry::dword(2));  // names are case-insensitive
    fake.put(kPolicy, "NoFind", REG_SZ, "1");                       // text "1" is not the number 1
    fake.put(kPolicy, "NoLogOff", REG_DWORD, FakeRegistry::dword(0x10001));
    fake.put(kPolicy, "NoChangeStartMenu", REG_DWORD, FakeRegistry::dword(1));
    registry::General reg(fake);
    SwitchStates s = loadSwitches(reg);
    EXPECT_TRUE(s[rowOf(Frame::Prohibitions, 0)]);
    EXPECT_FALSE(s[rowOf(Frame::Prohibitions, 5)]);
    EXPECT_FALSE(s[rowOf(Frame::Prohibitions, 4)]);
    EXPECT_FALSE(s[rowOf(Frame::Prohibitions, 6)]);
    EXPECT_TRUE(s[rowOf(Frame::Prohibitions, 15)]);
    EXPECT_FALSE(s[rowOf(Frame::Prohibitions, 1)]);
}

TEST(LoadSwitches, ArrowsBoxNeedsIsShortcutAbsentOrNonEmptyUnderBothClasses) {
    struct Case {
        std::optional<std::string> lnk, pif;
        bool ticked;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, true},
        {"", std::nullopt, false},
        {std::nullopt, "", false},
        {"", "", false},
        {"x", "x", true},
        {"x", "", false},
    };
    for (const Case& c : cases) {
        FakeRegistry fake;
        seedKeys(fake);
        if (c.lnk) fake.put(kLnk, "IsShortcut", REG_SZ, *c.lnk);
        if (c.pif) fake.put(kPif, "isshortcut", REG_SZ, *c.pif);
        registry::General reg(fake);
        EXPECT_EQ(loadSwitches(reg)[kArrows], c.ticked)
            << "lnk " << c.lnk.value_or("(none)") << ", pif " << c.pif.value_or("(none)");
    }
}

TEST(LoadSwitches, ByteStringsCompareAsTextNotAsBytes) {
    FakeRegistry fake;
    seedKeys(fake, true);
    const std::size_t cd = kCdAutoRun;
    // Four zero bytes (not what the program writes) read clear...
    fake.put(kLinkKey, "link", REG_BINARY, std::string(4, '\0'));
    fake.put(switchTable()[cd].keyPaths[0], "AutoInsertNotification", REG_BINARY, std::string(1, '\0'));
    registry::General reg(fake);
    SwitchStates s = loadSwitches(reg);
    EXPECT_FALSE(s[kLinkText]);
    EXPECT_FALSE(s[cd]);
    // ...the eleven characters "00 00 00 00" and the two of "00" read ticked.
    fake.put(kLinkKey, "link", REG_BINARY, "00 00 00 00");
    fake.put(switchTable()[cd].keyPaths[0], "AutoInsertNotification", REG_BINARY, "00");
    s = loadSwitches(reg);
    EXPECT_TRUE(s[kLinkText]);
    EXPECT_TRUE(s[cd]);
}

TEST(ApplySwitches, AllClearDeletesPoliciesAndWritesTheClearData) {
    FakeRegistry fake;
    seedKeys(fake);
    for (std::size_t i = 0; i < kProhibitionCount; ++i)
        fake.put(kPolicy, switchTable()[i].valueName, REG_DWORD, FakeRegistry::dword(1));
    fake.put(kPolicy, "NoDrives", REG_DWORD, FakeRegistry::dword(4));  // not ours: left alone
    registry::General reg(fake);

    ApplyReport report = applySwitches(reg, SwitchStates{});
    EXPECT_TRUE(report.saved());
    for (std::size_t i = 0; i < kProhibitionCount; ++i)
        EXPECT_FALSE(fake.get(kPolicy, switchTable()[i].valueName)) << switchTable()[i].valueName;
    EXPECT_TRUE(fake.get(kPolicy, "NoDrives"));

    for (const char* key : {kLnk, kPif}) {
        auto v = fake.get(key, "IsShortcut");
        ASSERT_TRUE(v) << key;
        EXPECT_EQ(v->type, REG_SZ);
        EXPECT_EQ(v->data, "");
    }
    auto link = fake.get(kLinkKey, "link");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->type, REG_BINARY);
    EXPECT_EQ(link->data, "1e 00 00 00");
    EXPECT_EQ(fake.get(kMetrics, "MinAnimate")->data, "1");
    EXPECT_EQ(fake.get(kDesktop, "SmoothScroll")->data, FakeRegistry::dword(0));
    EXPECT_EQ(fake.get(kFdc, "ForeFifo")->data, FakeRegistry::dword(1));
    // The CD drive key does not exist here: nothing is created and that is no failure.
    EXPECT_FALSE(fake.hasKey(switchTable()[kCdAutoRun].keyPaths[0]));
    EXPECT_EQ(fake.openHandles(), 0u);
}

TEST(ApplySwitches, AllTickedWritesTheTickedData) {
    FakeRegistry fake;
    seedKeys(fake, true);
    fake.put(kLnk, "IsShortcut", REG_SZ, "");
    fake.put(kPif, "IsShortcut", REG_SZ, "");
    registry::General reg(fake);

    EXPECT_TRUE(applySwitches(reg, allTicked()).saved());
    for (std::size_t i = 0; i < kProhibitionCount; ++i) {
        auto v = fake.get(kPolicy, switchTable()[i].valueName);
        ASSERT_TRUE(v) << i;
        EXPECT_EQ(v->type, REG_DWORD);
        EXPECT_EQ(v->data, FakeRegistry::dword(1));
    }
    EXPECT_FALSE(fake.get(kLnk, "IsShortcut"));
    EXPECT_FALSE(fake.get(kPif, "IsShortcut"));
    EXPECT_EQ(fake.get(kLinkKey, "link")->data, "00 00 00 00");
    EXPECT_EQ(fake.get(kMetrics, "MinAnimate")->type, REG_SZ);
    EXPECT_EQ(fake.get(kMetrics, "MinAnimate")->data, "0");
    EXPECT_EQ(fake.get(kDesktop, "SmoothScroll")->data, FakeRegistry::dword(1));
    EXPECT_EQ(fake.get(kFdc, "ForeFifo")->data, FakeRegistry::dword(0));
    auto cd = fake.get(switchTable()[kCdAutoRun].keyPaths[0], "AutoInsertNotification");
    ASSERT_TRUE(cd);
    EXPECT_EQ(cd->type, REG_BINARY);
    EXPECT_EQ(cd->data, "00");
}

TEST(ApplySwitches, SavedStatesReadBackTheSame) {
    std::vector<SwitchStates> patterns = {SwitchStates{}, allTicked()};
    for (std::size_t i = 0; i < kSwitchCount; ++i) {
        SwitchStates one{};
        one[i] = true;
        patterns.push_back(one);
        SwitchStates allBut = allTicked();
        allBut[i] = false;
        patterns.push_back(allBut);
    }
    for (bool withCd : {true, false}) {
        FakeRegistry fake;
        seedKeys(fake, withCd);
        registry::General reg(fake);
        for (const SwitchStates& saved : patterns) {
            ASSERT_TRUE(applySwitches(reg, saved).saved());
            SwitchStates expected = saved;
            if (!withCd) expected[kCdAutoRun] = false;  // nowhere to keep it
            EXPECT_EQ(loadSwitches(reg), expected);
        }
    }
}

TEST(ApplySwitches, RefusedWritesAreReportedAndDoNotStopTheRest) {
    FakeRegistry fake;
    seedKeys(fake);
    fake.refusedKeys = {kLnk, kDesktop};
    registry::General reg(fake);

    ApplyReport report = applySwitches(reg, allTicked());
    EXPECT_FALSE(report.saved());
    ASSERT_EQ(report.refused.size(), 2u);
    EXPECT_EQ(report.refused[0].row, kArrows);
    EXPECT_EQ(report.refused[0].keyPath, kLnk);
    EXPECT_EQ(switchTable()[report.refused[1].row].valueName, "SmoothScroll");
    // The writes after each refusal went through.
    EXPECT_FALSE(fake.get(kPif, "IsShortcut"));
    EXPECT_EQ(fake.get(kFdc, "ForeFifo")->data, FakeRegistry::dword(0));

    // A store refusing everything fails every write but the one to the missing CD key.
    fake.refusedKeys = {"*"};
    report = applySwitches(reg, SwitchStates{});
    EXPECT_EQ(report.refused.size(), kSwitchCount);  // 23 writes, less the CD key
    EXPECT_EQ(report.refusedSwitchCount(), kSwitchCount - 1);
    for (const RefusedWrite& r : report.refused) EXPECT_NE(r.row, kCdAutoRun);
}

TEST(ApplySwitches, BrokenStoreFailsEveryWriteAndMissingKeysAreNamedButTheCdDrive) {
    FakeRegistry broken;
    broken.broken = true;
    registry::General brokenReg(broken);
    EXPECT_EQ(applySwitches(brokenReg, allTicked()).refused.size(), kSwitchCount + 1);

    // With no keys at all nothing can be written: every write to a missing key fails
    // the save and names it, except the CD drive's; deletes find their value absent.
    FakeRegistry empty;
    registry::General emptyReg(empty);
    ApplyReport ticked = applySwitches(emptyReg, allTicked());
    EXPECT_FALSE(ticked.saved());
    EXPECT_EQ(ticked.refusedSwitchCount(), kSwitchCount - 2);  // less the arrows (deletes) and the CD drive
    const std::string_view link = switchTable()[kLinkText].keyPaths[0];
    EXPECT_EQ(ticked.missingKeys(), (std::vector<std::string_view>{kPolicy, link, kMetrics, kDesktop, kFdc}));
    EXPECT_FALSE(empty.hasKey(kPolicy));
    ApplyReport clear = applySwitches(emptyReg, SwitchStates{});
    EXPECT_EQ(clear.missingKeys().size(), 6u);  // the policies are deleted; both shortcut classes count
    for (const RefusedWrite& r : clear.refused) EXPECT_GE(r.row, kProhibitionCount);

    // Only the policy key gone: ticking one policy fails the save, clearing them all does not.
    FakeRegistry noPolicy;
    for (const Switch& s : switchTable())
        for (std::size_t k = 0; k < s.keyCount(); ++k)
            if (s.keyPaths[k] != kPolicy && !s.keyMayBeMissing) noPolicy.addKey(s.keyPaths[k]);
    registry::General noPolicyReg(noPolicy);
    SwitchStates one{};
    one[0] = true;
    ApplyReport report = applySwitches(noPolicyReg, one);
    ASSERT_EQ(report.refused.size(), 1u);
    EXPECT_TRUE(report.refused[0].missingKey);
    EXPECT_EQ(report.missingKeys(), std::vector<std::string_view>{kPolicy});
    EXPECT_TRUE(applySwitches(noPolicyReg, SwitchStates{}).saved());
}

}  // namespace
}  // namespace systune
