// Lesson files: code page 936 text whose lines are joined into one run of characters.
#pragma once

#include <QString>

#include <filesystem>
#include <string_view>

namespace typedrill {

// Decodes the bytes of a lesson file and drops its line ends (CR LF, CR or LF), so
// the lines follow each other with nothing between them. Undecodable bytes become
// U+FFFD.
QString joinLessonLines(std::string_view cp936Bytes);

// Reads a lesson file. A file that is missing or cannot be read gives the empty
// text, which the exercise treats as "no level chosen".
QString readLessonFile(const std::filesystem::path& path);

}  // namespace typedrill
