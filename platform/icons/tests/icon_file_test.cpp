// Icon count and 32x32 images of files on disk, including PNG images and damage.
#include "platform/icons/icon_file.h"
#include "platform/icons/tests/icon_test_files.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace platform;
using platform::icons::testing::sampleGroups;
using platform::icons::testing::solidPicture;

namespace {

std::filesystem::path scratch(const std::string& name) {
    std::filesystem::path dir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    return dir / name;
}

std::filesystem::path writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    auto path = scratch(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

std::vector<std::uint8_t> pngOf(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

}  // namespace

TEST(icon_file, nothing_readable_means_no_icons) {
    EXPECT_EQ(iconCount(scratch("missing.ico")), 0);
    EXPECT_FALSE(iconImage(scratch("missing.ico"), 0));
    std::filesystem::create_directories(scratch("a-folder.dll"));
    EXPECT_EQ(iconCount(scratch("a-folder.dll")), 0);
    EXPECT_EQ(iconCount(writeFile("empty.exe", {})), 0);
    EXPECT_EQ(iconCount("/dev/zero"), 0);  // a device is not a file: no endless read
}

TEST(icon_file, module_icons_come_out_32x32_with_their_transparency) {
    auto dll = writeFile("three.dll", icons::writePeModule(sampleGroups(3)));
    ASSERT_EQ(iconCount(dll), 3);
    for (int i = 0; i < 3; ++i) {
        auto image = iconImage(dll, i);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->size(), QSize(32, 32));
        EXPECT_EQ(image->format(), QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(image->pixel(0, 0)), 0);    // border
        EXPECT_EQ(qAlpha(image->pixel(5, 5)), 0);    // transparent quarter
        EXPECT_EQ(image->pixel(20, 20), 0xFF000000u | 0x102030u * std::uint32_t(i + 1));
    }
    EXPECT_FALSE(iconImage(dll, 3));
}

TEST(icon_file, best_depth_wins_and_a_broken_image_falls_back) {
    auto deep = icons::encodeDibIcon(solidPicture(32, 32, 0x3366CC), 32);
    auto shallow = icons::encodeDibIcon(solidPicture(32, 32, 0x800000), 4);
    auto ico = writeFile("two-depths.ico", icons::writeIcoFile({shallow, deep}));
    auto image = iconImage(ico, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixel(20, 20), 0xFF3366CCu);

    auto broken = deep;
    broken.bytes[14] = 7;  // 7 bits per pixel: undecodable
    image = iconImage(writeFile("broken-best.ico", icons::writeIcoFile({shallow, broken})), 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixel(20, 20), 0xFF800000u);
}

TEST(icon_file, png_images_are_decoded_and_scaled_to_32) {
    QImage big(64, 64, QImage::Format_ARGB32);
    big.fill(Qt::transparent);
    for (int y = 16; y < 64; ++y)
        for (int x = 0; x < 64; ++x) big.setPixel(x, y, 0xFF20A040u);
    auto png = icons::pngIconImage(64, 64, pngOf(big));
    auto ico = writeFile("png.ico", icons::writeIcoFile({png}));
    auto image = iconImage(ico, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(image->pixel(16, 2)), 0);
    EXPECT_EQ(image->pixel(16, 24), 0xFF20A040u);

    // a 16x16-only icon is enlarged to the normal size
    auto small = writeFile("small.ico", icons::writeIcoFile({icons::encodeDibIcon(solidPicture(16, 16, 0xFF0000), 32)}));
    image = iconImage(small, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), QSize(32, 32));

    auto junk = png;
    std::fill(junk.bytes.begin() + 33, junk.bytes.end(), 0);  // header sane, stream destroyed
    EXPECT_FALSE(iconImage(writeFile("junk-png.ico", icons::writeIcoFile({junk})), 0));
}
