// Icon count and icon images of a file, for the icon browser.
#include "platform/icons/icon_file.h"

#include "platform/icons/icon_container.h"
#include "platform/icons/icon_pixels.h"
#include "platform/icons/mapped_file.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr int kIconSide = 32;  // the platform's normal icon size, in pixels

std::optional<QImage> decodeImage(icons::ByteView bytes) {
    if (icons::isPng(bytes)) {
        if (!icons::pngSize(bytes)) return std::nullopt;  // refuse absurd sizes before decoding
        QImage image;
        if (!image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG")) return std::nullopt;
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    auto pixels = icons::decodeDibIcon(bytes);
    if (!pixels) return std::nullopt;
    QImage image(pixels->width, pixels->height, QImage::Format_ARGB32);
    if (image.isNull()) return std::nullopt;
    for (int y = 0; y < pixels->height; ++y) {
        std::memcpy(image.scanLine(y), pixels->argb.data() + static_cast<std::size_t>(y) * pixels->width,
                    static_cast<std::size_t>(pixels->width) * 4);
    }
    return image;
}

// `image` scaled to fit side x side, centred on a transparent square when not square.
QImage fitSquare(QImage image, int side) {
    if (image.width() == side && image.height() == side) return image;
    image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
    if (image.width() == side && image.height() == side) return image;
    QImage square(side, side, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    const int left = (side - image.width()) / 2, top = (side - image.height()) / 2;
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(square.scanLine(top + y) + left * 4, image.constScanLine(y),
                    static_cast<std::size_t>(image.width()) * 4);
    }
    return square;
}

}  // namespace

int iconCount(const std::filesystem::path& file) {
    icons::MappedFile mapped(file);
    return icons::countIcons(mapped.view());
}

std::optional<QImage> iconImage(const std::filesystem::path& file, int index) {
    icons::MappedFile mapped(file);
    auto group = icons::readIconGroup(mapped.view(), index);
    if (!group) return std::nullopt;
    for (const auto& candidate : icons::imagesByPreference(*group, kIconSide)) {
        auto image = decodeImage(candidate.bytes);
        if (!image) continue;  // a damaged image: the next best may still be fine
        if (image->width() != kIconSide || image->height() != kIconSide) {
            *image = image->scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_ARGB32);
            if (image->width() != kIconSide || image->height() != kIconSide) {
                QImage square(kIconSide, kIconSide, QImage::Format_ARGB32);
                square.fill(Qt::transparent);
                for (int y = 0; y < image->height(); ++y) {
                    std::memcpy(square.scanLine(y), image->constScanLine(y), static_cast<std::size_t>(image->width()) * 4);
                }
                *image = square;
            }
        }
        return image;
    }
    return std::nullopt;
}

std::optional<QImage> iconImageOfSide(const std::filesystem::path& file, int index, int side) {
    if (side <= 0 || side > icons::kMaxIconSide) return std::nullopt;
    icons::MappedFile mapped(file);
    auto group = icons::readIconGroup(mapped.view(), index);
    if (!group) return std::nullopt;
    // Exact size first, then larger images from the nearest up, then smaller from the
    // nearest down; the deeper colour first at each size.
    std::vector<icons::IconImageRef> order = icons::imagesByPreference(*group, side);
    auto rank = [side](const icons::IconImageRef& image) {
        const int size = std::max(image.width, image.height);
        if (size >= side) return size - side;
        return icons::kMaxIconSide + (side - size);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
    for (const auto& candidate : order) {
        auto image = decodeImage(candidate.bytes);
        if (!image) continue;
        return fitSquare(*image, side);
    }
    return std::nullopt;
}

int iconLargestSide(const std::filesystem::path& file, int index) {
    icons::MappedFile mapped(file);
    const auto group = icons::readIconGroup(mapped.view(), index);
    int largest = 0;
    if (group)
        for (const auto& image : *group) largest = std::max({largest, image.width, image.height});
    return std::min(largest, icons::kMaxIconSide);
}

}  // namespace platform
