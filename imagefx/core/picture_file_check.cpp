// Structure walks of BMP and JPEG files: enough to see that none of the data is missing.
#include "imagefx/core/picture_file_check.h"

#include <cstdlib>

namespace imagefx {

namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t le16(Bytes b, std::size_t at) { return b[at] | (std::uint32_t{b[at + 1]} << 8); }
std::uint32_t le32(Bytes b, std::size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }

// Run-length coded rows: complete when the end-of-bitmap code is reached, or when the data
// end exactly after the last row's end-of-line code.
PictureData checkRle(Bytes data, std::int64_t height, bool fourBit) {
    std::size_t i = 0;
    std::int64_t y = 0;
    while (i + 2 <= data.size()) {
        const std::uint8_t count = data[i], code = data[i + 1];
        i += 2;
        if (count != 0) continue;  // a run: count pixels of one value
        if (code == 0) {
            ++y;  // end of line
        } else if (code == 1) {
            return PictureData::Complete;
        } else if (code == 2) {
            if (i + 2 > data.size()) return PictureData::Damaged;
            y += data[i + 1];
            i += 2;
        } else {
            std::size_t bytes = fourBit ? (code + 1u) / 2u : code;
            bytes += bytes & 1u;  // literal runs are padded to a 16-bit boundary
            if (i + bytes > data.size()) return PictureData::Damaged;
            i += bytes;
        }
    }
    return y >= height ? PictureData::Complete : PictureData::Damaged;
}

PictureData checkBmp(Bytes file) {
    constexpr std::size_t kFileHeader = 14;
    if (file.size() < kFileHeader + 12) return PictureData::Damaged;
    const std::uint32_t offBits = le32(file, 10);
    const std::uint32_t infoSize = le32(file, 14);
    std::int64_t width = 0, height = 0;
    std::uint32_t bpp = 0, compression = 0;
    if (infoSize == 12) {  // the old core header: 16-bit sizes, never compressed
        width = le16(file, 18);
        height = le16(file, 20);
        bpp = le16(file, 24);
    } else if (infoSize >= 16 && file.size() >= kFileHeader + 16) {
        width = static_cast<std::int32_t>(le32(file, 18));
        height = std::llabs(static_cast<std::int32_t>(le32(file, 22)));  // negative: top-down
        bpp = le16(file, 28);
        // Headers shorter than 20 bytes have no compression field: their rows are plain.
        compression = infoSize >= 20 && file.size() >= kFileHeader + 20 ? le32(file, 30) : 0;
    } else {
        return PictureData::Damaged;
    }
    if (width <= 0 || height <= 0 || bpp == 0) return PictureData::Damaged;
    // Pixel data start at offBits; a header that points inside itself is read from its end.
    std::uint64_t start = offBits;
    if (start < kFileHeader + infoSize) start = kFileHeader + infoSize;
    if (start > file.size()) return PictureData::Damaged;
    const Bytes data = file.subspan(static_cast<std::size_t>(start));

    switch (compression) {
    case 0:  // plain rows
    case 3:  // plain rows with channel masks
    case 6: {
        const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * bpp;
        const std::uint64_t stride = (rowBits + 31) / 32 * 4;
        // The last row's padding is not needed to read it. Divided, not multiplied: a
        // hostile header's sizes would overflow the product.
        const std::uint64_t lastRow = (rowBits + 7) / 8;
        if (data.size() < lastRow) return PictureData::Damaged;
        const std::uint64_t otherRows = static_cast<std::uint64_t>(height - 1);
        return otherRows <= (data.size() - lastRow) / stride ? PictureData::Complete : PictureData::Damaged;
    }
    case 1: return checkRle(data, height, false);
    case 2: return checkRle(data, height, true);
    default: return PictureData::NotChecked;
    }
}

// Walks the markers to the end-of-image marker, skipping segments by their lengths and
// coded data up to the next marker. A JPEG cut anywhere never reaches it.
PictureData checkJpeg(Bytes file) {
    std::size_t i = 2;
    bool scanned = false;
    while (i < file.size()) {
        if (file[i] != 0xff) {  // stray bytes between segments: decoders skip to the next marker
            ++i;
            continue;
        }
        while (i < file.size() && file[i] == 0xff) ++i;  // fill bytes
        if (i >= file.size()) break;
        const std::uint8_t marker = file[i++];
        if (marker == 0xd9) return scanned ? PictureData::Complete : PictureData::Damaged;
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) continue;  // no length
        if (marker == 0x00) continue;
        if (i + 2 > file.size()) break;
        const std::size_t length = (std::size_t{file[i]} << 8) | file[i + 1];
        if (length < 2 || i + length > file.size()) break;
        i += length;
        if (marker != 0xda) continue;
        scanned = true;
        // Coded data: 0xff is followed by a stuffed 0x00 or a restart marker within it.
        while (i + 1 < file.size()) {
            if (file[i] == 0xff && file[i + 1] != 0x00 && !(file[i + 1] >= 0xd0 && file[i + 1] <= 0xd7)) break;
            ++i;
        }
        if (i + 1 >= file.size()) break;
    }
    return PictureData::Damaged;
}

}  // namespace

PictureData checkPictureData(std::span<const std::uint8_t> file) {
    if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') return checkBmp(file);
    if (file.size() >= 3 && file[0] == 0xff && file[1] == 0xd8 && file[2] == 0xff) return checkJpeg(file);
    return PictureData::NotChecked;
}

}  // namespace imagefx
