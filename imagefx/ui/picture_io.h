// Pictures in and out of files through Qt's image readers and writers.
#pragma once

#include <filesystem>
#include <string>

#include <QImage>
#include <QSize>
#include <QString>

#include "imagefx/core/picture.h"
#include "platform/safe_file.h"

namespace imagefx::ui {

struct OpenedPicture {
    enum class Outcome {
        Opened,      // `image` holds the whole picture, upright
        Unreadable,  // not a picture file, or a damaged one that would decode only in part
        TooLarge,    // refused from its header's size; nothing was decoded
    };
    Outcome outcome = Outcome::Unreadable;
    QSize size;    // upright size (Opened, TooLarge)
    QImage image;  // Opened only
};

// Opens a picture file: regular files only, the size rule applied to the header's size
// before any pixel is decoded, every row present, and the orientation its EXIF data give
// applied. A refused open keeps nothing.
OpenedPicture openPicture(const QString& path);

Picture pictureFrom(const QImage& image);

// A QImage over the picture's own pixels, without copying: valid while the picture lives
// and keeps its size.
QImage imageView(const Picture& picture);

// Writes the picture as a BMP file, replacing `path` only once the whole file is written;
// a symbolic link at `path` is replaced, never followed. The file is flushed to disk.
bool writeBmp(const Picture& picture, const std::filesystem::path& path);

// The same for a file written again and again, keeping one buffer for the encoded bytes.
class BmpWriter {
public:
    bool write(const Picture& picture, const std::filesystem::path& path,
               platform::Durability durability);

private:
    std::string bytes_;
};

}  // namespace imagefx::ui
