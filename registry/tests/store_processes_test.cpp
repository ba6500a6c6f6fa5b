// Several processes on one store: writers at the same time, and writers killed mid-write.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
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

// Reads two reports of a writer (each an int sent once a write returned) and gives
// the time between them.
std::chrono::microseconds writeTime(int reports, std::vector<int>& seen) {
    int n = 0;
    if (read(reports, &n, sizeof n) == sizeof n) seen.push_back(n);
    auto start = std::chrono::steady_clock::now();
    if (read(reports, &n, sizeof n) == sizeof n) seen.push_back(n);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
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

    size_t total = 0;
    for (int round = 0; round < 60; ++round) {
        if (round % 20 == 0) std::filesystem::remove(file);
        int done[2];
        ASSERT_EQ(pipe(done), 0);
        pid_t pid = fork();
        if (pid == 0) {
            close(done[0]);
            SqliteStore store(file);
            General g(store);
            for (int i = 0;; ++i) {
                std::string key = "HKEY_CURRENT_USER\\Kill\\r" + std::to_string(round) + "\\k" + std::to_string(i % 7);
                g.CreateKey(key);
                g.SetStringValue(key, "v" + std::to_string(i), valueText(round, i));
                if (g.lastWriteOutcome() != General::WriteOutcome::Written) _exit(1);
                if (write(done[1], &i, sizeof i) != sizeof i) _exit(1);
            }
        }
        close(done[1]);
        // Most rounds kill among the writes; the others while the store opens (or is created).
        std::vector<int> written;
        int i = 0;
        bool duringOpen = round % 10 == 0;
        if (duringOpen) {
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 80000));
        } else {
            // Each write waits for the disk, however long that takes on a busy machine:
            // time one, then kill within the next few.
            auto oneWrite = writeTime(done[0], written);
            std::this_thread::sleep_for(std::chrono::microseconds(random() % (3 * oneWrite.count() + 1)));
        }
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in round " << round;
        while (read(done[0], &i, sizeof i) == sizeof i) written.push_back(i);
        close(done[0]);
        total += written.size();

        SqliteStore store(file);
        ASSERT_TRUE(store.ok()) << "round " << round << ": " << store.problem();
        General g(store);
        for (int n : written) {
            std::string key = "HKEY_CURRENT_USER\\Kill\\r" + std::to_string(round) + "\\k" + std::to_string(n % 7);
            ASSERT_TRUE(g.GetStringValue(key, "v" + std::to_string(n)) == valueText(round, n))
                << "round " << round << " write " << n << " of " << written.size();
        }
    }
    std::printf("%zu writes returned before the kills\n", total);
    EXPECT_GE(total, 108u);  // the kills fell among writes, not only before them
}

// A batch is one user action: after SIGKILL at any moment each batch's key holds all
// of its values or does not exist, and every batch whose commit returned is there.
TEST(StoreProcesses, AWriterKilledInABatchLeavesItWholeOrNotAtAll) {
    constexpr int kWritesPerBatch = 23;
    testing::TempFolder dir;
    auto file = dir / "r.db";
    std::random_device seedSource;
    unsigned seed = seedSource();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));

    size_t committed = 0;
    for (int round = 0; round < 30; ++round) {
        int done[2];
        ASSERT_EQ(pipe(done), 0);
        pid_t pid = fork();
        if (pid == 0) {
            close(done[0]);
            SqliteStore store(file);
            General g(store);
            for (int b = 0;; ++b) {
                std::string key = "HKEY_CURRENT_USER\\Batch\\r" + std::to_string(round) + "\\b" + std::to_string(b);
                Batch batch(g);
                g.CreateKey(key);
                for (int i = 0; i < kWritesPerBatch; ++i) {
                    g.SetDwordValue(key, "v" + std::to_string(i), i);
                    if (g.lastWriteOutcome() != General::WriteOutcome::Written) _exit(1);
                }
                if (batch.commit() != ERROR_SUCCESS) _exit(1);
                if (write(done[1], &b, sizeof b) != sizeof b) _exit(1);
            }
        }
        close(done[1]);
        int b = 0;
        std::vector<int> reported;
        auto oneBatch = writeTime(done[0], reported);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (2 * oneBatch.count() + 1)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself in round " << round;
        while (read(done[0], &b, sizeof b) == sizeof b) reported.push_back(b);
        close(done[0]);
        committed += reported.size();

        SqliteStore store(file);
        ASSERT_TRUE(store.ok()) << store.problem();
        HKEY roundKey = 0;
        std::vector<std::string> batches;
        if (store.RegOpenKeyExA(HKEY_CURRENT_USER, "Batch\\r" + std::to_string(round), 0, KEY_READ, &roundKey) ==
            ERROR_SUCCESS) {
            store.enumSubKeys(roundKey, batches);
            store.RegCloseKey(roundKey);
        }
        EXPECT_GE(batches.size(), reported.size()) << "round " << round;
        EXPECT_LE(batches.size(), reported.size() + 1) << "round " << round;
        for (const std::string& name : batches) {
            HKEY key = 0;
            ASSERT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "Batch\\r" + std::to_string(round) + "\\" + name, 0,
                                          KEY_READ, &key),
                      ERROR_SUCCESS);
            std::vector<ValueEntry> values;
            store.enumValues(key, values);
            store.RegCloseKey(key);
            EXPECT_EQ(values.size(), static_cast<size_t>(kWritesPerBatch)) << "round " << round << " " << name;
        }
    }
    std::printf("%zu batches committed before the kills\n", committed);
    EXPECT_GE(committed, 60u);  // two in every round before its kill
}

}  // namespace
}  // namespace registry
