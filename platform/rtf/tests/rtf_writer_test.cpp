// The document written for a plain text, and its way back through the reader.
#include "platform/rtf/rtf_writer.h"

#include <gtest/gtest.h>

#include "platform/rtf/rtf_reader.h"

using namespace platform::rtf;

TEST(rtf_writer, code_page_936_header_and_double_byte_escapes) {
    std::string doc = rtfDocument("时间 07:30:00");
    EXPECT_EQ(doc.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u) << doc;
    EXPECT_NE(doc.find("{\\fonttbl{\\f0\\fnil\\fcharset134 "), std::string::npos);
    // 时 is D0 B1 and 间 is BC E4 in code page 936.
    EXPECT_NE(doc.find("\\'ca\\'b1\\'bc\\'e4 07:30:00\\par"), std::string::npos) << doc;
    EXPECT_EQ(doc.substr(doc.size() - 3), "}\r\n");
    for (unsigned char c : doc) EXPECT_LT(c, 0x80) << "raw byte in the document";
}

TEST(rtf_writer, texts_read_back_unchanged) {
    for (std::string text : {"", "2003-6-15", "07:30:00", "年-月-日", "a\\b{c}d", "两行\n第二行",
                             "tab\there", "trailing line\n", "\n\nblank lines", "emoji 😀 and é ∑",
                             "1 } { \\par \\u20013?", "€ and ０１ full width"}) {
        auto back = rtfPlainText(rtfDocument(text));
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, text);
    }
}

TEST(rtf_writer, line_ends_of_any_kind_become_paragraphs) {
    EXPECT_EQ(rtfPlainText(rtfDocument("a\r\nb\rc\n")), "a\nb\nc\n");
}

TEST(rtf_writer, malformed_utf8_is_written_as_replacement) {
    EXPECT_EQ(rtfPlainText(rtfDocument("a\xff" "b\xe4\xb8")), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD");
}
