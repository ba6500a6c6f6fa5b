// The shipped icon library read back through the icon reader, and its contact sheet.
#include "platform/icons/icon_container.h"
#include "platform/icons/icon_file.h"
#include "platform/icons/icon_pixels.h"
#include "platform/icons/mapped_file.h"

#include <QFont>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

std::filesystem::path binDir() { return std::getenv("SUITE_BIN_DIR"); }
std::filesystem::path libraryPath() { return binDir() / "voveredav.icl"; }

// Pixels of the image that are not fully transparent.
int coveredPixels(const QImage& image) {
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) covered += qAlpha(image.pixel(x, y)) > 0;
    return covered;
}

// One image of a group, decoded from its DIB, or a null image.
QImage groupImage(platform::icons::ByteView file, int index, int side, int bitCount) {
    auto group = platform::icons::readIconGroup(file, index);
    if (!group) return {};
    for (const auto& ref : *group) {
        if (ref.width != side || platform::icons::imageBitCount(ref) != bitCount) continue;
        auto pixels = platform::icons::decodeDibIcon(ref.bytes);
        if (!pixels) return {};
        QImage image(pixels->width, pixels->height, QImage::Format_ARGB32);
        for (int y = 0; y < pixels->height; ++y)
            for (int x = 0; x < pixels->width; ++x) image.setPixel(x, y, pixels->argb[std::size_t(y) * pixels->width + x]);
        return image;
    }
    return {};
}

}  // namespace

TEST(icon_library, every_icon_has_large_and_small_images_that_decode) {
    ASSERT_TRUE(std::filesystem::exists(libraryPath()));
    const int count = platform::iconCount(libraryPath());
    EXPECT_GE(count, 39);
    platform::icons::MappedFile file(libraryPath());
    EXPECT_EQ(platform::icons::containerOf(file.view()), platform::icons::Container::Ne);
    std::set<QByteArray> distinct;
    for (int i = 0; i < count; ++i) {
        auto group = platform::icons::readIconGroup(file.view(), i);
        ASSERT_TRUE(group) << "icon " << i;
        std::set<std::pair<int, int>> sizes;
        for (const auto& image : *group) sizes.insert({image.width, image.height});
        EXPECT_TRUE(sizes.count({32, 32}) && sizes.count({16, 16})) << "icon " << i;

        auto image = platform::iconImage(libraryPath(), i);
        ASSERT_TRUE(image) << "icon " << i;
        EXPECT_EQ(image->size(), QSize(32, 32));
        // a real picture: neither empty nor a filled square
        int covered = coveredPixels(*image);
        EXPECT_GT(covered, 120) << "icon " << i;
        EXPECT_LT(covered, 32 * 32) << "icon " << i;
        distinct.insert(QByteArray(reinterpret_cast<const char*>(image->constBits()), int(image->sizeInBytes())));
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(count)) << "two icons share one picture";
}

TEST(icon_library, contact_sheet) {
    const int count = platform::iconCount(libraryPath());
    ASSERT_GT(count, 0);
    constexpr int kColumns = 8, kCell = 80;
    const int rows = (count + kColumns - 1) / kColumns;
    QImage sheet(kColumns * kCell, rows * kCell, QImage::Format_ARGB32);
    sheet.fill(QColor(236, 233, 216));
    QPainter painter(&sheet);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    painter.setFont(font);
    platform::icons::MappedFile file(libraryPath());
    // each cell: the image the reader picks, the 8-bit 32x32 image, the 16x16 image
    for (int i = 0; i < count; ++i) {
        QPoint cell((i % kColumns) * kCell, (i / kColumns) * kCell);
        if (auto image = platform::iconImage(libraryPath(), i)) painter.drawImage(cell + QPoint(4, 6), *image);
        painter.drawImage(cell + QPoint(42, 6), groupImage(file.view(), i, 32, 8));
        painter.drawImage(cell + QPoint(12, 42), groupImage(file.view(), i, 16, 32));
        painter.drawImage(cell + QPoint(30, 42), groupImage(file.view(), i, 16, 8));
        painter.drawText(QRect(cell + QPoint(48, 40), QSize(30, 20)), Qt::AlignCenter, QString::number(i));
    }
    painter.end();
    const std::filesystem::path dir = std::getenv("SUITE_SCREENSHOT_DIR");
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(sheet.save(QString::fromStdString((dir / "icon_library.png").string())));
}
