// Structure walks of BMP and JPEG files: enough to see that none of the data is missing.
#include "imagefx/core/picture_file_check.h"

#include <cstdlib>
#include <optional>

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

// What a BMP header says about where the pixel data are and how they are laid out.
struct BmpLayout {
    std::int64_t width = 0, height = 0;
    std::uint32_t bpp = 0, compression = 0;
    std::uint64_t start = 0;  // where the pixel data begin
};

std::optional<BmpLayout> bmpLayout(Bytes file) {
    constexpr std::size_t kFileHeader = 14;
    if (file.size() < kFileHeader + 12) return std::nullopt;
    BmpLayout l;
    const std::uint32_t offBits = le32(file, 10);
    const std::uint32_t infoSize = le32(file, 14);
    if (infoSize == 12) {  // the old core header: 16-bit sizes, never compressed
        l.width = le16(file, 18);
        l.height = le16(file, 20);
        l.bpp = le16(file, 24);
    } else if (infoSize >= 16 && file.size() >= kFileHeader + 16) {
        l.width = static_cast<std::int32_t>(le32(file, 18));
        l.height = std::llabs(static_cast<std::int32_t>(le32(file, 22)));  // negative: top-down
        l.bpp = le16(file, 28);
        // Headers shorter than 20 bytes have no compression field: their rows are plain.
        l.compression = infoSize >= 20 && file.size() >= kFileHeader + 20 ? le32(file, 30) : 0;
    } else {
        return std::nullopt;
    }
    if (l.width <= 0 || l.height <= 0 || l.bpp == 0) return std::nullopt;
    // Pixel data start at offBits; a header that points inside itself is read from its end.
    l.start = offBits;
    if (l.start < kFileHeader + infoSize) l.start = kFileHeader + infoSize;
    if (l.start > file.size()) return std::nullopt;
    return l;
}

bool plainRows(const BmpLayout& l) {
    return l.compression == 0 || l.compression == 3 || l.compression == 6;  // 3, 6: channel masks
}

// Bytes of one padded row (a whole number of 32-bit words), and of the last row without
// its padding.
std::uint64_t rowStride(const BmpLayout& l) { return (static_cast<std::uint64_t>(l.width) * l.bpp + 31) / 32 * 4; }
std::uint64_t lastRowBytes(const BmpLayout& l) { return (static_cast<std::uint64_t>(l.width) * l.bpp + 7) / 8; }

PictureData checkBmp(Bytes file) {
    const std::optional<BmpLayout> l = bmpLayout(file);
    if (!l) return PictureData::Damaged;
    const Bytes data = file.subspan(static_cast<std::size_t>(l->start));
    if (plainRows(*l)) {
        // The last row's padding is not needed to read it. Divided, not multiplied: a
        // hostile header's sizes would overflow the product.
        const std::uint64_t lastRow = lastRowBytes(*l);
        if (data.size() < lastRow) return PictureData::Damaged;
        const std::uint64_t otherRows = static_cast<std::uint64_t>(l->height - 1);
        return otherRows <= (data.size() - lastRow) / rowStride(*l) ? PictureData::Complete : PictureData::Damaged;
    }
    if (l->compression == 1) return checkRle(data, l->height, false);
    if (l->compression == 2) return checkRle(data, l->height, true);
    return PictureData::NotChecked;
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

std::size_t missingRowPadding(std::span<const std::uint8_t> file) {
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M' || checkBmp(file) != PictureData::Complete) return 0;
    const BmpLayout l = *bmpLayout(file);
    if (!plainRows(l)) return 0;
    // Complete plain rows: at least every row but the last whole, so the product fits.
    const std::uint64_t whole = l.start + rowStride(l) * static_cast<std::uint64_t>(l.height);
    return whole > file.size() ? static_cast<std::size_t>(whole - file.size()) : 0;
}

}  // namespace imagefx
