// .reg files as real machines hold them: Version 5.00 in UTF-16LE, UTF-8 and ASCII,
// comments and layout, every value type, and files that must change nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

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
using testing::values;

// A UTF-16LE file with its byte-order mark, each unit written low byte first.
std::string utf16le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t u : text) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    return out;
}

const std::string kKey = "Software\\\xb2\xe2\xca\xd4";  // 测试 in code page 936

TEST_F(RegTest, Version5Utf16FileKeepsEveryTypeAndByteAndExportsInBothForms) {
    put(kKey, "Gone", REG_SZ, "x");
    put(kKey + "\\Old", "v", REG_SZ, "x");
    std::string file = utf16le(
        u"Windows Registry Editor Version 5.00  \r\n"
        u"\r\n"
        u"; exported on another machine\r\n"
        u"# a note\r\n"
        u"   \r\n"
        u"[HKEY_CURRENT_USER\\Software\\测试] ; the key\r\n"
        u"@=\"默认\"\r\n"
        u"\"名字\"=\"中文 \\\"引号\\\" \\\\ 😀 한\"  ; after a string\r\n"
        u"\"Count\"=dword:0000001e ;after a dword\r\n"
        u"\"Path\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n"
        u"\"List\"=hex(7):61,00,00,00,2d,4e,00,00,00,00\r\n"
        u"\"Big\"=hex(b):88,77,66,55,44,33,22,11\r\n"
        u"\"None\"=hex(0):\r\n"
        u"\"BE\"=hex(5):00,00,00,01\r\n"
        u"\"Link\"=hex(6):41,00,42,00\r\n"
        u"\"Res\"=hex(8):01,02,\\ ; a comment after a continuation\r\n"
        u"  03,04\r\n"
        u"\"Bin\"=hex:ff,00\r\n"
        u"\"Odd\"=hex(1):41\r\n"
        u"\"Gone\"=-\r\n"
        u"\r\n"
        u"[-HKEY_CURRENT_USER\\Software\\测试\\Old]\r\n");
    Outcome o = importBytes(store, file);
    ASSERT_EQ(o.status, 0) << o.err;

    std::map<std::string, std::pair<DWORD, std::string>> expected{
        {"", {REG_SZ, "\xc4\xac\xc8\xcf"}},
        // Characters without a code page 936 form keep their GB18030 codes.
        {"\xc3\xfb\xd7\xd6", {REG_SZ, "\xd6\xd0\xce\xc4 \"\xd2\xfd\xba\xc5\" \\ \x94\x39\xfc\x36 \x83\x36\x84\x33"}},
        {"Count", {REG_DWORD, "\x1e\0\0\0"s}},
        {"Path", {REG_EXPAND_SZ, "%PATH%\0"s}},
        {"List", {REG_MULTI_SZ, "a\0\xd6\xd0\0\0"s}},
        {"Big", {REG_QWORD, "\x88\x77\x66\x55\x44\x33\x22\x11"}},
        {"None", {REG_NONE, ""}},
        {"BE", {REG_DWORD_BIG_ENDIAN, "\0\0\0\1"s}},
        {"Link", {REG_LINK, "A\0B\0"s}},
        {"Res", {8, "\1\2\3\4"}},
        {"Bin", {REG_BINARY, "\xff\0"s}},
        {"Odd", {REG_SZ, "A"}},  // no UTF-16 text: kept as it came
    };
    EXPECT_EQ(values(store, HKEY_CURRENT_USER, kKey), expected);
    HKEY key = 0;
    EXPECT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, kKey + "\\Old", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);

    auto out = dir / "out.reg";
    ASSERT_EQ(reg(store, {"export", "HKCU\\Software\\测试", out.string(), "/a"}).status, 0);
    EXPECT_EQ(fileBytes(out),
              "REGEDIT4\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\\xb2\xe2\xca\xd4]\r\n"
              "@=\"\xc4\xac\xc8\xcf\"\r\n"
              "\"BE\"=hex(5):00,00,00,01\r\n"
              "\"Big\"=hex(b):88,77,66,55,44,33,22,11\r\n"
              "\"Bin\"=hex:ff,00\r\n"
              "\"Count\"=dword:0000001e\r\n"
              "\"Link\"=hex(6):41,00,42,00\r\n"
              "\"List\"=hex(7):61,00,d6,d0,00,00\r\n"
              "\"None\"=hex(0):\r\n"
              "\"Odd\"=\"A\"\r\n"
              "\"Path\"=hex(2):25,50,41,54,48,25,00\r\n"
              "\"Res\"=hex(8):01,02,03,04\r\n"
              "\"\xc3\xfb\xd7\xd6\"=hex(1):d6,d0,ce,c4,20,22,d2,fd,ba,c5,22,20,5c,20,94,39,fc,36,20,83,36,\\\r\n"
              "  84,33,00\r\n"
              "\r\n");
    ASSERT_EQ(reg(empty, {"import", out.string()}).status, 0);
    EXPECT_EQ(dump(empty, HKEY_CURRENT_USER, kKey), dump(store, HKEY_CURRENT_USER, kKey));
    // The default export is the editor's own form again, less the comments and removals.
    ASSERT_EQ(reg(store, {"export", "HKCU\\Software\\测试", out.string(), "/y"}).status, 0);
    EXPECT_EQ(fileBytes(out), utf16le(u"Windows Registry Editor Version 5.00\r\n\r\n"
                                      u"[HKEY_CURRENT_USER\\Software\\测试]\r\n"
                                      u"@=\"默认\"\r\n"
                                      u"\"BE\"=hex(5):00,00,00,01\r\n"
                                      u"\"Big\"=hex(b):88,77,66,55,44,33,22,11\r\n"
                                      u"\"Bin\"=hex:ff,00\r\n"
                                      u"\"Count\"=dword:0000001e\r\n"
                                      u"\"Link\"=hex(6):41,00,42,00\r\n"
                                      u"\"List\"=hex(7):61,00,00,00,2d,4e,00,00,00,00\r\n"
                                      u"\"None\"=hex(0):\r\n"
                                      u"\"Odd\"=\"A\"\r\n"
                                      u"\"Path\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n"
                                      u"\"Res\"=hex(8):01,02,03,04\r\n"
                                      u"\"名字\"=\"中文 \\\"引号\\\" \\\\ 😀 한\"\r\n"
                                      u"\r\n"));
    // The terminal shows the characters that code page 936 lacks.
    EXPECT_NE(reg(store, {"query", "HKCU\\Software\\测试", "/v", "名字"}).out.find("😀 한"), std::string::npos);
}

TEST_F(RegTest, Version5FilesInUtf8AndAsciiReadAsTheUtf16OneDoes) {
    const std::string body =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\测试]\r\n"
        "\"名字\"=\"中文\"\r\n"
        "\"Path\"=hex(2):25,00,41,00,00,00\r\n";
    std::u16string wide =
        u"Windows Registry Editor Version 5.00\r\n\r\n"
        u"[HKEY_CURRENT_USER\\Software\\测试]\r\n"
        u"\"名字\"=\"中文\"\r\n"
        u"\"Path\"=hex(2):25,00,41,00,00,00\r\n";
    ASSERT_EQ(importBytes(store, utf16le(wide)).status, 0);
    Dump expected = dump(store, HKEY_CURRENT_USER, kKey);
    ASSERT_EQ(expected.size(), 3u);
    int n = 0;
    // With a mark, without one, and the same file saved in code page 936.
    for (const std::string& file : {"\xEF\xBB\xBF" + body, body,
                                    "Windows Registry Editor Version 5.00\r\n\r\n"
                                    "[HKEY_CURRENT_USER\\Software\\\xb2\xe2\xca\xd4]\r\n"
                                    "\"\xc3\xfb\xd7\xd6\"=\"\xd6\xd0\xce\xc4\"\r\n"
                                    "\"Path\"=hex(2):25,00,41,00,00,00\r\n"s}) {
        SqliteStore other(dir / ("s" + std::to_string(++n) + ".db").c_str());
        Outcome o = importBytes(other, file);
        ASSERT_EQ(o.status, 0) << n << o.err;
        EXPECT_EQ(dump(other, HKEY_CURRENT_USER, kKey), expected) << n;
    }
    SqliteStore ascii(dir / "ascii.db");
    ASSERT_EQ(importBytes(ascii, "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"1\"\n").status, 0);
    EXPECT_EQ(values(ascii, HKEY_CURRENT_USER, "A").at("v"), std::make_pair(REG_SZ, "1"s));
}

TEST_F(RegTest, EveryValueTypeTravelsThroughExportAndImport) {
    for (DWORD type = 0; type <= 11; ++type) {
        std::string bytes = "\x01\x00\xfe"s + static_cast<char>(type);
        put("T", "t" + std::to_string(type), type, bytes);
    }
    put("T", "dword", REG_DWORD, "\x78\x56\x34\x12");
    put("T", "text", REG_SZ, "plain");
    auto file = dir / "types.reg";
    ASSERT_EQ(reg(store, {"export", "HKCU\\T", file.string(), "/a"}).status, 0);
    EXPECT_EQ(fileBytes(file),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\T]\r\n"
              "\"dword\"=dword:12345678\r\n"
              "\"t0\"=hex(0):01,00,fe,00\r\n\"t1\"=hex(1):01,00,fe,01,00\r\n"
              "\"t10\"=hex(a):01,00,fe,0a\r\n\"t11\"=hex(b):01,00,fe,0b\r\n"
              "\"t2\"=hex(2):01,00,fe,02\r\n\"t3\"=hex:01,00,fe,03\r\n"
              "\"t4\"=dword:04fe0001\r\n\"t5\"=hex(5):01,00,fe,05\r\n"
              "\"t6\"=hex(6):01,00,fe,06\r\n\"t7\"=hex(7):01,00,fe,07\r\n"
              "\"t8\"=hex(8):01,00,fe,08\r\n\"t9\"=hex(9):01,00,fe,09\r\n"
              "\"text\"=\"plain\"\r\n\r\n");
    ASSERT_EQ(reg(empty, {"import", file.string()}).status, 0);
    EXPECT_EQ(dump(empty, HKEY_CURRENT_USER, "T"), dump(store, HKEY_CURRENT_USER, "T"));

    // Bytes of a text type that are no text, but read as UTF-16, cannot pass a Version
    // 5.00 file unchanged: each is named, and the rest arrives whole.
    Outcome v5 = reg(store, {"export", "HKCU\\T", file.string(), "/y"});
    EXPECT_EQ(v5.status, 0);
    for (std::string name : {"t1 ", "t2 ", "t7 "}) EXPECT_NE(v5.err.find("WARNING: the data of " + name), std::string::npos) << v5.err;
    EXPECT_EQ(std::count(v5.err.begin(), v5.err.end(), '\n'), 3) << v5.err;
    SqliteStore other(dir / "other.db");
    ASSERT_EQ(reg(other, {"import", file.string()}).status, 0);
    Dump lossy = dump(store, HKEY_CURRENT_USER, "T"), got = dump(other, HKEY_CURRENT_USER, "T");
    auto text = [](const auto& row) { return std::get<1>(row) == "t1" || std::get<1>(row) == "t2" || std::get<1>(row) == "t7"; };
    std::erase_if(lossy, text);
    std::erase_if(got, text);
    EXPECT_EQ(got, lossy);
}

TEST_F(RegTest, ParserRefusesBrokenLinesAndNamesTheLine) {
    const std::vector<std::pair<std::string, int>> refused{
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\x] junk\r\n", 2},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=\"1\" junk\r\n", 3},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=dword:1 2\r\n", 3},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=hex:01,\\\r\n  zz\r\n", 4},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\nvalue\r\n", 3},
        {"REGEDIT4 junk\r\n", 1},
        {"\xFF\xFE" "R\0E\0G\0\0\xDC"s, 1},  // a lone surrogate
        {"\xEF\xBB\xBFREGEDIT4\r\n[HKEY_CURRENT_USER\\\xff]\r\n", 2},  // a mark, then no UTF-8
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\한]\r\n", 2},
        {"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\x]\r\n\"한\"=\"1\"\r\n", 3},
    };
    for (const auto& [text, line] : refused) {
        std::vector<reg::RegFileKey> keys;
        std::string error;
        EXPECT_FALSE(reg::parseRegFile(text, keys, error)) << text;
        EXPECT_EQ(error.rfind("line " + std::to_string(line) + ":", 0), 0u) << text << " -> " << error;
    }
}

TEST_F(RegTest, HandEditedFilesContinueHexListsOverBlanksAndCommentsOnly) {
    const std::string start = "REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\"=";
    const std::vector<std::pair<std::string, std::string>> kept{
        {"hex:01,\\\r\n\r\n  02\r\n", "\1\2"},
        {"hex:01,\\\r\n; a note\r\n  ; an indented one\r\n  02,\\ ; after the backslash\r\n  03\r\n", "\1\2\3"},
        {"hex:01,\\", "\1"},  // the file ends inside the list: what came is kept
        {"hex:01,20\\", "\1\x20"},
        {"hex:01,\\\r\n\r\n; the end\r\n", "\1"},
        {"hex(1):41,42,00\r\n", "AB"},  // text keeps no terminator, as a quoted string
        {"hex(1):41,42\r\n", "AB"},
        {"\"\\\\ \\\"\"\r\n", "\\ \""},
    };
    for (const auto& [value, bytes] : kept) {
        std::vector<reg::RegFileKey> keys;
        std::string error;
        ASSERT_TRUE(reg::parseRegFile(start + value, keys, error)) << value << error;
        EXPECT_EQ(keys.at(0).values.at(0).data, bytes) << value;
    }
    const std::vector<std::pair<std::string, int>> refused{
        {"hex:01\\\r\n  ,02\r\n", 3},                           // the comma moved to the next line
        {"hex:01,\\\r\n  ,02\r\n", 4},
        {"hex:01,0\\\r\n  2,03\r\n", 3},                         // a byte split across two lines
        {"hex:01,\\\r\n\\\r\n  02\r\n", 4},                      // a lone backslash
        {"hex:01,\\\r\n; a note\r\n\"b\"=\"x\"\r\n", 5},        // a dangling backslash, then a value
        {"hex:01,\\\r\n\r\n[HKEY_CURRENT_USER\\y]\r\n", 5},
        {"hex:01,\\\r\n# not a comment here\r\n  02\r\n", 4},
        {"\"\\0\"\r\n", 3},                                      // escapes are \\ and \" only
        {"\"C:\\Windows\"\r\n", 3},
    };
    for (const auto& [value, line] : refused) {
        std::vector<reg::RegFileKey> keys;
        std::string error;
        EXPECT_FALSE(reg::parseRegFile(start + value, keys, error)) << value;
        EXPECT_EQ(error.rfind("line " + std::to_string(line) + ":", 0), 0u) << value << " -> " << error;
    }
    std::vector<reg::RegFileKey> keys;
    std::string error;
    EXPECT_FALSE(reg::parseRegFile("REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n\"a\\q\"=\"1\"\r\n", keys, error));
    EXPECT_NE(error.find("escape"), std::string::npos) << error;
}

TEST_F(RegTest, AVersion5FileCutOffInAValueIsImportedWithAWarning) {
    const std::u16string head = u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Cut]\r\n";
    struct Case {
        std::string file;
        std::string stored;
        int warnedLine;  // 0: no warning
    };
    const std::vector<Case> cases{
        {utf16le(head + u"\"a\"=dword:0000fff"), "\xff\x0f\0\0"s, 4},
        {utf16le(head + u"\"a\"=hex:01,02,\\\r\n  03"), "\1\2\3", 5},
        {utf16le(head + u"\"a\"=hex:01,02,\\"), "\1\2", 4},
        {utf16le(head + u"\"a\"=dword:0000fff\r\n"), "\xff\x0f\0\0"s, 0},
        {utf16le(head + u"\"a\"=\"whole\""), "whole", 0},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\Cut]\r\n\"a\"=dword:0000fff", "\xff\x0f\0\0"s, 0},  // often hand-made
    };
    for (const Case& c : cases) {
        Outcome o = importBytes(store, c.file);
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(testing::values(store, HKEY_CURRENT_USER, "Cut").at("a").second, c.stored);
        if (c.warnedLine) {
            EXPECT_EQ(o.err.rfind("WARNING: ", 0), 0u) << o.err;
            EXPECT_NE(o.err.find(": line " + std::to_string(c.warnedLine) + ": "), std::string::npos) << o.err;
            EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        } else {
            EXPECT_EQ(o.err, "");
        }
    }
    // A REG_SZ from hex(1) with its terminator exports as the quoted string it is.
    ASSERT_EQ(importBytes(store, utf16le(head + u"\"t\"=hex(1):41,00,42,00,00,00\r\n")).status, 0);
    Outcome out = reg(store, {"export", "HKCU\\Cut", "-"});
    EXPECT_NE(out.out.find(utf16le(u"\"t\"=\"AB\"\r\n").substr(2)), std::string::npos);
}

TEST_F(RegTest, ImportChecksTheWholeFileBeforeWritingAnything) {
    const std::string start = "REGEDIT4\r\n[HKEY_CURRENT_USER\\First]\r\n\"a\"=\"1\"\r\n";
    const std::vector<std::pair<std::string, std::string>> hostile{
        {start + "[HKEY_CURRENT_USER\\Nul\0Name]\r\n"s, "line 4"},
        {start + "[HKEY_CURRENT_USER\\First]\r\n\"b\"=\"2\"\r\n[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\r\n",
         "line 6"},
        {start + "[HKEY_CURRENT_USER\\" + std::string(10'000'000, 'k') + "]\r\n", "line 4"},
        {start + "[HKEY_CURRENT_USER" + [] {
             std::string deep;
             for (int i = 0; i < 513; ++i) deep += "\\d";
             return deep;
         }() + "]\r\n",
         "line 4"},
        {start + "\"" + std::string(16384, 'v') + "\"=\"1\"\r\n", "line 4"},
        {start + "[-HKEY_CURRENT_USER]\r\n", "line 4"},
        {start + "[HKEY_CURRENT_USER\\a\\\\b]\r\n", "line 4"},
        {start + "[HKEY_CURRENT_USER\\First]\r\n\"\xff\"=\"1\"\r\n", "line 5"},
    };
    Dump before = dump(store, HKEY_CURRENT_USER, "");
    for (const auto& [text, line] : hostile) {
        Outcome o = importBytes(store, text);
        EXPECT_EQ(o.status, 1);
        EXPECT_NE(o.err.find(line + ":"), std::string::npos) << o.err.substr(0, 200);
        EXPECT_LT(o.err.size(), 300u) << "an overlong name is quoted whole";
        EXPECT_EQ(dump(store, HKEY_CURRENT_USER, ""), before) << o.err.substr(0, 200);
    }
}

TEST_F(RegTest, ImportReadsOnlyRegularFilesWithinItsLimit) {
    auto fifo = dir / "pipe.reg";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto big = dir / "big.reg";
    std::ofstream(big) << "REGEDIT4\r\n";
    std::filesystem::resize_file(big, reg::kImportLimitBytes + 1);
    auto good = dir / "good.reg";
    std::ofstream(good) << "REGEDIT4\r\n[HKEY_CURRENT_USER\\ViaLink]\r\n";
    auto link = dir / "link.reg";
    std::filesystem::create_symlink(good, link);

    auto started = std::chrono::steady_clock::now();
    for (const auto& [file, says] : {std::pair{std::string("/dev/zero"), "regular files only"},
                                     std::pair{fifo.string(), "regular files only"},
                                     std::pair{big.string(), "16 MB"}}) {
        Outcome o = reg(store, {"import", file});
        EXPECT_EQ(o.status, 1) << file;
        EXPECT_NE(o.err.find(says), std::string::npos) << o.err;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30)) << "a refused file was read";
    EXPECT_EQ(reg(store, {"import", link.string()}).status, 0);
    EXPECT_EQ(dump(store, HKEY_CURRENT_USER, "ViaLink").size(), 1u);
}

// A store whose second value write fails, as a full disk would make it.
class FailingStore final : public RegistryApi {
public:
    explicit FailingStore(const std::filesystem::path& file) : store_(file) {}
    LONG RegSetValueExA(HKEY key, std::string_view name, DWORD reserved, DWORD type, const std::uint8_t* data,
                        DWORD size) override {
        if (++writes_ == 2) return ERROR_DISK_FULL;
        return store_.RegSetValueExA(key, name, reserved, type, data, size);
    }
    LONG RegOpenKeyExA(HKEY root, std::string_view sub, DWORD options, DWORD access, HKEY* result) override {
        return store_.RegOpenKeyExA(root, sub, options, access, result);
    }
    LONG RegCreateKeyA(HKEY root, std::string_view sub, HKEY* result) override {
        return store_.RegCreateKeyA(root, sub, result);
    }
    LONG RegQueryValueExA(HKEY key, std::string_view name, DWORD* reserved, DWORD* type, std::uint8_t* data,
                          DWORD* size) override {
        return store_.RegQueryValueExA(key, name, reserved, type, data, size);
    }
    LONG RegDeleteValueA(HKEY key, std::string_view name) override { return store_.RegDeleteValueA(key, name); }
    LONG RegCloseKey(HKEY key) override { return store_.RegCloseKey(key); }
    LONG enumSubKeys(HKEY key, std::vector<std::string>& names) override { return store_.enumSubKeys(key, names); }
    LONG enumValues(HKEY key, std::vector<ValueEntry>& list) override { return store_.enumValues(key, list); }
    LONG deleteTree(HKEY key, std::string_view sub) override { return store_.deleteTree(key, sub); }
    LONG beginBatch() override { return store_.beginBatch(); }
    LONG commitBatch() override { return store_.commitBatch(); }
    void abandonBatch() override { store_.abandonBatch(); }

private:
    SqliteStore store_;
    int writes_ = 0;
};

TEST_F(RegTest, ImportThatFailsPartWayKeepsNothing) {
    const std::string file = "REGEDIT4\r\n[HKEY_CURRENT_USER\\One]\r\n\"a\"=\"1\"\r\n[HKEY_CURRENT_USER\\Two]\r\n\"b\"=\"2\"\r\n";
    std::ofstream(dir / "in.reg", std::ios::binary) << file;
    {
        FailingStore failing(dir / "f.db");
        std::ostringstream out, err;
        std::istringstream in;
        reg::Context ctx{failing, out, err, in};
        EXPECT_EQ(reg::run(ctx, {"import", (dir / "in.reg").string()}), 1);
        EXPECT_NE(err.str().find("[HKEY_CURRENT_USER\\Two]"), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("nothing was imported"), std::string::npos) << err.str();
    }
    SqliteStore after(dir / "f.db");
    HKEY key = 0;
    EXPECT_EQ(after.RegOpenKeyExA(HKEY_CURRENT_USER, "One", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND)
        << "the first key outlived the failed import";
}

TEST_F(RegTest, ExportWritesPipesAndDevicesAsTheyStandAndRefusesLinks) {
    put("E", "v", REG_SZ, "new");
    auto file = dir / "e.reg";
    ASSERT_EQ(reg(store, {"export", "HKCU\\E", file.string()}).status, 0);
    const std::string expected = fileBytes(file);

    for (std::string name : {"-", "/dev/stdout"}) {
        Outcome o = reg(store, {"export", "HKCU\\E", name, "/y"});
        EXPECT_EQ(o.status, 0) << name << o.err;
        EXPECT_EQ(o.out, expected) << name;  // the file alone: no question, no success line
    }
    EXPECT_EQ(reg(store, {"export", "HKCU\\E", "/dev/null"}).status, 0);
    Outcome full = reg(store, {"export", "HKCU\\E", "/dev/full"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err.find('\n'), full.err.size() - 1) << full.err;

    auto fifo = dir / "pipe.reg";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    std::thread reader([&] { read = fileBytes(fifo); });
    EXPECT_EQ(reg(store, {"export", "HKCU\\E", fifo.string()}).status, 0);
    reader.join();
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    // A link is refused whatever it leads to, and stays as it was.
    auto precious = dir / "precious.txt";
    std::ofstream(precious) << "keep me";
    for (const char* target : {"precious.txt", "missing.txt"}) {
        auto link = dir.path() / (std::string("to-") + target);
        std::filesystem::create_symlink(target, link);
        Outcome o = reg(store, {"export", "HKCU\\E", link.string(), "/y"});
        EXPECT_EQ(o.status, 1) << target;
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;
        EXPECT_NE(o.err.find(link.string()), std::string::npos) << o.err;
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << target;
    }
    EXPECT_EQ(fileBytes(precious), "keep me");
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.txt"));
    // A folder in the way is refused and stays.
    std::filesystem::create_directory(dir / "folder.reg");
    EXPECT_EQ(reg(store, {"export", "HKCU\\E", (dir / "folder.reg").string(), "/y"}).status, 1);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.reg"));
}

}  // namespace
}  // namespace registry
