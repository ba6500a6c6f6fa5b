// The two files that keep the alarm: "c:\date.txt" and "c:\time.txt", rich-text
// documents whose plain text is what was typed into the date and time boxes.
#pragma once

#include <QString>

#include <optional>

namespace timekeeper {

inline constexpr const char* kDateFile = "c:\\date.txt";
inline constexpr const char* kTimeFile = "c:\\time.txt";

// The text of a stored file; nothing when it is missing or not a rich-text document.
std::optional<QString> loadAlarmText(const char* cPath);

// Stores `text` in the file, replacing it whole (the drive C: folder is made when
// missing). False when it could not be written.
bool saveAlarmText(const char* cPath, const QString& text);

}  // namespace timekeeper
