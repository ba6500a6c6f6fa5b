// Reading lesson files.
#include "typedrill/core/lesson_file.h"

#include <fstream>
#include <iterator>
#include <string>

#include "platform/codepage.h"

namespace typedrill {

QString joinLessonLines(std::string_view cp936Bytes) {
    // Code page 936 trail bytes are 0x40 and above, so CR and LF are always line ends.
    // Each line is decoded on its own: a lead byte left dangling at a line end must
    // not pair with the first byte of the next line.
    QString text;
    std::size_t start = 0;
    while (start < cp936Bytes.size()) {
        std::size_t end = cp936Bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = cp936Bytes.size();
        if (end > start) text += QString::fromStdString(platform::cp936ToUtf8(cp936Bytes.substr(start, end - start)));
        start = end + 1;
    }
    return text;
}

QString readLessonFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return {};
    return joinLessonLines(bytes);
}

}  // namespace typedrill
