// Reading the text of RTF documents from this suite and from other writers.
#include "platform/rtf/rtf_reader.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace platform::rtf;

namespace {

std::string fixture(const char* name) {
    QFile f(QStringLiteral(RTF_FIXTURE_DIR "/") + QString::fromUtf8(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll().toStdString();
}

}  // namespace

TEST(rtf_reader, documents_written_by_another_word_processor) {
    // Each .rtf was converted from the .txt beside it (UTF-8, one "\n" after each line).
    for (std::string name : {"lo_date", "lo_mixed_text"}) {
        std::string text = fixture((name + ".txt").c_str());
        ASSERT_FALSE(text.empty());
        text.pop_back();
        EXPECT_EQ(rtfPlainText(fixture((name + ".rtf").c_str())), text) << name;
    }
    // A list (its bullets are numbering, not text), a hyperlink field and a table.
    EXPECT_EQ(rtfPlainText(fixture("lo_list_table_link.rtf")),
              "提醒：时间已经到了！\nAlarm 07:30:00 — 2003/6/15 链接\n一\ntwo\n甲\tB\t\n");
}

TEST(rtf_reader, bytes_decode_in_the_document_or_font_code_page) {
    // Code page 936 pairs, also with an ASCII-range trail byte written raw.
    EXPECT_EQ(rtfPlainText("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4\\par}"), "中文");
    EXPECT_EQ(rtfPlainText("{\\rtf1\\ansi\\ansicpg936 \\'81@x}"), "丂x");
    // No \ansicpg: Windows-1252.
    EXPECT_EQ(rtfPlainText("{\\rtf1\\ansi caf\\'e9 \\'80}"), "café €");
    // A GB2312 font inside a Western document, and back to the default font.
    EXPECT_EQ(rtfPlainText("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset134 SimSun;}}"
                           "{\\f1 \\'d6\\'d0}\\'e9}"),
              "中é");
}

TEST(rtf_reader, unicode_escapes_skip_their_fallback) {
    EXPECT_EQ(rtfPlainText("{\\rtf1 \\u20013?\\u25991?}"), "中文");
    EXPECT_EQ(rtfPlainText("{\\rtf1\\uc2 \\u20013\\'d6\\'d0 x}"), "中 x");
    EXPECT_EQ(rtfPlainText("{\\rtf1\\uc0 \\u20013 x}"), "中x");
    // Negative numbers and surrogate pairs; a lone surrogate becomes U+FFFD.
    EXPECT_EQ(rtfPlainText("{\\rtf1 \\u-10179?\\u-8704?}"), "😀");
    EXPECT_EQ(rtfPlainText("{\\rtf1 \\u-10179?x}"), "\xEF\xBF\xBDx");
    // The fallback ends with its group.
    EXPECT_EQ(rtfPlainText("{\\rtf1\\uc3 {\\u20013}ab}"), "中ab");
}

TEST(rtf_reader, destinations_that_are_not_text_are_left_out) {
    EXPECT_EQ(rtfPlainText("{\\rtf1{\\colortbl;\\red0\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
                           "{\\info{\\title T}{\\author A}}{\\*\\generator W;}{\\*\\unknown x}"
                           "{\\pict\\wmetafile8 0102ff}{\\header H}A"
                           "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt B}}}"),
              "AB");
    // Binary data may hold braces and backslashes.
    EXPECT_EQ(rtfPlainText("{\\rtf1 a{\\*\\blob\\bin4 }{\\x}b}"), "ab");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\bin3 {}\\b}"), "ab");
}

TEST(rtf_reader, control_symbols_and_words_for_characters) {
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\\\b\\{c\\}\\~d\\-e\\tab f\\line g\\emdash}"),
              "a\\b{c}\xC2\xA0" "de\tf\ng\xE2\x80\x94");
    // Line breaks in the source are not text; a delimiting space is not text.
    EXPECT_EQ(rtfPlainText("{\\rtf1 \\b one\r\n two\\b0  three}"), "one two three");
}

TEST(rtf_reader, only_the_last_paragraph_mark_is_dropped) {
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\par}"), "a");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\par\\par}"), "a\n");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a}"), "a");
    EXPECT_EQ(rtfPlainText("{\\rtf1 }"), "");
}

TEST(rtf_reader, other_data_is_not_a_document) {
    EXPECT_FALSE(rtfPlainText(""));
    EXPECT_FALSE(rtfPlainText("2003-6-15"));
    EXPECT_FALSE(rtfPlainText("{\\rt"));
    EXPECT_FALSE(rtfPlainText("\xef\xbb\xbf{\\rtf1 a}"));
    EXPECT_EQ(rtfPlainText("\r\n {\\rtf1 a}"), "a");
}

TEST(rtf_reader, damaged_documents_give_what_text_they_hold) {
    // Text after the outermost group, unclosed groups, stray closing braces.
    EXPECT_EQ(rtfPlainText("{\\rtf1 a}b"), "a");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a{{{b"), "ab");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\'4"), "a");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\'zz\\"), "azz");
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\'4z}"), "az");
    EXPECT_EQ(rtfPlainText("{\\rtf1\\ansicpg936 \\'d6}"), "\xEF\xBF\xBD");
    EXPECT_EQ(rtfPlainText("{\\rtf1\\bin99999999999 abc}"), "");
    EXPECT_EQ(rtfPlainText("{\\rtf1\\uc99999999999 \\u1x}"), "\x01");
    EXPECT_EQ(rtfPlainText("{\\rtf1 " + std::string(100, 'a') + "}").value().size(), 100u);
    // Every cut of a real document reads without fault.
    std::string doc = fixture("lo_list_table_link.rtf");
    for (size_t n = 0; n <= doc.size(); n += 7) (void)rtfPlainText(doc.substr(0, n));
}

TEST(rtf_reader, deep_nesting_keeps_its_balance) {
    auto nested = [](size_t depth) {
        return "{\\rtf1 a" + std::string(depth, '{') + "x\\'41\\u66?\\*" + std::string(depth, '}') + "y}";
    };
    EXPECT_EQ(rtfPlainText(nested(1000)), "axABy");
    // Beyond a depth no document needs, groups are counted but their text is dropped.
    EXPECT_EQ(rtfPlainText(nested(2'000'000)), "ay");
}

TEST(rtf_reader, long_runs_of_escaped_pairs_read_in_linear_time) {
    std::string doc = "{\\rtf1\\ansi\\ansicpg936 ";
    for (int i = 0; i < 200000; ++i) doc += "\\'81@";
    doc += "}";
    auto text = rtfPlainText(doc);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 200000u * 3);  // 丂 is three bytes of UTF-8
}
