// What a box shows for files from other writers: rich text behind a byte-order mark,
// UTF-16, and plain text in either encoding a user's editor may have written.
#include "platform/rtf/document_text.h"

#include <gtest/gtest.h>

using platform::rtf::documentText;

namespace {

std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        char hi = char(u >> 8), lo = char(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

}  // namespace

TEST(document_text, rich_text_behind_any_byte_order_mark) {
    EXPECT_EQ(documentText("{\\rtf1\\ansi\\ansicpg936 2026-12-24\\par\r\n}"), "2026-12-24");
    EXPECT_EQ(documentText("\xEF\xBB\xBF{\\rtf1 07:30:00\\par}"), "07:30:00");
    EXPECT_EQ(documentText(utf16(u"{\\rtf1 7:30:00\\par}", false)), "7:30:00");
    EXPECT_EQ(documentText(utf16(u"{\\rtf1 \\u24180?}", true)), "年");
}

TEST(document_text, other_files_are_plain_text) {
    // A text editor's file: UTF-8 with or without a mark, its last line end dropped.
    EXPECT_EQ(documentText("2026-12-24\n"), "2026-12-24");
    EXPECT_EQ(documentText("\xEF\xBB\xBF" "2026年12月24日\r\n"), "2026年12月24日");
    EXPECT_EQ(documentText("a\r\nb\rc\n\n"), "a\nb\nc\n");
    // Code page 936 when the bytes are not UTF-8: 时间 is CA B1 BC E4.
    EXPECT_EQ(documentText("\xCA\xB1\xBC\xE4 07:30:00"), "时间 07:30:00");
    EXPECT_EQ(documentText(utf16(u"２０２６－１２－２４\r\n", false)), "２０２６－１２－２４");
    EXPECT_EQ(documentText(utf16(u"07:30:00", true)), "07:30:00");
    EXPECT_EQ(documentText(""), "");
    EXPECT_EQ(documentText("\xFF\xFE"), "");
    EXPECT_EQ(documentText("{\\rt"), "{\\rt");
}
