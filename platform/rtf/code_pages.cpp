// Code page decoding through glibc iconv, code page 936 through the suite's converter.
#include "platform/rtf/code_pages.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <string>

#include "platform/codepage.h"

namespace platform::rtf {
namespace {

void appendReplacement(std::string& out) { out += "\xEF\xBF\xBD"; }

// Charset numbers of the Windows font API and the code pages they stand for.
struct CharsetRow {
    int charset;
    int codePage;
};
constexpr CharsetRow kCharsets[] = {
    {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
    {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
    {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
};

// Converters are opened once per code page and kept for the program's life.
struct Converters {
    std::mutex mutex;
    std::map<int, iconv_t> byCodePage;
    ~Converters() {
        for (auto& [codePage, cd] : byCodePage)
            if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
};

}  // namespace

int charsetCodePage(int charset) {
    for (const auto& row : kCharsets)
        if (row.charset == charset) return row.codePage;
    return 0;
}

std::string codePageToUtf8(int codePage, std::string_view bytes) {
    if (codePage == 936) return cp936ToUtf8(bytes);
    std::string out;
    static Converters converters;
    std::lock_guard lock(converters.mutex);
    auto [it, added] = converters.byCodePage.try_emplace(codePage, reinterpret_cast<iconv_t>(-1));
    if (added && codePage > 0) {
        std::string name = codePage == 10000 ? "MACINTOSH" : "CP" + std::to_string(codePage);
        it->second = iconv_open("UTF-8", name.c_str());
    }
    iconv_t cd = it->second;
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (unsigned char c : bytes) {
            if (c < 0x80)
                out += static_cast<char>(c);
            else
                appendReplacement(out);
        }
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(bytes.data());
    size_t srcLeft = bytes.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst);
        if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // An undecodable or truncated sequence: replace one byte and go on.
        appendReplacement(out);
        ++src;
        --srcLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace platform::rtf
