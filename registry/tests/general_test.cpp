// The registry operations over a real store: paths, buffers, and what reaches the store.
#include "registry/general.h"

#include <gtest/gtest.h>

#include "registry/sqlite_store.h"
#include "registry/tests/temp_folder.h"

namespace registry {
namespace {

using namespace std::string_literals;

class GeneralTest : public ::testing::Test {
protected:
    testing::TempFolder dir;
    SqliteStore store{dir / "r.db"};
    General g{store};

    // The stored bytes and type of a value, straight from the store.
    std::string raw(HKEY root, std::string_view sub, std::string_view name, DWORD* type = nullptr) {
        HKEY key = 0;
        if (store.RegOpenKeyExA(root, sub, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
        std::vector<ValueEntry> values;
        store.enumValues(key, values);
        store.RegCloseKey(key);
        for (const ValueEntry& v : values)
            if (v.name == name) {
                if (type) *type = v.type;
                return v.data;
            }
        return "<no value>";
    }
    void put(HKEY root, std::string_view sub, std::string_view name, DWORD type, std::string_view bytes) {
        HKEY key = 0;
        ASSERT_EQ(store.RegCreateKeyA(root, sub, &key), ERROR_SUCCESS);
        ASSERT_EQ(store.RegSetValueExA(key, name, 0, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        store.RegCloseKey(key);
    }
};

TEST_F(GeneralTest, SplitKeyPathForms) {
    EXPECT_EQ(SplitKeyPath("HKEY_LOCAL_MACHINE").root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(SplitKeyPath("HKEY_LOCAL_MACHINE").subKey, "");
    SplitPath p = SplitKeyPath("HKEY_CURRENT_USER\\Control Panel\\desktop");
    EXPECT_EQ(p.root, HKEY_CURRENT_USER);
    EXPECT_EQ(p.subKey, "Control Panel\\desktop");
    for (const char* bad : {"", "HKEY_", "hkey_current_user\\x", "HKEY_CURRENT_USER\\x\\", "HKEY_FOO\\x",
                            "HKCU\\Software", "HKEY_CURRENT_USER_X\\a"})
        EXPECT_EQ(SplitKeyPath(bad).root, 0u) << bad;
    EXPECT_EQ(SplitKeyPath("HKEY_CURRENT_USER\\").subKey, "HKEY_CURRENT_USER\\");
}

TEST_F(GeneralTest, RejectedPathsWriteNothingAndReadNothing) {
    g.CreateKey("HKEY_CURRENT_USER\\T");
    g.SetStringValue("HKEY_CURRENT_USER\\T", "v", "before");
    for (std::string bad : {"hkey_current_user\\T"s, "HKEY_CURRENT_USER\\T\\"s, "HKEY_FOO\\T"s, ""s}) {
        g.CreateKey(bad + "\\New");
        g.SetStringValue(bad, "v", "after");
        EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::Refused) << bad;
        EXPECT_TRUE(g.GetStringValue(bad, "v").isNothing()) << bad;
        EXPECT_TRUE(g.GetDwordValue(bad, "v").isNothing()) << bad;
        EXPECT_TRUE(g.GetBinaryValue(bad, "v").isNothing()) << bad;
    }
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\T", "v") == "before");
    HKEY key = 0;
    EXPECT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "T\\New", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);

    // Paths the store cannot hold: a read fails ("Error"), a write stores nothing.
    std::string longName = "HKEY_CURRENT_USER\\" + std::string(300, 'x');
    for (std::string bad : {"HKEY_CURRENT_USER\\T\0x"s, "HKEY_CURRENT_USER\\\\T"s, longName}) {
        g.CreateKey(bad);
        g.SetStringValue(bad, "v", "after");
        EXPECT_NE(g.lastWriteOutcome(), General::WriteOutcome::Written);
        EXPECT_TRUE(g.GetStringValue(bad, "v").isError());
    }
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\T", "v") == "before");
}

TEST_F(GeneralTest, WritesNeverCreateKeys) {
    g.SetStringValue("HKEY_CURRENT_USER\\Soft\\New", "v", "x");
    EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::NoKey);
    g.SetDwordValue("HKEY_CURRENT_USER\\Soft\\New", "d", 1);
    g.SetBinaryValue("HKEY_CURRENT_USER\\Soft\\New", "b", "1");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Soft\\New", "v").isError());
    HKEY key = 0;
    EXPECT_EQ(store.RegOpenKeyExA(HKEY_CURRENT_USER, "Soft", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);

    g.CreateKey("HKEY_CURRENT_USER\\Soft\\New");
    g.SetStringValue("HKEY_CURRENT_USER\\Soft\\New", "v", "x");
    EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::Written);
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Soft\\New", "v") == "x");
    // The root itself is a key: its values can be written without CreateKey.
    g.SetStringValue("HKEY_LOCAL_MACHINE", "top", "t");
    EXPECT_TRUE(g.GetStringValue("HKEY_LOCAL_MACHINE", "top") == "t");
}

TEST_F(GeneralTest, StringsTravelAsCodePage936WithoutTerminator) {
    g.CreateKey("HKEY_CURRENT_USER\\中文键");
    g.SetStringValue("HKEY_CURRENT_USER\\中文键", "名称", "我的电脑");
    DWORD type = 0;
    EXPECT_EQ(raw(HKEY_CURRENT_USER, "\xd6\xd0\xce\xc4\xbc\xfc", "\xc3\xfb\xb3\xc6", &type),
              "\xce\xd2\xb5\xc4\xb5\xe7\xc4\xd4");
    EXPECT_EQ(type, REG_SZ);
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\中文键", "名称") == "我的电脑");

    // Text the code page cannot hold is refused rather than stored mangled.
    g.SetStringValue("HKEY_CURRENT_USER\\中文键", "名称", "smile \xF0\x9F\x98\x80");
    EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::Refused);
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\中文键", "名称") == "我的电脑");
}

TEST_F(GeneralTest, GetStringValueReadsThroughA255ByteSpaceFilledBuffer) {
    g.CreateKey("HKEY_CURRENT_USER\\S");
    g.SetStringValue("HKEY_CURRENT_USER\\S", "spaced", " a ");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "spaced") == "a ");
    g.SetStringValue("HKEY_CURRENT_USER\\S", "blank", "   ");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "blank") == "");
    g.SetStringValue("HKEY_CURRENT_USER\\S", "empty", "");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "empty") == "");

    std::string fits(254, 'x');
    g.SetStringValue("HKEY_CURRENT_USER\\S", "fits", fits);
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "fits") == fits);
    put(HKEY_CURRENT_USER, "S", "fitsWithNul", REG_SZ, fits + '\0');
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "fitsWithNul") == fits);
    g.SetStringValue("HKEY_CURRENT_USER\\S", "long", std::string(255, 'x'));
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "long").isError());
    // 127 Chinese characters are 254 bytes: whole; one more is too long.
    std::string chinese;
    for (int i = 0; i < 127; ++i) chinese += "字";
    g.SetStringValue("HKEY_CURRENT_USER\\S", "chinese", chinese);
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "chinese") == chinese);
    g.SetStringValue("HKEY_CURRENT_USER\\S", "chinese", chinese + "字");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "chinese").isError());

    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "missing").isError());
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Missing", "spaced").isError());
    // "Error" stored as text reads as the failure's text.
    g.SetStringValue("HKEY_CURRENT_USER\\S", "e", "Error");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\S", "e") == "Error");
}

TEST_F(GeneralTest, GetDwordValueKeepsItsBufferBetweenReads) {
    g.CreateKey("HKEY_CURRENT_USER\\D");
    g.SetDwordValue("HKEY_CURRENT_USER\\D", "one", 1);
    DWORD type = 0;
    EXPECT_EQ(raw(HKEY_CURRENT_USER, "D", "one", &type), "\1\0\0\0"s);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_TRUE(g.GetDwordValue("HKEY_CURRENT_USER\\D", "one") == 1);
    g.SetDwordValue("HKEY_CURRENT_USER\\D", "negative", -2);
    EXPECT_TRUE(g.GetDwordValue("HKEY_CURRENT_USER\\D", "negative") == -2);

    put(HKEY_CURRENT_USER, "D", "two", REG_BINARY, "\x34\x12"s);
    put(HKEY_CURRENT_USER, "D", "eight", REG_BINARY, "\1\2\3\4\5\6\7\x08"s);
    g.SetDwordValue("HKEY_CURRENT_USER\\D", "big", 0x7F6E5D4C);
    EXPECT_TRUE(g.GetDwordValue("HKEY_CURRENT_USER\\D", "big") == 0x7F6E5D4C);
    EXPECT_TRUE(g.GetDwordValue("HKEY_CURRENT_USER\\D", "two") == 0x7F6E1234);
    EXPECT_TRUE(g.GetDwordValue("HKEY_CURRENT_USER\\D", "eight").isError());
    EXPECT_TRUE(g.GetDwordValue("HKEY_CURRENT_USER\\D", "missing").isError());
}

TEST_F(GeneralTest, BinaryValuesCarryOneCharacterPerByte) {
    g.CreateKey("HKEY_CURRENT_USER\\B");
    g.SetBinaryValue("HKEY_CURRENT_USER\\B", "zeros", "00");
    DWORD type = 0;
    EXPECT_EQ(raw(HKEY_CURRENT_USER, "B", "zeros", &type), "00");
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_TRUE(g.GetBinaryValue("HKEY_CURRENT_USER\\B", "zeros") == "00");
    g.SetBinaryValue("HKEY_CURRENT_USER\\B", "link", "1e 00 00 00");
    EXPECT_EQ(raw(HKEY_CURRENT_USER, "B", "link").size(), 11u);
    EXPECT_TRUE(g.GetBinaryValue("HKEY_CURRENT_USER\\B", "link") == "1e 00 00 00");

    g.SetBinaryValue("HKEY_CURRENT_USER\\B", "empty", "");
    EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::Written);
    EXPECT_EQ(raw(HKEY_CURRENT_USER, "B", "empty"), "");
    EXPECT_TRUE(g.GetBinaryValue("HKEY_CURRENT_USER\\B", "empty") == "");

    // A character that needs two bytes makes the whole write refuse.
    g.SetBinaryValue("HKEY_CURRENT_USER\\B", "zeros", "0中");
    EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::Refused);
    EXPECT_EQ(raw(HKEY_CURRENT_USER, "B", "zeros"), "00");
    g.SetBinaryValue("HKEY_CURRENT_USER\\B", "new", "中");
    EXPECT_EQ(raw(HKEY_CURRENT_USER, "B", "new"), "<no value>");

    // Longer than the 255-byte string buffer is fine for binary reads.
    std::string longer(1000, 'z');
    g.SetBinaryValue("HKEY_CURRENT_USER\\B", "long", longer);
    EXPECT_TRUE(g.GetBinaryValue("HKEY_CURRENT_USER\\B", "long") == longer);
    EXPECT_TRUE(g.GetBinaryValue("HKEY_CURRENT_USER\\B", "missing").isError());
}

TEST_F(GeneralTest, DeleteValueTakesTheRootHandle) {
    g.CreateKey("HKEY_CURRENT_USER\\Del");
    g.SetStringValue("HKEY_CURRENT_USER\\Del", "a", "1");
    g.SetStringValue("HKEY_CURRENT_USER\\Del", "b", "2");
    g.DeleteValue(HKEY_CURRENT_USER, "Del", "nothing");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Del", "a") == "1");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Del", "b") == "2");
    g.DeleteValue(HKEY_CURRENT_USER, "Del", "A");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Del", "a").isError());
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Del", "b") == "2");
    g.DeleteValue(HKEY_CURRENT_USER, "Nowhere", "b");
    EXPECT_EQ(g.lastWriteOutcome(), General::WriteOutcome::NoKey);
    g.DeleteValue(0, "Del", "b");
    EXPECT_TRUE(g.GetStringValue("HKEY_CURRENT_USER\\Del", "b") == "2");
}

}  // namespace
}  // namespace registry
