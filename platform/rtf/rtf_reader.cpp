// RTF reading: a single pass over the bytes with a stack of group states.
#include "platform/rtf/rtf_reader.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/codepage.h"
#include "platform/rtf/code_pages.h"

namespace platform::rtf {
namespace {

// Destinations whose content is not part of the text.
constexpr std::string_view kSkippedDestinations[] = {
    "aftncn",    "aftnsep",  "aftnsepc",   "annotation",        "atnauthor",  "atnid",
    "colortbl",  "comment",  "datastore",  "colorschememapping", "filetbl",   "fldinst",
    "footer",    "footerf",  "footerl",    "footerr",           "footnote",   "ftncn",
    "ftnsep",    "ftnsepc",  "generator",  "header",            "headerf",    "headerl",
    "headerr",   "info",     "latentstyles", "listoverridetable", "listtable", "listtext",
    "nonshppict", "objdata", "objclass",   "pict",              "pntext",     "pntxta",
    "pntxtb",    "private",  "revtbl",     "rsidtbl",           "stylesheet", "tc",
    "template",  "themedata", "txe",       "userprops",         "xe",         "xmlnstbl",
};

// Control words that stand for a character of the text.
struct CharWord {
    std::string_view word;
    char32_t ch;
};
constexpr CharWord kCharWords[] = {
    {"par", U'\n'},      {"line", U'\n'},      {"sect", U'\n'},      {"row", U'\n'},
    {"tab", U'\t'},      {"cell", U'\t'},      {"emdash", 0x2014},   {"endash", 0x2013},
    {"emspace", 0x2003}, {"enspace", 0x2002},  {"qmspace", 0x2005},  {"bullet", 0x2022},
    {"lquote", 0x2018},  {"rquote", 0x2019},   {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
    {"zwj", 0x200D},     {"zwnj", 0x200C},     {"zwbo", 0x200B},     {"ltrmark", 0x200E},
    {"rtlmark", 0x200F},
};

constexpr int kMaxWordLength = 32;
// Groups nested deeper than this are counted but not read, which bounds the memory a
// document of nothing but "{" can take.
constexpr size_t kMaxDepth = 10000;
constexpr char32_t kReplacement = 0xFFFD;

struct Group {
    bool skip = false;
    bool fontTable = false;
    int uc = 1;     // fallback characters after each \uN
    int font = -1;  // -1: the document's default font
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}

    std::string run() {
        groups_.push_back({});
        while (pos_ < in_.size() && !done_) step();
        flushBytes();
        flushSurrogate();
        if (!out_.empty() && out_.back() == '\n') out_.pop_back();
        return std::move(out_);
    }

private:
    void step() {
        char c = in_[pos_++];
        switch (c) {
        case '{':
            if (groups_.size() < kMaxDepth)
                groups_.push_back(groups_.back());
            else
                ++tooDeep_;
            fallbackLeft_ = 0;
            break;
        case '}':
            fallbackLeft_ = 0;
            // The outermost group closes the document.
            if (tooDeep_ > 0)
                --tooDeep_;
            else if (groups_.size() > 1)
                groups_.pop_back();
            else
                done_ = true;
            break;
        case '\\':
            controlSequence();
            break;
        case '\r':
        case '\n':
        case '\0':
            break;
        default:
            if (consumeFallback()) break;
            if (c == '\t')
                emit(U'\t');
            else if (static_cast<unsigned char>(c) >= 0x80)
                emitByte(static_cast<unsigned char>(c));
            else if (static_cast<unsigned char>(c) >= 0x20)
                emitText(c);
            break;
        }
    }

    void controlSequence() {
        if (pos_ >= in_.size()) return;
        char c = in_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        size_t start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_])) ++pos_;
        std::string_view word = in_.substr(start, pos_ - start);
        bool hasParam = false;
        bool negative = false;
        std::int64_t param = 0;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            hasParam = true;
            param = std::min<std::int64_t>(param * 10 + (in_[pos_] - '0'), INT32_MAX);
            ++pos_;
        }
        if (negative) param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        if (word.size() > kMaxWordLength) word = {};
        controlWord(word, hasParam, static_cast<int>(param));
    }

    void controlSymbol(char c) {
        switch (c) {
        case '\'': {
            // A short escape drops itself and the hex digits it has.
            int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            if (hi < 0) return;
            ++pos_;
            int lo = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            if (lo < 0) return;
            ++pos_;
            if (consumeFallback()) return;
            emitByte(static_cast<unsigned char>(hi * 16 + lo));
            return;
        }
        case '*':
            // An ignorable destination: nothing we read lives in one.
            if (tooDeep_ == 0) groups_.back().skip = true;
            return;
        case '\r':
        case '\n':
            if (!consumeFallback()) emit(U'\n');
            return;
        case '~':
            if (!consumeFallback()) emit(0x00A0);
            return;
        case '_':
            if (!consumeFallback()) emit(0x2011);
            return;
        case '-':
        case ':':
        case '|':
            consumeFallback();
            return;
        default:
            // \\, \{, \} and any other escaped character stand for themselves.
            if (consumeFallback()) return;
            if (static_cast<unsigned char>(c) >= 0x80)
                emitByte(static_cast<unsigned char>(c));
            else if (static_cast<unsigned char>(c) >= 0x20)
                emitText(c);
            return;
        }
    }

    void controlWord(std::string_view word, bool hasParam, int param) {
        Group& g = groups_.back();
        if (word == "bin") {
            // Raw binary data of `param` bytes; it counts as one fallback character.
            size_t n = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
            pos_ += std::min(n, in_.size() - pos_);
            consumeFallback();
            return;
        }
        if (tooDeep_ > 0) return;
        if (word == "u" && hasParam) {
            if (consumeFallback()) return;
            emitUnit(static_cast<std::uint16_t>(param));
            fallbackLeft_ = g.uc;
            return;
        }
        if (word == "uc") {
            g.uc = std::clamp(param, 0, 1000);
            return;
        }
        if (word == "fonttbl") {
            g.skip = true;
            g.fontTable = true;
            return;
        }
        if (word == "ansicpg") {
            if (param > 0) documentCodePage_ = param;
            return;
        }
        if (word == "deff") {
            defaultFont_ = param;
            return;
        }
        if (word == "f") {
            if (g.fontTable)
                tableFont_ = param;
            else
                g.font = param;
            return;
        }
        if (g.fontTable && (word == "fcharset" || word == "cpg")) {
            int cp = word == "cpg" ? param : charsetCodePage(param);
            if (cp > 0) fontCodePages_[tableFont_] = cp;
            return;
        }
        if (consumeFallback()) return;
        if (g.skip) return;
        for (const auto& dest : kSkippedDestinations) {
            if (word == dest) {
                g.skip = true;
                return;
            }
        }
        for (const auto& row : kCharWords) {
            if (word == row.word) {
                emit(row.ch);
                return;
            }
        }
    }

    // After \uN the next `uc` characters are the fallback for readers without Unicode.
    bool consumeFallback() {
        if (fallbackLeft_ <= 0) return false;
        --fallbackLeft_;
        return true;
    }

    int currentCodePage() const {
        int font = groups_.back().font >= 0 ? groups_.back().font : defaultFont_;
        auto it = fontCodePages_.find(font);
        return it != fontCodePages_.end() ? it->second : documentCodePage_;
    }

    bool skipping() const { return tooDeep_ > 0 || groups_.back().skip; }

    void emitByte(unsigned char b) {
        if (skipping()) return;
        int cp = currentCodePage();
        if (!bytes_.empty() && cp != bytesCodePage_) flushBytes();
        flushSurrogate();
        bytesCodePage_ = cp;
        appendByte(b);
    }

    // A plain character; in a double-byte code page it may be the trail byte of a
    // pair whose lead byte came just before.
    void emitText(char c) {
        if (!bytes_.empty() && !skipping() && currentCodePage() == bytesCodePage_ &&
            isDoubleByteCodePage(bytesCodePage_) && endsInLeadByte()) {
            appendByte(static_cast<unsigned char>(c));
            return;
        }
        emit(static_cast<unsigned char>(c));
    }

    static bool isDoubleByteCodePage(int cp) {
        return cp == 932 || cp == 936 || cp == 949 || cp == 950 || cp == 1361;
    }

    bool endsInLeadByte() const { return pendingLead_; }

    void appendByte(unsigned char b) {
        pendingLead_ = !pendingLead_ && b >= 0x81;
        bytes_ += static_cast<char>(b);
    }

    void emit(char32_t ch) {
        if (skipping()) return;
        flushBytes();
        flushSurrogate();
        if (ch < 0x80)
            out_ += static_cast<char>(ch);
        else
            out_ += codePointsToUtf8(std::u32string_view(&ch, 1));
    }

    void emitUnit(std::uint16_t u) {
        if (skipping()) return;
        if (u >= 0xD800 && u <= 0xDBFF) {
            flushBytes();
            flushSurrogate();
            highSurrogate_ = u;
            return;
        }
        if (u >= 0xDC00 && u <= 0xDFFF) {
            flushBytes();
            if (highSurrogate_ == 0) {
                emit(kReplacement);
                return;
            }
            char32_t ch = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (u - 0xDC00);
            highSurrogate_ = 0;
            out_ += codePointsToUtf8(std::u32string_view(&ch, 1));
            return;
        }
        emit(u);
    }

    void flushSurrogate() {
        if (highSurrogate_ == 0) return;
        highSurrogate_ = 0;
        char32_t ch = kReplacement;
        out_ += codePointsToUtf8(std::u32string_view(&ch, 1));
    }

    void flushBytes() {
        if (bytes_.empty()) return;
        out_ += codePageToUtf8(bytesCodePage_, bytes_);
        bytes_.clear();
        pendingLead_ = false;
    }

    std::string_view in_;
    size_t pos_ = 0;
    bool done_ = false;
    std::vector<Group> groups_;
    size_t tooDeep_ = 0;  // open groups beyond kMaxDepth
    std::string out_;
    std::string bytes_;  // \'hh bytes waiting to be decoded together (double-byte pairs)
    int bytesCodePage_ = 0;
    bool pendingLead_ = false;  // bytes_ ends in the lead byte of a double-byte pair
    std::uint16_t highSurrogate_ = 0;
    int fallbackLeft_ = 0;
    int documentCodePage_ = 1252;
    int defaultFont_ = -1;
    int tableFont_ = -1;
    std::map<int, int> fontCodePages_;
};

}  // namespace

std::optional<std::string> rtfPlainText(std::string_view document) {
    size_t start = document.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || document.substr(start, 5) != "{\\rtf") return std::nullopt;
    // The reader starts inside the outermost group.
    return Reader(document.substr(start + 1)).run();
}

}  // namespace platform::rtf
