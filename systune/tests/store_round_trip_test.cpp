// The switches over the real SQLite store: a save survives reopening the store, and a
// store that cannot be opened reads as all clear and fails every save.
#include <chrono>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "registry/batch.h"
#include "registry/sqlite_store.h"
#include "systune/core/apply_switches.h"
#include "systune/core/load_switches.h"

namespace systune {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kArrows = 16;  // Check2(0)
constexpr std::size_t kCdAutoRun = 21;

fs::path freshFile(const char* name) {
    fs::path dir = fs::temp_directory_path() / "systune-store-test";
    fs::create_directories(dir);
    fs::path file = dir / name;
    fs::remove(file);
    return file;
}

TEST(StoreRoundTrip, FreshStoreOpensClearAndKeepsWhatWasSaved) {
    fs::path file = freshFile("round-trip.db");
    SwitchStates saved{};
    {
        registry::SqliteStore store(file);
        ASSERT_TRUE(store.ok()) << store.problem();
        registry::General reg(store);
        // A new system shows the shortcut arrows on and every other switch clear.
        EXPECT_EQ(loadSwitches(reg), SwitchStates{});
        for (std::size_t i = 0; i < saved.size(); i += 3) saved[i] = true;
        saved[kArrows] = true;
        EXPECT_TRUE(applySwitches(reg, saved).saved());
    }
    registry::SqliteStore reopened(file);
    registry::General reg(reopened);
    SwitchStates expected = saved;
    expected[kCdAutoRun] = false;  // a store without that drive's key cannot keep it
    EXPECT_EQ(loadSwitches(reg), expected);

    // Clearing everything again deletes and rewrites, and reads back clear.
    EXPECT_TRUE(applySwitches(reg, SwitchStates{}).saved());
    EXPECT_EQ(loadSwitches(reg), SwitchStates{});
}

TEST(StoreRoundTrip, ASaveTheStoreCannotKeepIsReportedAndKeepsNothing) {
    fs::path file = freshFile("busy.db");
    registry::SqliteStore store(file, std::chrono::milliseconds(50));
    registry::General reg(store);
    SwitchStates all;
    all.fill(true);
    {
        // Another program in the middle of its own save holds the store.
        registry::SqliteStore other(file);
        registry::General otherReg(other);
        registry::Batch hold(otherReg);
        otherReg.SetStringValue("HKEY_CURRENT_USER\\Control Panel\\desktop", "held", "x");
        ApplyReport report = applySwitches(reg, all);
        EXPECT_FALSE(report.saved());
        EXPECT_EQ(report.commitStatus, registry::ERROR_BUSY);
        EXPECT_EQ(report.refusedSwitchCount(), kSwitchCount);
    }
    EXPECT_EQ(loadSwitches(reg), SwitchStates{});
}

TEST(StoreRoundTrip, UnreadableStoreShowsTheErrorRuleAndFailsToSave) {
    fs::path file = freshFile("not-a-database.db");
    std::ofstream(file) << "this is not a database file, just some text that fills a page.\n";
    registry::SqliteStore store(file);
    ASSERT_FALSE(store.ok());
    registry::General reg(store);
    SwitchStates s = loadSwitches(reg);
    for (std::size_t i = 0; i < s.size(); ++i) EXPECT_EQ(s[i], i == kArrows) << i;

    SwitchStates all;
    all.fill(true);
    ApplyReport report = applySwitches(reg, all);
    EXPECT_FALSE(report.saved());
    EXPECT_EQ(report.refused.size(), kSwitchCount + 1);  // every write, both shortcut classes
}

}  // namespace
}  // namespace systune
