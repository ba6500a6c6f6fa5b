// The replace, preset and restore walks against an in-memory registry.
#include <set>

#include <gtest/gtest.h>

#include "registry/testing/fake_registry.h"
#include "shellstyle/core/icon_targets.h"
#include "shellstyle/core/icon_walks.h"

namespace shellstyle {
namespace {

using registry::testing::FakeRegistry;

const std::string kShellIcons =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
const std::string kMyComputer =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon";
const std::string kRecycleBin =
    "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";

// The log as "op key|name=data" lines, easy to compare whole.
std::vector<std::string> log(const FakeRegistry& reg) {
    std::vector<std::string> out;
    for (const auto& c : reg.calls)
        out.push_back(c.op == "create" ? "create " + c.key : "set " + c.key + "|" + c.name + "=" + c.data);
    return out;
}

std::function<bool(int)> only(std::set<std::string> names) {
    return [names](int box) { return names.count(std::string(iconBoxes()[box].name)) != 0; };
}

TEST(ReplaceIcons, WritesTheTickedRowsInOrderEachAfterItsCreateKey) {
    {
        FakeRegistry api;
        registry::General reg(api);
        EXPECT_EQ(replaceIcons(reg, only({"check1(3)"}), "/usr/share/icons/a.icl", "5"),
                  WalkOutcome::Written);
        EXPECT_EQ(log(api), (std::vector<std::string>{
                                "create " + kShellIcons,
                                "set " + kShellIcons + "|15=/usr/share/icons/a.icl,5",
                                "create " + kMyComputer,
                                "set " + kMyComputer + "|=/usr/share/icons/a.icl,5",
                            }));
        EXPECT_EQ(api.openHandles(), 0u);
    }
    // The empty-bin box writes the default value and "Empty" on one CreateKey.
    auto walkLog = [](const char* box, const char* number) {
        FakeRegistry api;
        registry::General reg(api);
        replaceIcons(reg, only({box}), "/x.ico", number);
        return log(api);
    };
    EXPECT_EQ(walkLog("checkdel", "0"), (std::vector<std::string>{
                                            "create " + kRecycleBin,
                                            "set " + kRecycleBin + "|=/x.ico,0",
                                            "set " + kRecycleBin + "|Empty=/x.ico,0",
                                        }));
    EXPECT_EQ(walkLog("checkdel1", "2"), (std::vector<std::string>{
                                             "create " + kRecycleBin,
                                             "set " + kRecycleBin + "|Full=/x.ico,2",
                                         }));
}

TEST(ReplaceIcons, AllTickedWritesEveryRowAndNoneTickedWritesNothing) {
    FakeRegistry api;
    registry::General reg(api);
    replaceIcons(reg, [](int) { return true; }, "/a b/c.dll", "  12 ");
    int sets = 0, creates = 0;
    std::size_t row = 0;
    for (const auto& c : api.calls) {
        if (c.op == "create") {
            ++creates;
            continue;
        }
        ++sets;
        ASSERT_LT(row, iconTargets().size());
        EXPECT_EQ(c.key, iconTargets()[row].key);
        EXPECT_EQ(c.name, iconTargets()[row].valueName);
        EXPECT_EQ(c.data, "/a b/c.dll,12");
        ++row;
    }
    EXPECT_EQ(sets, 26);
    EXPECT_EQ(creates, 25);
    EXPECT_EQ(api.value(kShellIcons, "44"), "/a b/c.dll,12");

    FakeRegistry untouched;
    registry::General reg2(untouched);
    EXPECT_EQ(replaceIcons(reg2, [](int) { return false; }, "/a.icl", "0"), WalkOutcome::Written);
    EXPECT_TRUE(untouched.calls.empty());
}

TEST(ReplaceIcons, RefusesWithoutAFileOrWithAnUnstorablePath) {
    FakeRegistry api;
    registry::General reg(api);
    EXPECT_EQ(replaceIcons(reg, [](int) { return true; }, "", "0"), WalkOutcome::NoFile);
    // An emoji has no code page 936 form; storing a lossy path would name another file.
    EXPECT_EQ(replaceIcons(reg, [](int) { return true; }, QString::fromUtf8("/home/\xF0\x9F\x98\x80/a.icl"), "1"),
              WalkOutcome::UnstorablePath);
    EXPECT_TRUE(api.calls.empty());

    // A Chinese path is fine and reads back unchanged.
    const QString path = QStringLiteral("/home/用户/图标库.icl");
    EXPECT_EQ(replaceIcons(reg, only({"check1(0)"}), path, "3"), WalkOutcome::Written);
    EXPECT_EQ(reg.GetStringValue(kShellIcons, "8"), (path + ",3").toStdString());
}

TEST(XpPreset, WritesAllRowsFromTheLibraryWhateverTheBoxes) {
    FakeRegistry api;
    registry::General reg(api);
    ASSERT_EQ(applyXpPreset(reg, "/opt/shellstyle"), WalkOutcome::Written);
    int sets = 0;
    for (const auto& c : api.calls) {
        if (c.op != "set") continue;
        ++sets;
        EXPECT_EQ(c.data.rfind("/opt/shellstyle/voveredav.icl,", 0), 0u) << c.data;
    }
    EXPECT_EQ(sets, 26);
    EXPECT_EQ(api.value(kShellIcons, "8"), "/opt/shellstyle/voveredav.icl,30");
    EXPECT_EQ(api.value(kShellIcons, "15"), "/opt/shellstyle/voveredav.icl,7");
    EXPECT_EQ(api.value(kMyComputer, ""), "/opt/shellstyle/voveredav.icl,7");
    EXPECT_EQ(api.value(kRecycleBin, ""), "/opt/shellstyle/voveredav.icl,10");
    EXPECT_EQ(api.value(kRecycleBin, "Empty"), "/opt/shellstyle/voveredav.icl,10");
    EXPECT_EQ(api.value(kRecycleBin, "Full"), "/opt/shellstyle/voveredav.icl,11");
    EXPECT_EQ(api.value(kShellIcons, "44"), "/opt/shellstyle/voveredav.icl,22");

    // A folder that already ends in the separator gets no second one.
    FakeRegistry root;
    registry::General reg2(root);
    applyXpPreset(reg2, "/");
    EXPECT_EQ(root.value(kShellIcons, "27"), "/voveredav.icl,23");

    FakeRegistry bad;
    registry::General reg3(bad);
    EXPECT_EQ(applyXpPreset(reg3, QString::fromUtf8("/opt/\xF0\x9F\x98\x80")), WalkOutcome::UnstorablePath);
    EXPECT_TRUE(bad.calls.empty());
}

TEST(RestoreAll, LeavesEveryTargetValueEmptyAndCreatesMissingKeys) {
    FakeRegistry api;
    registry::General reg(api);
    replaceIcons(reg, only({"check1(0)", "checkdel"}), "/a.icl", "4");
    restoreAllIcons(reg);
    for (const IconTarget& row : iconTargets()) {
        EXPECT_TRUE(api.hasKey(std::string(row.key)));
        EXPECT_EQ(api.value(std::string(row.key), std::string(row.valueName)), "")
            << row.key << " " << row.valueName;
    }
    // Every row names a value of its own: nothing else was left behind.
    EXPECT_EQ(api.valueCount(), 26u);
}

}  // namespace
}  // namespace shellstyle
