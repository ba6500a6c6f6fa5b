// Several processes on one store: writers at the same time, and writers killed mid-write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "registry/batch.h"
#include "registry/general.h"
#include "registry/sqlite_store.h"
#include "registry/tests/temp_folder.h"

namespace registry {
namespace {

// Runs `writer` in a child that reports through the given descriptor each write (or
// batch) that returned, and kills it: while it opens the store when `duringOpen`, else
// within a few writes of its second report, however long a write takes on this
// machine. Gives the numbers it reported, or nothing if it stopped by itself.
std::optional<std::vector<int>> writeAndKill(std::mt19937& random, bool duringOpen,
                                             const std::function<void(int report)>& writer) {
    int done[2];
    if (pipe(done) != 0) return std::nullopt;
    pid_t pid = fork();
    if (pid == 0) {
        close(done[0]);
        writer(done[1]);
        _exit(1);
    }
    close(done[1]);
    std::vector<int> reported;
    int n = 0;
    if (duringOpen) {
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 80000));
    } else {
        if (read(done[0], &n, sizeof n) == sizeof n) reported.push_back(n);
        auto start = std::chrono::steady_clock::now();
        if (read(done[0], &n, sizeof n) == sizeof n) reported.push_back(n);
        auto one = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (3 * one.count() + 1)));
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    while (read(done[0], &n, sizeof n) == sizeof n) reported.push_back(n);
    close(done[0]);
    if (!WIFSIGNALED(status)) return std::nullopt;
    return reported;
}

std::string valueText(int writer, int i) { return "writer " + std::to_string(writer) + " wrote " + std::to_string(i); }

TEST(StoreProcesses, TwoWritersAtOnceLoseNothing) {
    testing::TempFolder dir;
    auto file = dir / "r.db";
    { SqliteStore create(file); }
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::vector<pid_t> children;
    for (int w = 0; w < 2; ++w) {
        pid_t pid = fork();
        if (pid == 0) {
            close(go[1]);
            char c;
            (void)!read(go[0], &c, 1);  // both start when the parent closes the pipe
            SqliteStore store(file);
            General g(store);
            g.CreateKey("HKEY_CURRENT_USER\\Race");
            for (int i = 0; i < 1000; ++i) {
                g.SetStringValue("HKEY_CURRENT_USER\\Race", "w" + std::to_string(w) + "-" + std::to_string(i),
                                 valueText(w, i));
                if (g.lastWriteOutcome() != General::WriteOutcome::Written) _exit(1);
            }
            _exit(0);
        }
        children.push_back(pid);
    }
    close(go[0]);
    close(go[1]);
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    SqliteStore store(file);
    HKEY key = 0;
    ASSERT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "Race", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<ValueEntry> values;
    store.enumValues(key, values);
    EXPECT_EQ(values.size(), 2000u);
    General g(store);
    for (int w = 0; w < 2; ++w)
        for (int i = 0; i < 1000; i += 37)
            EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Race",
                                         "w" + std::to_string(w) + "-" + std::to_string(i)) == valueText(w, i));
}

// The child reports each write that returned; after SIGKILL the store must open and
// hold every one of them.
TEST(StoreProcesses, AWriterKilledAtAnyMomentLosesOnlyItsUnfinishedWrite) {
    testing::TempFolder dir;
    auto file = dir / "r.db";
    std::random_device seedSource;
    unsigned seed = seedSource();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));

    auto keyOf = [](int round, int i) {
        return "HKEY_CURRENT_USER\\Kill\\r" + std::to_string(round) + "\\k" + std::to_string(i % 7);
    };
    size_t total = 0;
    for (int round = 0; round < 60; ++round) {
        if (round % 20 == 0) std::filesystem::remove(file);
        // Most rounds kill among the writes; the others while the store opens (or is created).
        auto written = writeAndKill(random, round % 10 == 0, [&](int report) {
            SqliteStore store(file);
            General g(store);
            for (int i = 0;; ++i) {
                g.CreateKey(keyOf(round, i));
                g.SetStringValue(keyOf(round, i), "v" + std::to_string(i), valueText(round, i));
                if (g.lastWriteOutcome() != General::WriteOutcome::Written) return;
                if (write(report, &i, sizeof i) != sizeof i) return;
            }
        });
        ASSERT_TRUE(written) << "the writer stopped by itself in round " << round;
        total += written->size();

        SqliteStore store(file);
        ASSERT_TRUE(store.ok()) << "round " << round << ": " << store.problem();
        General g(store);
        for (int n : *written)
            ASSERT_TRUE(g.GetStringValue(keyOf(round, n), "v" + std::to_string(n)) == valueText(round, n))
                << "round " << round << " write " << n << " of " << written->size();
    }
    std::printf("%zu writes returned before the kills\n", total);
    EXPECT_GE(total, 108u);  // the kills fell among writes, not only before them
}

// A batch is one user action: after SIGKILL at any moment each batch holds all of its
// values or none, and every batch whose commit returned is there.
TEST(StoreProcesses, AWriterKilledInABatchLeavesItWholeOrNotAtAll) {
    constexpr int kWritesPerBatch = 23;
    testing::TempFolder dir;
    auto file = dir / "r.db";
    std::random_device seedSource;
    unsigned seed = seedSource();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));

    auto keyOf = [](int round, int b) {
        return "HKEY_CURRENT_USER\\Batch\\r" + std::to_string(round) + "\\b" + std::to_string(b);
    };
    for (int round = 0; round < 30; ++round) {
        auto committed = writeAndKill(random, false, [&](int report) {
            SqliteStore store(file);
            General g(store);
            for (int b = 0;; ++b) {
                Batch batch(g);
                g.CreateKey(keyOf(round, b));
                for (int i = 0; i < kWritesPerBatch; ++i) g.SetDwordValue(keyOf(round, b), "v" + std::to_string(i), i);
                if (batch.commit() != ERROR_SUCCESS || write(report, &b, sizeof b) != sizeof b) return;
            }
        });
        ASSERT_TRUE(committed) << "the writer stopped by itself in round " << round;
        ASSERT_GE(committed->size(), 2u);

        SqliteStore store(file);
        ASSERT_TRUE(store.ok()) << store.problem();
        General g(store);
        // The batch after the last reported one may have committed just before the kill.
        int last = committed->back();
        for (int b = 0; b <= last + 1; ++b) {
            int found = 0;
            for (int i = 0; i < kWritesPerBatch; ++i)
                found += g.GetDwordValue(keyOf(round, b), "v" + std::to_string(i)) == i;
            EXPECT_TRUE(found == kWritesPerBatch || (b > last && found == 0))
                << "round " << round << " batch " << b << " holds " << found << " values";
        }
    }
}

}  // namespace
}  // namespace registry
