// Lesson files: code page 936 text whose lines are joined into one run of characters.
#pragma once

#include <QString>

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace typedrill {

// The largest lesson file read. The shipped lessons are a few kilobytes; a file
// past this is no lesson, and laying it out would hold the window for seconds.
inline constexpr std::size_t kMaxLessonBytes = 1024 * 1024;

// Decodes the bytes of a lesson file and drops its line ends (CR LF, CR or LF), so
// the lines follow each other with nothing between them. Undecodable bytes become
// U+FFFD.
QString joinLessonLines(std::string_view cp936Bytes);

struct LessonRead {
    QString text;     // the lesson; empty when the file gave none
    QString refusal;  // why an existing file was not read, in words for the user; empty otherwise
};

// Reads a lesson file. A missing file gives the empty text without a refusal,
// which the exercise treats as "no level chosen". A file that is not a regular
// file (a FIFO, a device, a folder), is larger than kMaxLessonBytes or cannot be
// read gives the empty text and a refusal naming the file.
LessonRead readLessonFile(const std::filesystem::path& path);

}  // namespace typedrill
