// The two files that keep the alarm: "c:\date.txt" and "c:\time.txt", rich-text
// documents whose plain text is what was typed into the date and time boxes.
#pragma once

#include <QString>

#include <cstddef>
#include <optional>

namespace timekeeper {

inline constexpr const char* kDateFile = "c:\\date.txt";
inline constexpr const char* kTimeFile = "c:\\time.txt";

// A date or time takes a few dozen bytes; a file far larger is no alarm file, and
// reading it into a box would hold up the window.
inline constexpr std::size_t kMaxAlarmFileBytes = 64 * 1024;

// The text of a stored file: a rich-text document's text, or a file edited by hand
// read as plain text. Nothing when it is missing, not a regular file of its own
// (a link, FIFO or device) or over kMaxAlarmFileBytes.
std::optional<QString> loadAlarmText(const char* cPath);

// Stores `text` in the file as rich text, replacing it whole and never writing
// through a link (the drive C: folder is made when missing). False when it could
// not be written.
bool saveAlarmText(const char* cPath, const QString& text);

}  // namespace timekeeper
