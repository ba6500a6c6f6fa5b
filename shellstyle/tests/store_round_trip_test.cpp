// The walks against the real file-backed store: what lands there and reads back.
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "registry/batch.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "shellstyle/core/icon_targets.h"
#include "shellstyle/core/icon_walks.h"

namespace shellstyle {
namespace {

std::filesystem::path storeIn(const char* name) {
    const char* base = std::getenv("TMPDIR");
    std::filesystem::path dir = std::filesystem::path(base && *base ? base : "/tmp") / "shellstyle-store-test";
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / name);
    return dir / name;
}

TEST(StoreRoundTrip, PresetThenRestoreReadBackFromAReopenedStore) {
    const auto file = storeIn("preset.db");
    {
        registry::SqliteStore store(file);
        ASSERT_TRUE(store.ok()) << store.problem();
        registry::General reg(store);
        ASSERT_EQ(applyXpPreset(reg, QStringLiteral("/opt/图标")), WalkOutcome::Written);
    }
    {
        registry::SqliteStore store(file);
        registry::General reg(store);
        for (const IconTarget& row : iconTargets()) {
            const auto read = reg.GetStringValue(row.key, row.valueName);
            ASSERT_TRUE(read.hasValue()) << row.key << " " << row.valueName;
            EXPECT_EQ(read.value(), "/opt/图标/voveredav.icl," + std::to_string(row.presetIcon));
        }
        restoreAllIcons(reg);
    }
    registry::SqliteStore store(file);
    registry::General reg(store);
    for (const IconTarget& row : iconTargets()) EXPECT_EQ(reg.GetStringValue(row.key, row.valueName), "");
}

TEST(StoreRoundTrip, ReplaceOfOneBoxLeavesTheOtherValuesUnset) {
    registry::SqliteStore store(storeIn("replace.db"));
    registry::General reg(store);
    const int bin = iconBoxIndex("checkdel1");
    replaceIcons(reg, [bin](int box) { return box == bin; }, QStringLiteral("/usr/share/a.icl"), "3");
    const std::string key =
        "HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
    EXPECT_EQ(reg.GetStringValue(key, "Full"), "/usr/share/a.icl,3");
    EXPECT_FALSE(reg.GetStringValue(key, "Empty").hasValue());
}

TEST(StoreRoundTrip, AWalkTheStoreCannotKeepChangesNothing) {
    const auto file = storeIn("busy.db");
    registry::SqliteStore store(file, std::chrono::milliseconds(50));
    registry::General reg(store);
    ASSERT_EQ(applyXpPreset(reg, QStringLiteral("/opt")), WalkOutcome::Written);
    {
        // Another program in the middle of its own save holds the store.
        registry::SqliteStore other(file);
        registry::General otherReg(other);
        registry::Batch hold(otherReg);
        otherReg.SetStringValue("HKEY_CURRENT_USER\\Control Panel\\desktop", "held", "x");
        EXPECT_EQ(restoreAllIcons(reg), WalkOutcome::NotKept);
        EXPECT_EQ(replaceIcons(reg, [](int) { return true; }, QStringLiteral("/a.icl"), "1"), WalkOutcome::NotKept);
        EXPECT_EQ(applyXpPreset(reg, QStringLiteral("/srv")), WalkOutcome::NotKept);
        EXPECT_EQ(hold.commit(), registry::ERROR_SUCCESS);
    }
    for (const IconTarget& row : iconTargets())
        EXPECT_EQ(reg.GetStringValue(row.key, row.valueName), "/opt/voveredav.icl," + std::to_string(row.presetIcon));
}

}  // namespace
}  // namespace shellstyle
