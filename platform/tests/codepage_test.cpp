#include "platform/codepage.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(codepage, chinese_round_trip_and_ascii_unchanged) {
    std::string gbk;
    ASSERT_TRUE(utf8ToCp936("设置成功！abc", gbk));
    // 设 = C9 E8, 置 = D6 C3 in code page 936; full-width ！ = A3 A1.
    EXPECT_EQ(gbk.substr(0, 4), "\xC9\xE8\xD6\xC3");
    EXPECT_EQ(gbk.substr(8, 2), "\xA3\xA1");
    EXPECT_EQ(gbk.substr(10), "abc");
    EXPECT_EQ(cp936ToUtf8(gbk), "设置成功！abc");
}

TEST(codepage, unencodable_text_is_refused) {
    std::string out = "junk";
    EXPECT_FALSE(utf8ToCp936("emoji \xF0\x9F\x98\x80", out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(utf8ToCp936("\xFF\xFE bad utf-8", out));
}

TEST(codepage, undecodable_bytes_become_replacement_characters) {
    // A lone lead byte at the end, a lead byte followed by a control byte, and 0xFF.
    EXPECT_EQ(cp936ToUtf8("a\xC9"), "a\xEF\xBF\xBD");
    EXPECT_EQ(cp936ToUtf8(std::string("\xC9\x01z", 3)), "\xEF\xBF\xBD\x01z");
    EXPECT_EQ(cp936ToUtf8("\xFF"), "\xEF\xBF\xBD");
    EXPECT_EQ(cp936ToUtf8(std::string("\0x", 2)), std::string("\0x", 2));
}

TEST(codepage, single_byte_codes) {
    EXPECT_EQ(cp936SingleByte(U'0'), 0x30);
    EXPECT_EQ(cp936SingleByte(U'\0'), 0);
    EXPECT_EQ(cp936SingleByte(U'设'), -1);
    EXPECT_EQ(cp936SingleByte(U'\U0001F600'), -1);
}

TEST(codepage, code_points_round_trip_and_malformed_utf8) {
    EXPECT_EQ(utf8ToCodePoints("a设"), U"a设");
    EXPECT_EQ(codePointsToUtf8(U"a设"), "a设");
    EXPECT_EQ(utf8ToCodePoints("\xE8\xAE"), U"\uFFFD\uFFFD");  // truncated sequence
    EXPECT_EQ(utf8ToCodePoints("\xC0\x80"), U"\uFFFD\uFFFD");  // overlong NUL
}
