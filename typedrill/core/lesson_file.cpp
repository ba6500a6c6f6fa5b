// Reading lesson files.
#include "typedrill/core/lesson_file.h"

#include "platform/codepage.h"
#include "platform/safe_file.h"

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

LessonRead readLessonFile(const std::filesystem::path& path) {
    // Lesson files are only read, so one placed in the folder as a link is taken.
    const platform::ReadResult read = platform::readRegularFile(path, kMaxLessonBytes, /*followLinks=*/true);
    const QString name = QString::fromStdString(path.filename().string());
    switch (read.status) {
    case platform::ReadStatus::Ok: return {joinLessonLines(read.bytes), {}};
    case platform::ReadStatus::Missing: return {};
    case platform::ReadStatus::TooLarge:
        return {{}, QStringLiteral("练习文件“%1”超过 1 MB，不是练习课文，没有载入。").arg(name)};
    case platform::ReadStatus::NotRegular:
        return {{}, QStringLiteral("“%1”不是普通文件，没有载入。").arg(name)};
    case platform::ReadStatus::Failed: break;
    }
    return {{}, QStringLiteral("练习文件“%1”无法读取，没有载入。").arg(name)};
}

}  // namespace typedrill
