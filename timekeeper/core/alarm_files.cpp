// Alarm files on the mapped drive C:.
#include "timekeeper/core/alarm_files.h"

#include <system_error>

#include "platform/drive_c.h"
#include "platform/rtf/rtf_file.h"

namespace timekeeper {

std::optional<QString> loadAlarmText(const char* cPath) {
    auto path = platform::mapDriveCPath(cPath);
    if (!path) return std::nullopt;
    auto text = platform::rtf::loadRtfFile(*path, kMaxAlarmFileBytes);
    if (!text) return std::nullopt;
    return QString::fromStdString(*text);
}

bool saveAlarmText(const char* cPath, const QString& text) {
    auto path = platform::mapDriveCPath(cPath);
    if (!path) return false;
    std::error_code error;
    std::filesystem::create_directories(path->parent_path(), error);
    if (error) return false;
    return platform::rtf::saveRtfFile(*path, text.toStdString());
}

}  // namespace timekeeper
