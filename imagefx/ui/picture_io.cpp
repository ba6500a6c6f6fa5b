// Decoding pictures and writing BMP files.
#include "imagefx/ui/picture_io.h"

#include <cstdlib>
#include <cstring>
#include <span>
#include <system_error>

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "imagefx/core/bmp_file.h"
#include "imagefx/core/picture_file_check.h"
#include "imagefx/core/size_check.h"

namespace imagefx::ui {

namespace {

using Outcome = OpenedPicture::Outcome;

// The size a reader will deliver: its header's size, turned when the picture is to be
// rotated by a quarter. A top-down BMP's header gives its height negative, and Qt's
// reader passes that on.
QSize uprightSize(QImageReader& reader) {
    QSize stored = reader.size();
    if (reader.format() == "bmp") stored.setHeight(std::abs(stored.height()));
    if (reader.transformation() & QImageIOHandler::TransformationRotate90) return stored.transposed();
    return stored;
}

}  // namespace

OpenedPicture openPicture(const QString& path) {
    OpenedPicture result;
    // A FIFO or device named like a picture would block the window or never end.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(QFile::encodeName(path).toStdString()), ec)) return result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileBytes) return result;

    {
        QImageReader header(&file);
        header.setAutoTransform(true);
        // BMP and JPEG only: those are the formats whose completeness is checked below.
        if (!header.canRead() || (header.format() != "bmp" && header.format() != "jpeg")) return result;
        result.size = uprightSize(header);
    }
    if (!result.size.isValid()) return result;
    if (!acceptedSize(result.size.width(), result.size.height())) {
        result.outcome = Outcome::TooLarge;
        return result;
    }

    if (!file.seek(0)) return result;
    QByteArray bytes = file.readAll();
    file.close();
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                             static_cast<std::size_t>(bytes.size()));
    if (checkPictureData(data) == PictureData::Damaged) return result;
    // Qt's reader wants every row padded and leaves a last row without its padding unread.
    if (const std::size_t missing = missingRowPadding(data)) bytes.append(static_cast<qsizetype>(missing), '\0');

    // Qt's own cap on one decoded image (in MiB) must not be below what the size check lets in.
    constexpr int kDecodeLimitMiB = static_cast<int>(kPictureMemoryBudget / kBytesPerOpenPixel * 4 >> 20) + 1;
    if (QImageReader::allocationLimit() < kDecodeLimitMiB) QImageReader::setAllocationLimit(kDecodeLimitMiB);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImage image;
    // A picture of another size than its header said was not read as the header describes.
    if (!reader.read(&image) || image.size() != result.size) return result;
    result.outcome = Outcome::Opened;
    result.image = std::move(image);
    return result;
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
    BmpWriter writer;
    return writer.write(picture, path, platform::Durability::Synced);
}

bool BmpWriter::write(const Picture& picture, const std::filesystem::path& path,
                      platform::Durability durability) {
    if (picture.isEmpty()) return false;
    encodeBmp(picture, bytes_);
    return platform::writeFileAtomically(path, bytes_, nullptr, durability);
}

}  // namespace imagefx::ui
