// Icon pictures through the platform icon reader.
#include "shellstyle/ui/icon_pictures.h"

#include <QFile>

#include "platform/icons/icon_file.h"

namespace shellstyle::ui {
namespace {

std::filesystem::path nativePath(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

}  // namespace

int FileIconPictures::count(const QString& file) {
    if (file.isEmpty()) return 0;
    return platform::iconCount(nativePath(file));
}

QImage FileIconPictures::picture(const QString& file, int index) {
    if (file.isEmpty() || index < 0) return {};
    return platform::iconImage(nativePath(file), index).value_or(QImage());
}

}  // namespace shellstyle::ui
