// The reg commands over real stores: round trips, query layout, .reg files, failures.
#include "registry/reg/reg.h"

#include <gtest/gtest.h>

#include <fstream>

#include "registry/reg/reg_file.h"
#include "registry/tests/reg_fixture.h"

namespace registry {
namespace {

using namespace std::string_literals;
using testing::dump;
using testing::Dump;
using testing::fileBytes;
using testing::Outcome;
using testing::reg;
using testing::RegTest;

TEST_F(RegTest, AddQueryExportImportRoundTrip) {
    const std::string key = "HKCU\\Software\\测试";
    EXPECT_EQ(reg(store, {"add", key, "/v", "名字", "/d", "我的电脑 \"引号\" C:\\路径"}).status, 0);
    EXPECT_EQ(reg(store, {"add", key, "/v", "Count", "/t", "REG_DWORD", "/d", "0x1e"}).status, 0);
    EXPECT_EQ(reg(store, {"add", key, "/v", "Zeros", "/t", "reg_binary", "/d", "3030"}).status, 0);
    EXPECT_EQ(reg(store, {"add", key, "/ve", "/d", "默认"}).status, 0);
    EXPECT_EQ(reg(store, {"add", key + "\\Empty"}).status, 0);

    Outcome q = reg(store, {"query", "HKEY_CURRENT_USER\\Software\\测试"});
    EXPECT_EQ(q.status, 0);
    EXPECT_EQ(q.out,
              "\nHKEY_CURRENT_USER\\Software\\测试\n"
              "    (Default)    REG_SZ    默认\n"
              "    Count    REG_DWORD    0x1e\n"
              "    Zeros    REG_BINARY    3030\n"
              "    名字    REG_SZ    我的电脑 \"引号\" C:\\路径\n"
              "\n"
              "HKEY_CURRENT_USER\\Software\\测试\\Empty\n");
    EXPECT_EQ(reg(store, {"query", key, "/v", "count"}).out,
              "\nHKEY_CURRENT_USER\\Software\\测试\n    Count    REG_DWORD    0x1e\n\n");

    auto file = dir / "out.reg";
    ASSERT_EQ(reg(store, {"export", key, file.string(), "/a"}).status, 0);
    std::string text = fileBytes(file);
    EXPECT_EQ(text.substr(0, 12), "REGEDIT4\r\n\r\n");
    EXPECT_NE(text.find("\"Count\"=dword:0000001e\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Zeros\"=hex:30,30\r\n"), std::string::npos);
    EXPECT_NE(text.find("\xc3\xfb\xd7\xd6"), std::string::npos);  // 名字 in code page 936

    // Either form, imported into an empty store, gives the same store and listing.
    put("Software\\\xb2\xe2\xca\xd4\\Deep\\Deeper", "gb18030", REG_SZ, "\x94\x39\xfc\x36");  // 😀 kept as GB18030
    put("Software\\\xb2\xe2\xca\xd4\\Deep", "lines", REG_MULTI_SZ, "\xd6\xd0\r\n\0b\0\0"s);
    put("Software\\\xb2\xe2\xca\xd4\\Deep", "ended", REG_SZ, "\xd6\xd0\0"s);
    Outcome all = reg(store, {"query", key, "/s"});
    int n = 0;
    for (std::vector<std::string> form : {std::vector<std::string>{}, {"/a"}}) {
        std::vector<std::string> args{"export", key, file.string(), "/y"};
        args.insert(args.end(), form.begin(), form.end());
        ASSERT_EQ(reg(store, args).status, 0);
        SqliteStore copy(dir / ("copy" + std::to_string(++n) + ".db").c_str());
        ASSERT_EQ(reg(copy, {"import", file.string()}).status, 0);
        EXPECT_EQ(reg(copy, {"query", key, "/s"}).out, all.out) << n;
        EXPECT_EQ(dump(copy, HKEY_CURRENT_USER, "Software\\\xb2\xe2\xca\xd4"),
                  dump(store, HKEY_CURRENT_USER, "Software\\\xb2\xe2\xca\xd4"));
    }
    EXPECT_NE(all.out.find("😀"), std::string::npos);
}

TEST_F(RegTest, ExportThenImportKeepsEveryByte) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    put("T", "", REG_SZ, "");
    put("T", "bare", REG_SZ, "text");
    put("T", "ended", REG_SZ, "text\0"s);
    put("T", "lines", REG_SZ, "one\r\ntwo");
    put("T", "quoted \"\\ name", REG_SZ, "\\\"\\\\ \"");
    put("T", "gbk\x81\x5c", REG_SZ, "\x81\x5c\\\x81\x5c");  // 乗: its second byte is a backslash
    put("T", "broken", REG_SZ, "\x81");
    put("T", "all", REG_BINARY, all);
    put("T", "none", REG_BINARY, "");
    put("T", "short", REG_DWORD, "\1\2"s);
    put("T", "dword", REG_DWORD, "\xff\xff\xff\x7f");
    put("T", "qword", REG_QWORD, "\1\2\3\4\5\6\7\x08");
    put("T", "expand", REG_EXPAND_SZ, "%PATH%\0"s);
    put("T", "multi", REG_MULTI_SZ, "a\0b\0\0"s);
    put("T", "odd type", 0x4321, "x");
    put("T\\\x81\x5c\\inner", "v", REG_SZ, "deep");
    put("T\\Empty", "", REG_NONE, "");
    HKEY key = 0;
    store.RegCreateKeyA(HKEY_CURRENT_USER, "T\\NoValues", &key);
    store.RegCloseKey(key);

    auto file = dir / "all.reg";
    ASSERT_EQ(reg(store, {"export", "HKEY_CURRENT_USER\\T", file.string()}).status, 0);
    ASSERT_EQ(reg(empty, {"import", file.string()}).status, 0);
    Dump original = dump(store, HKEY_CURRENT_USER, "T");
    EXPECT_EQ(dump(empty, HKEY_CURRENT_USER, "T"), original);
    EXPECT_EQ(original.size(), 22u);
    // Exporting the copy gives the same file.
    auto again = dir / "again.reg";
    ASSERT_EQ(reg(empty, {"export", "HKEY_CURRENT_USER\\T", again.string()}).status, 0);
    EXPECT_EQ(fileBytes(again), fileBytes(file));
}

TEST_F(RegTest, ImportReadsWhatTheEditorWrites) {
    auto file = dir / "in.reg";
    std::ofstream(file, std::ios::binary) << "\nREGEDIT4\n\n; a comment\n"
                                             "[HKEY_CURRENT_USER\\Control Panel\\desktop\\WindowMetrics]\n"
                                             "\"MinAnimate\"=\"0\"\n"
                                             "\"Wrapped\"=hex:01,02,\\\n  03,04\n"
                                             "  \"Big\" = dword:FFFFFFFF\n"
                                             "[-HKEY_CLASSES_ROOT\\lnkfile]\n"
                                             "[HKEY_CLASSES_ROOT\\piffile]\n"
                                             "\"IsShortcut\"=-\n";
    ASSERT_EQ(reg(store, {"import", file.string()}).status, 0);
    Dump d = dump(store, HKEY_CURRENT_USER, "Control Panel\\desktop\\WindowMetrics");
    Dump expected{{"Control Panel\\desktop\\WindowMetrics", "<key>", 0, ""},
                  {"Control Panel\\desktop\\WindowMetrics", "Big", REG_DWORD, "\xff\xff\xff\xff"},
                  {"Control Panel\\desktop\\WindowMetrics", "MinAnimate", REG_SZ, "0"},
                  {"Control Panel\\desktop\\WindowMetrics", "Wrapped", REG_BINARY, "\1\2\3\4"}};
    EXPECT_EQ(d, expected);
    HKEY key = 0;
    EXPECT_EQ(store.RegOpenKeyExA(HKEY_CLASSES_ROOT, "lnkfile", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(dump(store, HKEY_CLASSES_ROOT, "piffile").size(), 1u);

    // A file with a fault anywhere changes nothing, and the message names the line.
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\New]\r\n"
                                                               "\"a\"=\"1\"\r\n\"b\"=hex:zz\r\n";
    Outcome bad = reg(store, {"import", file.string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("line 5"), std::string::npos) << bad.err;
    EXPECT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "New", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    for (std::string text : {"Windows Registry Editor Version 4.00\r\n"s, "REGEDIT4\r\n\"a\"=\"1\"\r\n"s,
                             "REGEDIT4\r\n[HKEY_NOWHERE\\x]\r\n"s, "REGEDIT4\r\n[HKCU\\x]\r\n"s,
                             "REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a=\"1\"\r\n"s,
                             "REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=dword:123456789\r\n"s}) {
        std::vector<reg::RegFileKey> keys;
        std::string error;
        EXPECT_FALSE(reg::parseRegFile(text, keys, error)) << text;
        EXPECT_TRUE(keys.empty());
    }
}

TEST_F(RegTest, FailuresExitWithOneLine) {
    const std::vector<std::vector<std::string>> failing{
        {"query", "HKCU\\Missing"},
        {"query", "HKCU\\Control Panel\\desktop", "/v", "Missing"},
        {"query", "HKXX\\Software"},
        {"query"},
        {"query", "HKCU", "/z"},
        {"query", "HKCU", "/v"},
        {"frobnicate"},
        {"add", "HKCU\\N", "/v", "d", "/t", "REG_DWORD", "/d", "-1"},
        {"add", "HKCU\\N", "/v", "d", "/t", "REG_DWORD", "/d", "0x100000000"},
        {"add", "HKCU\\N", "/v", "b", "/t", "REG_BINARY", "/d", "zz"},
        {"add", "HKCU\\N", "/v", "x", "/t", "REG_TEXT"},
        {"add", "HKCU\\N", "/v", "x", "/d", "smile \xF0\x9F\x98\x80"},
        {"add", "HKCU\\N", "/v", "x", "/ve"},
        {"add", "HKCU\\N", "/v", "d", "/t", "REG_DWORD"},
        {"add", "HKCU\\N", "/v", "d", "/t", "REG_QWORD", "/d", "18446744073709551616"},
        {"add", "HKCU\\N", "/v", "d", "/t", "REG_DWORD_BIG_ENDIAN", "/d", ""},
        {"add", "HKCU\\N", "/v", "m", "/t", "REG_MULTI_SZ", "/d", "a\\0\\0b"},
        {"add", "HKCU\\N", "/v", "m", "/t", "REG_MULTI_SZ", "/s", "ab", "/d", "a"},
        {"add", "HKCU\\N", "/v", "m", "/s", ",", "/d", "a"},
        {"add", "HKCU\\N", "HKCU\\M"},
        {"add", "HKCU\\", "/v", "X", "/d", "on the root"},  // no key below the root
        {"add", "HKEY_CURRENT_USER\\", "/v", "X", "/f"},
        {"add", "HKCU\\N\\\\", "/v", "X"},
        {"query", "HKCU", "/se", "ab"},
        {"delete", "HKCU", "/f"},
        {"delete", "HKCU\\Missing", "/f"},
        {"delete", "HKCU\\Control Panel", "/v", "Missing", "/f"},
        {"export", "HKCU\\Missing", (dir / "x.reg").string()},
        {"export", "HKCU\\Control Panel", "/y", (dir / "x.reg").string()},  // the switches come last
        {"export", "/a", "HKCU\\Control Panel", (dir / "x.reg").string()},
        {"import", (dir / "absent.reg").string()},
    };
    Dump before = dump(store, HKEY_CURRENT_USER, "");
    for (const auto& args : failing) {
        Outcome o = reg(store, args);
        std::string line = args.empty() ? "" : args[0];
        EXPECT_EQ(o.status, 1) << line << " " << (args.size() > 1 ? args[1] : "");
        ASSERT_FALSE(o.err.empty()) << line;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
        EXPECT_EQ(o.err.rfind("ERROR: ", 0), 0u) << o.err;
    }
    EXPECT_EQ(dump(store, HKEY_CURRENT_USER, ""), before);
}

TEST_F(RegTest, QuestionsGuardOverwritesAndDeletions) {
    ASSERT_EQ(reg(store, {"add", "HKCU\\Q", "/v", "v", "/d", "old"}).status, 0);
    EXPECT_EQ(reg(store, {"add", "HKCU\\Q", "/v", "V", "/d", "new"}, "no\n").status, 1);
    EXPECT_EQ(reg(store, {"add", "HKCU\\Q", "/v", "V", "/d", "new"}, "").status, 1);  // no answer is no
    EXPECT_NE(reg(store, {"query", "HKCU\\Q", "/v", "v"}).out.find("old"), std::string::npos);
    Outcome yes = reg(store, {"add", "HKCU\\Q", "/v", "V", "/d", "new"}, "yes\n");
    EXPECT_EQ(yes.status, 0);
    EXPECT_NE(yes.out.find("overwrite"), std::string::npos);
    EXPECT_NE(reg(store, {"query", "HKCU\\Q", "/v", "v"}).out.find("new"), std::string::npos);

    ASSERT_EQ(reg(store, {"add", "HKCU\\Q", "/ve", "/d", "d"}).status, 0);
    ASSERT_EQ(reg(store, {"add", "HKCU\\Q", "/v", "w", "/d", "w"}).status, 0);
    ASSERT_EQ(reg(store, {"add", "HKCU\\Q\\Sub", "/v", "s", "/d", "s"}).status, 0);
    EXPECT_EQ(reg(store, {"delete", "HKCU\\Q", "/ve", "/f"}).status, 0);
    EXPECT_EQ(reg(store, {"query", "HKCU\\Q", "/ve"}).out, "\nHKEY_CURRENT_USER\\Q\n    (Default)    REG_SZ    (value not set)\n\n");
    EXPECT_EQ(reg(store, {"delete", "HKCU\\Q", "/va"}, "n\n").status, 1);
    EXPECT_EQ(reg(store, {"delete", "HKCU\\Q", "/va"}, "y\n").status, 0);
    EXPECT_EQ(dump(store, HKEY_CURRENT_USER, "Q").size(), 3u);  // Q and Sub with its value stay

    auto file = dir / "q.reg";
    std::ofstream(file) << "keep";
    EXPECT_EQ(reg(store, {"export", "HKCU\\Q", file.string()}, "n\n").status, 1);
    EXPECT_EQ(fileBytes(file), "keep");
    EXPECT_EQ(reg(store, {"export", "HKCU\\Q", file.string(), "/y"}).status, 0);

    EXPECT_EQ(reg(store, {"delete", "HKCU\\Q"}, "n\n").status, 1);
    EXPECT_EQ(reg(store, {"delete", "hkey_current_user\\q", "/f"}).status, 0);
    EXPECT_EQ(reg(store, {"query", "HKCU\\Q"}).status, 1);
}

TEST_F(RegTest, ADamagedStoreIsReportedInItsOwnWords) {
    auto file = dir / "bad.db";
    std::ofstream(file, std::ios::binary) << std::string(5000, 'x');
    SqliteStore bad(file);
    std::ostringstream out, err;
    std::istringstream in;
    reg::Context ctx{bad, out, err, in, [&] { return bad.problem(); }};
    EXPECT_EQ(reg::run(ctx, {"query", "HKCU"}), 1);
    EXPECT_NE(err.str().find(file.string()), std::string::npos) << err.str();
}

}  // namespace
}  // namespace registry
