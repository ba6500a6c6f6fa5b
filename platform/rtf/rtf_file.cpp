// RTF files on disk.
#include "platform/rtf/rtf_file.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include "platform/rtf/rtf_reader.h"
#include "platform/rtf/rtf_writer.h"

namespace platform::rtf {
namespace {

QString qtPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

std::optional<std::string> loadRtfFile(const std::filesystem::path& path) {
    QFile file(qtPath(path));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    if (file.size() > static_cast<qint64>(kMaxRtfFileBytes)) return std::nullopt;
    QByteArray data = file.read(static_cast<qint64>(kMaxRtfFileBytes) + 1);
    if (data.size() > static_cast<qsizetype>(kMaxRtfFileBytes)) return std::nullopt;
    return rtfPlainText(std::string_view(data.constData(), static_cast<size_t>(data.size())));
}

bool saveRtfFile(const std::filesystem::path& path, std::string_view utf8Text) {
    std::string document = rtfDocument(utf8Text);
    QSaveFile file(qtPath(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(document.data(), static_cast<qint64>(document.size())) !=
        static_cast<qint64>(document.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace platform::rtf
