// The SQLite store: names, values, seed, persistence, and stores it cannot use.
#include "registry/sqlite_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "platform/data_dir.h"
#include "registry/batch.h"
#include "registry/general.h"
#include "registry/store_notice.h"
#include "registry/tests/temp_folder.h"

namespace registry {
namespace {

using namespace std::string_literals;
using testing::TempFolder;

struct Read {
    LONG status = -1;
    DWORD type = 0;
    std::string bytes;
};

LONG set(RegistryApi& api, HKEY root, std::string_view sub, std::string_view name, DWORD type, std::string_view bytes) {
    HKEY key = 0;
    LONG s = api.RegCreateKeyA(root, sub, &key);
    if (s != ERROR_SUCCESS) return s;
    s = api.RegSetValueExA(key, name, 0, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                           static_cast<DWORD>(bytes.size()));
    api.RegCloseKey(key);
    return s;
}

Read get(RegistryApi& api, HKEY root, std::string_view sub, std::string_view name) {
    Read r;
    HKEY key = 0;
    if ((r.status = api.RegOpenKeyExA(root, sub, 0, KEY_READ, &key)) != ERROR_SUCCESS) return r;
    DWORD size = 0;
    r.status = api.RegQueryValueExA(key, name, nullptr, &r.type, nullptr, &size);
    if (r.status == ERROR_SUCCESS) {
        r.bytes.assign(size, '\xAA');
        r.status =
            api.RegQueryValueExA(key, name, nullptr, &r.type, reinterpret_cast<std::uint8_t*>(r.bytes.data()), &size);
        r.bytes.resize(size);
    }
    api.RegCloseKey(key);
    return r;
}

std::string fileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SqliteStore, NamesAreCaseInsensitiveAndKeepTheirFirstCase) {
    TempFolder dir;
    SqliteStore store(dir / "r.db");
    ASSERT_TRUE(store.ok()) << store.problem();
    ASSERT_EQ(set(store, HKEY_CURRENT_CONFIG, "Software\\MyApp", "Colour", REG_SZ, "red"), ERROR_SUCCESS);
    ASSERT_EQ(set(store, HKEY_CURRENT_CONFIG, "SOFTWARE\\myapp", "COLOUR", REG_SZ, "blue"), ERROR_SUCCESS);

    EXPECT_EQ(get(store, HKEY_CURRENT_CONFIG, "software\\MYAPP", "colour").bytes, "blue\0"s);
    HKEY key = 0;
    ASSERT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_CONFIG, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<std::string> subKeys;
    std::vector<ValueEntry> values;
    store.enumSubKeys(key, subKeys);
    EXPECT_EQ(subKeys, std::vector<std::string>{"MyApp"});
    store.RegCloseKey(key);
    ASSERT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_CONFIG, "Software\\MyApp", 0, KEY_READ, &key), ERROR_SUCCESS);
    store.enumValues(key, values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "Colour");
    store.RegCloseKey(key);

    // Full-width letters fold too; Chinese characters whose second byte is an ASCII
    // letter ("丄" 81 41, "乤" 81 61) or a backslash ("乗" 81 5C) stay themselves.
    std::string fullUpper = "\xa3\xc1", fullLower = "\xa3\xe1";  // Ａ ａ
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "W" + fullUpper, "", REG_SZ, "1"), ERROR_SUCCESS);
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "w" + fullLower, "").status, ERROR_SUCCESS);
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "T", "\x81\x41", REG_SZ, "a"), ERROR_SUCCESS);
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "T", "\x81\x61", REG_SZ, "b"), ERROR_SUCCESS);
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "T", "\x81\x41").bytes, "a\0"s);
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "T\\\x81\x5c\\X", "v", REG_DWORD, "\1\0\0\0"s), ERROR_SUCCESS);
    ASSERT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "T", 0, KEY_READ, &key), ERROR_SUCCESS);
    store.enumSubKeys(key, subKeys);
    EXPECT_EQ(subKeys, std::vector<std::string>{"\x81\x5c"});
    store.RegCloseKey(key);
}

TEST(SqliteStore, CreatingAKeyCreatesItsParentsAndTheDefaultValueHasTheEmptyName) {
    TempFolder dir;
    SqliteStore store(dir / "r.db");
    HKEY key = 0;
    ASSERT_EQ(store.RegCreateKeyA(HKEY_LOCAL_MACHINE, "A\\B\\C", &key), ERROR_SUCCESS);
    store.RegCloseKey(key);
    for (const char* path : {"A", "A\\B", "A\\B\\C"}) {
        EXPECT_EQ(store.RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key), ERROR_SUCCESS) << path;
        store.RegCloseKey(key);
    }
    EXPECT_EQ(store.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A\\X", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(set(store, HKEY_LOCAL_MACHINE, "A", "", REG_SZ, "default"), ERROR_SUCCESS);
    ASSERT_EQ(set(store, HKEY_LOCAL_MACHINE, "A", " ", REG_SZ, "space"), ERROR_SUCCESS);
    EXPECT_EQ(get(store, HKEY_LOCAL_MACHINE, "A", "").bytes, "default\0"s);
    EXPECT_EQ(get(store, HKEY_LOCAL_MACHINE, "A", " ").bytes, "space\0"s);
    // A root opens as a key of its own.
    EXPECT_EQ(get(store, HKEY_LOCAL_MACHINE, "", "").status, ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(set(store, HKEY_LOCAL_MACHINE, "", "top", REG_SZ, "t"), ERROR_SUCCESS);
    EXPECT_EQ(get(store, HKEY_LOCAL_MACHINE, "", "top").bytes, "t\0"s);
}

TEST(SqliteStore, ValuesKeepTypeAndExactBytesAndTextGainsItsTerminator) {
    TempFolder dir;
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    {
        SqliteStore store(dir / "r.db");
        ASSERT_EQ(set(store, HKEY_USERS, "K", "bin", REG_BINARY, all), ERROR_SUCCESS);
        ASSERT_EQ(set(store, HKEY_USERS, "K", "short", REG_DWORD, "\x02\x01"s), ERROR_SUCCESS);
        ASSERT_EQ(set(store, HKEY_USERS, "K", "bare", REG_SZ, "abc"), ERROR_SUCCESS);
        ASSERT_EQ(set(store, HKEY_USERS, "K", "ended", REG_SZ, "abc\0"s), ERROR_SUCCESS);
        ASSERT_EQ(set(store, HKEY_USERS, "K", "empty", REG_SZ, ""), ERROR_SUCCESS);
        ASSERT_EQ(set(store, HKEY_USERS, "K", "none", REG_BINARY, ""), ERROR_SUCCESS);
    }
    SqliteStore store(dir / "r.db");  // and they survive closing the store
    Read r = get(store, HKEY_USERS, "K", "bin");
    EXPECT_EQ(r.type, REG_BINARY);
    EXPECT_EQ(r.bytes, all);
    r = get(store, HKEY_USERS, "K", "short");
    EXPECT_EQ(r.type, REG_DWORD);
    EXPECT_EQ(r.bytes, "\x02\x01"s);
    EXPECT_EQ(get(store, HKEY_USERS, "K", "bare").bytes, "abc\0"s);
    EXPECT_EQ(get(store, HKEY_USERS, "K", "ended").bytes, "abc\0"s);
    EXPECT_EQ(get(store, HKEY_USERS, "K", "empty").bytes, "\0"s);
    EXPECT_EQ(get(store, HKEY_USERS, "K", "none").bytes, "");
    EXPECT_EQ(get(store, HKEY_USERS, "K", "missing").status, ERROR_FILE_NOT_FOUND);

    // A buffer one byte short: "more data", the size needed, the buffer untouched.
    HKEY key = 0;
    ASSERT_EQ(store.RegOpenKeyExA(HKEY_USERS, "K", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::uint8_t buffer[3] = {7, 7, 7};
    DWORD size = 3;
    EXPECT_EQ(store.RegQueryValueExA(key, "bare", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[0], 7);
    store.RegCloseKey(key);
}

TEST(SqliteStore, HandlesRightsAndTreeDeletion) {
    TempFolder dir;
    SqliteStore store(dir / "r.db");
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "ab", "keep", REG_SZ, "1"), ERROR_SUCCESS);
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "a\\b\\c", "gone", REG_SZ, "1"), ERROR_SUCCESS);
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "a", "gone", REG_SZ, "1"), ERROR_SUCCESS);

    HKEY reader = 0, writer = 0;
    ASSERT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "a\\b", 0, KEY_READ, &reader), ERROR_SUCCESS);
    const std::uint8_t one = '1';
    EXPECT_EQ(store.RegSetValueExA(reader, "x", 0, REG_SZ, &one, 1), ERROR_ACCESS_DENIED);
    ASSERT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "a\\b", 0, KEY_WRITE, &writer), ERROR_SUCCESS);
    EXPECT_EQ(store.RegDeleteValueA(writer, "nothing"), ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(store.deleteTree(HKEY_CURRENT_USER, "A"), ERROR_SUCCESS);
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "a\\b\\c", "gone").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "a", "gone").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "ab", "keep").status, ERROR_SUCCESS);
    // A handle to a deleted key writes nothing, and no value is left without its key.
    EXPECT_EQ(store.RegSetValueExA(writer, "late", 0, REG_SZ, &one, 1), ERROR_KEY_DELETED);
    EXPECT_EQ(store.deleteTree(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);

    EXPECT_EQ(store.RegCloseKey(writer), ERROR_SUCCESS);
    EXPECT_EQ(store.RegCloseKey(writer), ERROR_INVALID_HANDLE);
    EXPECT_EQ(store.RegSetValueExA(writer, "x", 0, REG_SZ, &one, 1), ERROR_INVALID_HANDLE);
    store.RegCloseKey(reader);
}

TEST(SqliteStore, RefusesMalformedNames) {
    TempFolder dir;
    SqliteStore store(dir / "r.db");
    HKEY key = 0;
    EXPECT_EQ(store.RegCreateKeyA(HKEY_CURRENT_USER, std::string(255, 'k'), &key), ERROR_SUCCESS);
    store.RegCloseKey(key);
    for (std::string bad : {std::string(256, 'k'), "a\\\\b"s, "\\a"s, "a\\"s, "a\0b"s}) {
        EXPECT_NE(store.RegCreateKeyA(HKEY_CURRENT_USER, bad, &key), ERROR_SUCCESS) << bad;
        EXPECT_EQ(key, 0u);
    }
    std::string deep;
    for (int i = 0; i < 600; ++i) deep += "d\\";
    deep += "d";
    EXPECT_NE(store.RegCreateKeyA(HKEY_CURRENT_USER, deep, &key), ERROR_SUCCESS);
    EXPECT_NE(set(store, HKEY_CURRENT_USER, "ok", "a\0b"s, REG_SZ, "x"), ERROR_SUCCESS);
    // Bytes that are not code page 936 text cannot be told apart case-insensitively.
    EXPECT_NE(store.RegCreateKeyA(HKEY_CURRENT_USER, "\xff\xff", &key), ERROR_SUCCESS);
    EXPECT_EQ(store.RegOpenKeyExA(0x1234, "", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
}

TEST(SqliteStore, ANewStoreHoldsTheSeedOnce) {
    TempFolder dir;
    auto file = dir / "sub" / "r.db";  // its folder is created too
    {
        SqliteStore store(file);
        ASSERT_TRUE(store.ok()) << store.problem();
        EXPECT_EQ(unsavedSettingsNotice(store), "");
        General g(store);
        EXPECT_TRUE(g.GetStringValue("HKEY_CLASSES_ROOT\\lnkfile", "IsShortcut") == "");
        EXPECT_TRUE(g.GetStringValue("HKEY_CLASSES_ROOT\\piffile", "IsShortcut") == "");
        EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Control Panel\\desktop\\WindowMetrics", "MinAnimate") == "1");
        EXPECT_TRUE(g.GetBinaryValue("HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                                     "link") == "\x1e\0\0\0"s);
        // Writes to the seeded keys land, since the keys exist.
        g.SetDwordValue("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoRun",
                        1);
        EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::Written);
        g.SetStringValue("HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\fdc\\0000", "X", "y");
        EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::Written);
        g.DeleteValue(HKEY_CLASSES_ROOT, "lnkfile", "IsShortcut");
    }
    SqliteStore again(file);
    General g(again);
    EXPECT_TRUE(g.GetStringValue("HKEY_CLASSES_ROOT\\lnkfile", "IsShortcut").isError());
    EXPECT_TRUE(g.GetDwordValue("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                                "NoRun") == 1);
}

TEST(SqliteStore, AFileThatIsNoStoreIsLeftAloneAndEveryCallFails) {
    TempFolder dir;
    auto garbage = dir / "garbage.db";
    std::string junk(10000, 'x');
    std::ofstream(garbage, std::ios::binary) << junk;
    auto foreign = dir / "foreign.db";
    sqlite3* db = nullptr;
    sqlite3_open(foreign.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::string foreignBytes = fileBytes(foreign);

    for (const auto& file : {garbage, foreign}) {
        SqliteStore store(file);
        EXPECT_FALSE(store.ok());
        EXPECT_NE(store.problem().find(file.string()), std::string::npos) << store.problem();
        EXPECT_EQ(unsavedSettingsNotice(store).rfind("设置无法读取，也无法保存", 0), 0u);
        HKEY key = 0;
        EXPECT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &key), ERROR_BADDB);
        EXPECT_EQ(store.RegCreateKeyA(HKEY_CURRENT_USER, "New", &key), ERROR_BADDB);
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "", "v", REG_SZ, "x"), ERROR_BADDB);
        General g(store);
        EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Control Panel\\desktop", "x").isError());
    }
    EXPECT_EQ(fileBytes(garbage), junk);

    // A store that cannot be opened at all: a folder in its place, a file we may not read.
    SqliteStore folder(dir.path());
    EXPECT_FALSE(folder.ok());
    HKEY key = 0;
    EXPECT_EQ(folder.RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &key), ERROR_BADDB);
    auto locked = dir / "locked.db";
    { SqliteStore create(locked); }
    chmod(dir.path().c_str(), 0755);
    chmod(locked.c_str(), 0);
    EXPECT_EQ(testing::runWithoutPrivileges([&] {
                  SqliteStore store(locked);
                  return store.ok() || store.problem().empty() ? 1 : 0;
              }),
              0);
    chmod(locked.c_str(), 0600);
    EXPECT_EQ(fileBytes(foreign), foreignBytes);
}

TEST(SqliteStore, AStoreThatIsNotARegularFileIsRefusedAndNotFollowed) {
    TempFolder dir;
    auto target = dir / "elsewhere.txt";
    auto dangling = dir / "dangling.db";
    std::filesystem::create_symlink(target, dangling);
    auto empty = dir / "empty.txt";
    std::ofstream(empty).close();
    auto toEmpty = dir / "to-empty.db";
    std::filesystem::create_symlink(empty, toEmpty);
    auto fifo = dir / "fifo.db";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    for (const auto& file : {dangling, toEmpty, fifo}) {
        SqliteStore store(file);
        EXPECT_FALSE(store.ok()) << file;
        EXPECT_NE(store.problem().find("not a regular file"), std::string::npos) << store.problem();
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "x"), ERROR_BADDB);
    }
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(std::filesystem::file_size(empty), 0u);
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
}

TEST(SqliteStore, WithoutAnyHomeTheSuiteStoreIsUnusableAndSaysWhy) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to run as a user the password database does not know";
    uid_t stranger = 54321;
    while (getpwuid(stranger)) ++stranger;
    pid_t pid = fork();
    if (pid == 0) {
        unsetenv("HOME");
        unsetenv("XDG_DATA_HOME");
        if (setuid(stranger) != 0) _exit(3);
        try {
            platform::ensureSuiteDataDir();
            _exit(2);  // a folder was chosen
        } catch (const platform::NoDataDir&) {
        }
        SqliteStore store(suiteStorePath());
        _exit(!store.ok() && store.problem().find("HOME") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(SqliteStore, DamageFoundWhileReadingMakesTheStoreFailWithoutTouchingIt) {
    TempFolder dir;
    auto file = dir / "r.db";
    {
        SqliteStore store(file);
        for (int i = 0; i < 300; ++i)
            set(store, HKEY_CURRENT_USER, "Big", "value" + std::to_string(i), REG_SZ, std::string(200, 'v'));
    }
    // Scribble over every page after the first (the header and schema stay readable).
    std::string bytes = fileBytes(file);
    ASSERT_GT(bytes.size(), 8192u);
    for (size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;

    SqliteStore store(file);
    General g(store);
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Big", "value7").isError());
    EXPECT_FALSE(store.ok());
    EXPECT_NE(store.problem().find("damaged"), std::string::npos) << store.problem();
    EXPECT_EQ(set(store, HKEY_CURRENT_USER, "Big", "new", REG_SZ, "x"), ERROR_BADDB);
    EXPECT_EQ(fileBytes(file), bytes);
}

// What a store that may be read but not changed must do; 0 when it all holds.
int readsButRefusesWrites(const std::filesystem::path& file) {
    SqliteStore store(file);
    int bad = 0;
    bad += !store.ok();
    bad += get(store, HKEY_CURRENT_USER, "k", "V").bytes != "kept\0"s;
    bad += set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "changed") != ERROR_ACCESS_DENIED;
    HKEY key = 0;
    bad += store.RegCreateKeyA(HKEY_CURRENT_USER, "K", &key) != ERROR_SUCCESS;  // exists: opens
    bad += store.RegCreateKeyA(HKEY_CURRENT_USER, "New", &key) != ERROR_ACCESS_DENIED;
    bad += store.problem().find("read-only") == std::string::npos;
    bad += unsavedSettingsNotice(store).rfind("设置无法保存", 0) != 0;
    return bad;
}

TEST(SqliteStore, AReadOnlyStoreReadsButDoesNotWrite) {
    TempFolder dir;
    auto file = dir / "r.db";
    {
        SqliteStore store(file);
        ASSERT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "kept"), ERROR_SUCCESS);
    }
    std::string before = fileBytes(file);
    // A read-only file in a folder we may write to (room for the WAL index) and in one
    // we may not; a writable file in a folder we may not write to (no WAL index at all).
    for (mode_t fileMode : {0444, 0666})
        for (mode_t folderMode : {0777, 0555}) {
            if (fileMode == 0666 && folderMode == 0777) continue;
            // An earlier reader leaves a WAL index behind, through which one could write.
            std::filesystem::remove(file.string() + "-shm");
            std::filesystem::remove(file.string() + "-wal");
            chmod(file.c_str(), fileMode);
            chmod(dir.path().c_str(), folderMode);
            int failures = testing::runWithoutPrivileges([&] { return readsButRefusesWrites(file); });
            EXPECT_EQ(failures, 0) << "file mode " << std::oct << fileMode << ", folder mode " << folderMode;
        }
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(fileBytes(file), before);
}

TEST(SqliteStore, AStoreOnAFullDiskStillReads) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to mount a small tmpfs";
    TempFolder dir;
    // A mount namespace of its own keeps the mount from outliving the child.
    pid_t pid = fork();
    if (pid == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) _exit(77);
        if (mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=256k") != 0) _exit(77);
        auto file = dir / "r.db";
        {
            SqliteStore store(file);
            if (set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "kept") != ERROR_SUCCESS) _exit(90);
        }
        std::filesystem::remove(file.string() + "-shm");
        {
            std::ofstream fill(dir / "fill", std::ios::binary);
            std::string block(4096, 'f');
            while (fill.write(block.data(), static_cast<std::streamsize>(block.size())) && fill.flush()) {
            }
        }
        _exit(readsButRefusesWrites(file));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no tmpfs could be mounted here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(SqliteStore, ABatchIsKeptWholeOnCommitAndNotAtAllOtherwise) {
    TempFolder dir;
    auto file = dir / "r.db";
    SqliteStore store(file, std::chrono::milliseconds(100));
    SqliteStore other(file, std::chrono::milliseconds(100));
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "old"), ERROR_SUCCESS);
    {
        Batch batch(store);
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "new"), ERROR_SUCCESS);
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "bad\0name"s, REG_SZ, "x"), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K\\Sub", "w", REG_SZ, "x"), ERROR_SUCCESS);
        EXPECT_EQ(get(store, HKEY_CURRENT_USER, "K", "v").bytes, "new\0"s);  // the batch sees its own writes
        // Others see none of it before the commit, and wait to write.
        EXPECT_EQ(get(other, HKEY_CURRENT_USER, "K", "v").bytes, "old\0"s);
        EXPECT_EQ(get(other, HKEY_CURRENT_USER, "K\\Sub", "w").status, ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(set(other, HKEY_CURRENT_USER, "K", "v", REG_SZ, "theirs"), ERROR_BUSY);
        {
            Batch inner(store);  // joins the outer batch
            EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "inner", REG_SZ, "y"), ERROR_SUCCESS);
            EXPECT_EQ(inner.commit(), ERROR_SUCCESS);
        }
        EXPECT_EQ(get(other, HKEY_CURRENT_USER, "K", "inner").status, ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(batch.commit(), ERROR_SUCCESS);
    }
    EXPECT_EQ(get(other, HKEY_CURRENT_USER, "K\\Sub", "w").bytes, "x\0"s);
    EXPECT_EQ(get(other, HKEY_CURRENT_USER, "K", "inner").bytes, "y\0"s);

    // Left without commit: undone.
    {
        Batch batch(store);
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "abandoned"), ERROR_SUCCESS);
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "Gone", "v", REG_SZ, "abandoned"), ERROR_SUCCESS);
    }
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "K", "v").bytes, "new\0"s);
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "Gone", "v").status, ERROR_FILE_NOT_FOUND);

    // A batch that cannot get the store keeps nothing, even once the store is free again.
    sqlite3* lock = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &lock), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(lock, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    {
        Batch batch(store);
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "first"), ERROR_BUSY);
        sqlite3_exec(lock, "COMMIT", nullptr, nullptr, nullptr);
        EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "later", REG_SZ, "second"), ERROR_BUSY);
        EXPECT_EQ(batch.commit(), ERROR_BUSY);
    }
    sqlite3_close(lock);
    EXPECT_EQ(get(other, HKEY_CURRENT_USER, "K", "later").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "after"), ERROR_SUCCESS);  // the next write goes on
}

TEST(SqliteStore, AWriteThatCannotGetTheStoreFailsAndChangesNothing) {
    TempFolder dir;
    auto file = dir / "r.db";
    SqliteStore store(file, std::chrono::milliseconds(100));
    ASSERT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "old"), ERROR_SUCCESS);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "new"), ERROR_BUSY);
    HKEY key = 0;
    EXPECT_EQ(store.RegCreateKeyA(HKEY_CURRENT_USER, "Other", &key), ERROR_BUSY);
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "K", "v").bytes, "old\0"s);  // reads go on meanwhile
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_TRUE(store.ok());
    EXPECT_EQ(get(store, HKEY_CURRENT_USER, "K", "v").bytes, "old\0"s);
    EXPECT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "Other", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(set(store, HKEY_CURRENT_USER, "K", "v", REG_SZ, "new"), ERROR_SUCCESS);
}

}  // namespace
}  // namespace registry
