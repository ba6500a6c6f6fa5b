// reg add and query over every value type, key arguments, and the help each command gives.
#include <gtest/gtest.h>

#include <regex>

#include "registry/tests/reg_fixture.h"

namespace registry {
namespace {

using namespace std::string_literals;
using testing::dump;
using testing::Outcome;
using testing::reg;
using testing::RegTest;
using testing::values;

TEST_F(RegTest, AddStoresEveryTypeAndQueryShowsIt) {
    struct Case {
        std::vector<std::string> args;  // after "add HKCU\T /v NAME"
        DWORD type;
        std::string bytes, shown;
    };
    const std::vector<Case> cases{
        {{"/t", "REG_NONE", "/d", "00ff"}, REG_NONE, "00ff", "30306666"},  // text's bytes, shown as hex
        {{"/t", "REG_NONE"}, REG_NONE, "", ""},
        {{"/t", "REG_EXPAND_SZ", "/d", "%SystemRoot%\\系统"}, REG_EXPAND_SZ, "%SystemRoot%\\\xcf\xb5\xcd\xb3",
         "%SystemRoot%\\系统"},
        {{"/t", "REG_MULTI_SZ", "/d", "fax\\0邮件\\0"}, REG_MULTI_SZ, "fax\0\xd3\xca\xbc\xfe\0\0"s, "fax\\0邮件"},
        {{"/t", "REG_MULTI_SZ", "/s", ",", "/d", "a,b\\0c"}, REG_MULTI_SZ, "a\0b\\0c\0\0"s, "a\\0b\\0c"},
        {{"/t", "REG_MULTI_SZ"}, REG_MULTI_SZ, "\0"s, ""},
        {{"/t", "REG_QWORD", "/d", "18446744073709551615"}, REG_QWORD, std::string(8, '\xff'), "0xffffffffffffffff"},
        {{"/t", "REG_QWORD", "/d", "0x1"}, REG_QWORD, "\1\0\0\0\0\0\0\0"s, "0x1"},
        {{"/t", "REG_DWORD_BIG_ENDIAN", "/d", "0x12345678"}, REG_DWORD_BIG_ENDIAN, "\x12\x34\x56\x78", "0x12345678"},
        {{"/t", "reg_dword_little_endian", "/d", "255"}, REG_DWORD, "\xff\0\0\0"s, "0xff"},
        {{"/t", "REG_BINARY"}, REG_BINARY, "", ""},
        {{"/t", "REG_NONE", "/d", "中文"}, REG_NONE, "\xd6\xd0\xce\xc4", "D6D0CEC4"},
        {{"/t", "REG_BINARY", "/d", "DeAdBeEf0DD"}, REG_BINARY, "\x0d\xea\xdb\xee\xf0\xdd", "0DEADBEEF0DD"},
        {{"/t", "REG_QWORD"}, REG_QWORD, std::string(8, '\0'), "0x0"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string name = "v" + std::to_string(++n);
        std::vector<std::string> args{"add", "HKCU\\T", "/v", name};
        args.insert(args.end(), c.args.begin(), c.args.end());
        Outcome o = reg(store, args);
        ASSERT_EQ(o.status, 0) << name << o.err;
        EXPECT_EQ(values(store, HKEY_CURRENT_USER, "T").at(name), std::make_pair(c.type, c.bytes)) << name;
        EXPECT_EQ(reg(store, {"query", "HKCU\\T", "/v", name}).out,
                  "\nHKEY_CURRENT_USER\\T\n    " + name + "    " +
                      (c.type == REG_DWORD ? "REG_DWORD" : c.args[1]) + "    " + c.shown + "\n\n")
            << name;
    }
    EXPECT_EQ(reg(store, {"query", "HKCU\\T", "/v", "v4", "/se", "|"}).out,
              "\nHKEY_CURRENT_USER\\T\n    v4    REG_MULTI_SZ    fax|邮件\n\n");
}

TEST_F(RegTest, KeyArgumentsAloneTrailingAndAtTheRoot) {
    // A key alone gets an empty default value, as the platform's reg tool makes it.
    EXPECT_EQ(reg(store, {"add", "HKCU\\New"}).status, 0);
    EXPECT_EQ(values(store, HKEY_CURRENT_USER, "New"), (std::map<std::string, std::pair<DWORD, std::string>>{
                                                           {"", {REG_SZ, ""}}}));
    ASSERT_EQ(reg(store, {"add", "HKCU\\New", "/ve", "/d", "kept", "/f"}).status, 0);
    EXPECT_EQ(reg(store, {"add", "HKCU\\New"}, "n\n").status, 1);  // the default exists: asked first
    EXPECT_EQ(values(store, HKEY_CURRENT_USER, "New").at(""), std::make_pair(REG_SZ, "kept"s));

    EXPECT_EQ(reg(store, {"add", "HKCU\\Trail\\", "/v", "a", "/d", "1"}).status, 0);
    EXPECT_EQ(values(store, HKEY_CURRENT_USER, "Trail").count("a"), 1u);
    EXPECT_EQ(reg(store, {"query", "HKCU\\Trail\\"}).out, reg(store, {"query", "HKCU\\Trail"}).out);
    EXPECT_EQ(reg(store, {"query", "HKCU\\Trail\\\\"}).err, "ERROR: Invalid key name.\n");
    EXPECT_EQ(reg(store, {"add", "HKCU", "/v", "AtRoot", "/d", "r", "/f"}).status, 0);
    EXPECT_EQ(values(store, HKEY_CURRENT_USER, "").at("AtRoot"), std::make_pair(REG_SZ, "r"s));
    EXPECT_EQ(reg(store, {"query", "HKCU\\", "/v", "AtRoot"}).out, "\nHKEY_CURRENT_USER\n    AtRoot    REG_SZ    r\n\n");
    EXPECT_EQ(reg(store, {"add", "HKCU\\", "/v", "AtRoot", "/d", "changed", "/f"}).err, "ERROR: Invalid key name.\n");
    EXPECT_EQ(values(store, HKEY_CURRENT_USER, "").at("AtRoot"), std::make_pair(REG_SZ, "r"s));

    Outcome gap = reg(store, {"add", "HKCU\\A\\\\B"});
    EXPECT_EQ(gap.status, 1);
    EXPECT_EQ(gap.err, "ERROR: Invalid key name.\n");
    EXPECT_EQ(reg(store, {"delete", "HKCU\\", "/f"}).err, "ERROR: A root key cannot be deleted.\n");
}

TEST_F(RegTest, QueryNamesOnlyKeysThatHaveValues) {
    ASSERT_EQ(reg(store, {"add", "HKCU\\Q0\\A", "/v", "x", "/d", "1"}).status, 0);
    ASSERT_EQ(reg(store, {"add", "HKCU\\Q0\\B\\C", "/v", "y", "/d", "2"}).status, 0);
    EXPECT_EQ(reg(store, {"query", "HKCU\\Q0"}).out, "\nHKEY_CURRENT_USER\\Q0\\A\nHKEY_CURRENT_USER\\Q0\\B\n");
    EXPECT_EQ(reg(store, {"query", "HKCU\\Q0", "/s"}).out,
              "\nHKEY_CURRENT_USER\\Q0\\A\n    x    REG_SZ    1\n\n"
              "HKEY_CURRENT_USER\\Q0\\B\\C\n    y    REG_SZ    2\n\n");
    // An unset default asked for alone is no failure; a missing named value is.
    Outcome unset = reg(store, {"query", "HKCU\\Q0", "/ve"});
    EXPECT_EQ(unset.status, 0) << unset.err;
    EXPECT_EQ(unset.out, "\nHKEY_CURRENT_USER\\Q0\n    (Default)    REG_SZ    (value not set)\n\n");
    EXPECT_EQ(reg(store, {"query", "HKCU\\Q0", "/v", "x"}).status, 1);
    EXPECT_EQ(reg(store, {"query", "HKCU\\Q0", "/v", "x", "/s"}).out,
              "\nHKEY_CURRENT_USER\\Q0\\A\n    x    REG_SZ    1\n\nEnd of search: 1 match(es) found.\n");
}

TEST_F(RegTest, EveryCommandAnswersHelpWithoutTheStore) {
    testing::Dump before = dump(store, HKEY_CURRENT_USER, "");
    for (std::string command : {"query", "add", "delete", "export", "import", "ADD"}) {
        for (std::string help : {"/?", "-?", "/h", "-h", "/H", "--help"}) {
            Outcome o = reg(store, {command, help});
            EXPECT_EQ(o.status, 0) << command << help;
            EXPECT_EQ(o.err, "");
            std::string lower = command == "ADD" ? "add" : command;
            EXPECT_EQ(o.out.rfind("reg " + lower + " ", 0), 0u) << o.out;
            EXPECT_NE(o.out.find("Exit status: 0 on success, 1 on failure."), std::string::npos);
        }
    }
    EXPECT_NE(reg(store, {"import", "/?"}).out.find("16 MB"), std::string::npos);
    Outcome all = reg(store, {"/?"});
    EXPECT_EQ(all.status, 0);
    for (std::string usage : {"  reg query KEY", "  reg add KEY", "  reg delete KEY", "  reg export KEY FILE",
                              "  reg import FILE", "at most 16 MB"})
        EXPECT_NE(all.out.find(usage), std::string::npos) << usage;
    Outcome version = reg(store, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("reg [0-9]+(\\.[0-9]+)+\n"))) << version.out;
    EXPECT_EQ(dump(store, HKEY_CURRENT_USER, ""), before);
    std::ostringstream out;
    EXPECT_FALSE(reg::answerWithoutStore({"add", "HKCU\\x", "/?"}, out));  // help comes right after the command
}

}  // namespace
}  // namespace registry
