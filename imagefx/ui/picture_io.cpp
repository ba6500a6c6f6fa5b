// Decoding pictures and writing BMP files.
#include "imagefx/ui/picture_io.h"

#include <cstring>

#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include "imagefx/core/size_check.h"

namespace imagefx::ui {

std::optional<QSize> declaredSize(const QString& path) {
    QImageReader reader(path);
    if (!reader.canRead()) return std::nullopt;
    const QSize size = reader.size();
    if (!size.isValid()) return std::nullopt;
    return size;
}

QImage decodePicture(const QString& path) {
    // Qt's own cap on one decoded image (in MiB) must not be below what the size check lets in.
    constexpr int kDecodeLimitMiB = static_cast<int>(kPictureMemoryBudget / kBytesPerOpenPixel * 4 >> 20) + 1;
    if (QImageReader::allocationLimit() < kDecodeLimitMiB) QImageReader::setAllocationLimit(kDecodeLimitMiB);
    QImageReader reader(path);
    reader.setAutoTransform(false);
    QImage image;
    if (!reader.read(&image)) return {};
    return image;
}

Picture pictureFrom(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Picture picture(rgb.width(), rgb.height());
    for (int y = 0; y < picture.height(); ++y) {
        std::memcpy(picture.row(y), rgb.constScanLine(y),
                    static_cast<std::size_t>(picture.width()) * sizeof(std::uint32_t));
        // Format_RGB32 leaves the top byte unspecified; ours is always 0xff.
        std::uint32_t* row = picture.row(y);
        for (int x = 0; x < picture.width(); ++x) row[x] |= 0xff000000u;
    }
    return picture;
}

QImage imageView(const Picture& picture) {
    if (picture.isEmpty()) return {};
    return QImage(reinterpret_cast<const uchar*>(picture.bits()), picture.width(), picture.height(),
                  static_cast<qsizetype>(picture.width()) * 4, QImage::Format_RGB32);
}

bool writeBmp(const Picture& picture, const std::filesystem::path& path) {
    if (picture.isEmpty()) return false;
    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly)) return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(imageView(picture))) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace imagefx::ui
