// Pictures in and out of files through Qt's image readers and writers.
#pragma once

#include <filesystem>
#include <optional>

#include <QImage>
#include <QSize>
#include <QString>

#include "imagefx/core/picture.h"

namespace imagefx::ui {

// The size a picture file declares in its header, read without decoding the pixels;
// nothing when the file is not a readable picture or does not say.
std::optional<QSize> declaredSize(const QString& path);

// The decoded picture, or a null image when the file is not a loadable picture.
QImage decodePicture(const QString& path);

Picture pictureFrom(const QImage& image);

// A QImage over the picture's own pixels, without copying: valid while the picture lives
// and keeps its size.
QImage imageView(const Picture& picture);

// Writes the picture as a BMP file, replacing `path` only once the whole file is written.
bool writeBmp(const Picture& picture, const std::filesystem::path& path);

}  // namespace imagefx::ui
