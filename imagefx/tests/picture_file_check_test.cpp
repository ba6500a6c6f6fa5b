// Tests of telling whole BMP and JPEG files from cut or inconsistent ones.
#include "imagefx/core/picture_file_check.h"

#include <vector>

#include <gtest/gtest.h>

namespace imagefx {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A BMP with a 40-byte header and `dataBytes` bytes after it.
Bytes bmp(std::int32_t w, std::int32_t h, int bpp, std::uint32_t compression, std::size_t dataBytes) {
    Bytes b(54 + dataBytes, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(w));
    put32(b, 22, static_cast<std::uint32_t>(h));
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bpp);
    put32(b, 30, compression);
    return b;
}

PictureData check(const Bytes& b) { return checkPictureData(b); }

TEST(PictureFileCheck, BmpRowsMustAllBeThere) {
    // 5 pixels of 24 bits: 15 bytes a row, padded to 16.
    EXPECT_EQ(check(bmp(5, 3, 24, 0, 48)), PictureData::Complete);
    EXPECT_EQ(check(bmp(5, 3, 24, 0, 47)), PictureData::Complete);  // last row's padding may go
    EXPECT_EQ(check(bmp(5, 3, 24, 0, 46)), PictureData::Damaged);
    EXPECT_EQ(check(bmp(5, -3, 24, 0, 46)), PictureData::Damaged);  // top-down rows alike
    // What a reader that wants every row padded lacks: only a whole file's last padding.
    EXPECT_EQ(missingRowPadding(bmp(5, 3, 24, 0, 47)), 1u);
    EXPECT_EQ(missingRowPadding(bmp(5, -3, 8, 0, 21)), 3u);
    EXPECT_EQ(missingRowPadding(bmp(5, 3, 24, 0, 48)), 0u);
    EXPECT_EQ(missingRowPadding(bmp(5, 3, 24, 0, 46)), 0u);
    EXPECT_EQ(missingRowPadding(bmp(4, 2, 8, 1, 2)), 0u);  // run-length rows have no padding
    // 154 bytes claiming 20000 x 1000: what a decoder shows as a black picture.
    EXPECT_EQ(check(bmp(20000, 1000, 24, 0, 100)), PictureData::Damaged);
    // Sizes whose product overflows 64 bits.
    EXPECT_EQ(check(bmp(0x7fffffff, 0x7fffffff, 32, 0, 16)), PictureData::Damaged);
    EXPECT_EQ(check(bmp(0, 3, 24, 0, 48)), PictureData::Damaged);
    Bytes pastEnd = bmp(1, 1, 24, 0, 4);
    put32(pastEnd, 10, 4000);
    EXPECT_EQ(check(pastEnd), PictureData::Damaged);
    EXPECT_EQ(check(Bytes{'B', 'M', 0, 0}), PictureData::Damaged);
    // Old 12-byte header, 16-bit sizes.
    Bytes core(26 + 8, 0);
    core[0] = 'B';
    core[1] = 'M';
    put32(core, 10, 26);
    put32(core, 14, 12);
    core[18] = 2;  // 2 x 2 at 8 bits: 4 bytes a row
    core[20] = 2;
    core[24] = 8;
    EXPECT_EQ(check(core), PictureData::Complete);
    core.resize(core.size() - 4);
    EXPECT_EQ(check(core), PictureData::Damaged);
}

TEST(PictureFileCheck, BmpRunLengthDataMustReachItsEnd) {
    auto rle = [](Bytes codes) {
        Bytes b = bmp(4, 2, 8, 1, 0);
        b.insert(b.end(), codes.begin(), codes.end());
        return b;
    };
    EXPECT_EQ(check(rle({4, 7, 0, 0, 4, 9, 0, 1})), PictureData::Complete);  // runs, end of line, end
    EXPECT_EQ(check(rle({0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 0, 1})), PictureData::Complete);  // literal, delta
    EXPECT_EQ(check(rle({4, 7, 0, 0, 4, 9, 0, 0})), PictureData::Complete);  // every row ended
    EXPECT_EQ(check(rle({4, 7, 0, 0, 4})), PictureData::Damaged);
    EXPECT_EQ(check(rle({0, 9, 1, 2})), PictureData::Damaged);  // literal run cut short
}

TEST(PictureFileCheck, JpegMustReachItsEndMarker) {
    const Bytes head = {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x04, 'J', 'F',  // SOI, APP0
                        0xff, 0xda, 0x00, 0x03, 0x01};                  // SOS
    // Coded data with a stuffed 0xff and a restart marker, then the end marker.
    const Bytes coded = {0x12, 0xff, 0x00, 0x34, 0xff, 0xd0, 0x56};
    Bytes whole = head;
    whole.insert(whole.end(), coded.begin(), coded.end());
    whole.insert(whole.end(), {0xff, 0xff, 0xd9});  // fill byte before the marker
    EXPECT_EQ(check(whole), PictureData::Complete);
    Bytes trailing = whole;
    trailing.insert(trailing.end(), {0x00, 0x11, 0xff});  // bytes after the end are not read
    EXPECT_EQ(check(trailing), PictureData::Complete);
    for (std::size_t cut : {whole.size() - 1, whole.size() - 3, head.size() + 2, std::size_t{9}, std::size_t{4}}) {
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(check(part), PictureData::Damaged) << cut;
    }
    // A segment longer than the file, and an end marker before any scan.
    EXPECT_EQ(check({0xff, 0xd8, 0xff, 0xe1, 0x40, 0x00, 0xff, 0xd9}), PictureData::Damaged);
    EXPECT_EQ(check({0xff, 0xd8, 0xff, 0xd9}), PictureData::Damaged);
    EXPECT_EQ(check({'G', 'I', 'F', '8'}), PictureData::NotChecked);
    EXPECT_EQ(check({}), PictureData::NotChecked);
}

}  // namespace
}  // namespace imagefx
