// Icon images stored as DIBs: colour table, bottom-up rows and the AND mask.
#include "platform/icons/icon_pixels.h"

#include <array>
#include <bit>

namespace platform::icons {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

struct DibHeader {
    std::uint32_t headerSize = 0;
    int width = 0;
    int height = 0;  // of the colour image: the stored height counts the mask too
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint64_t paletteOffset = 0;
    std::uint32_t paletteEntries = 0;
    std::uint32_t paletteEntrySize = 4;  // RGBQUAD; RGBTRIPLE in the core header
    std::array<std::uint32_t, 3> masks{};  // red, green, blue for bitfields
};

std::optional<DibHeader> readHeader(ByteView image) {
    DibHeader h;
    auto headerSize = image.u32(0);
    if (!headerSize) return std::nullopt;
    h.headerSize = *headerSize;
    std::int64_t storedHeight = 0;
    if (h.headerSize == 12) {  // BITMAPCOREHEADER
        auto width = image.u16(4), height = image.u16(6), bits = image.u16(10);
        if (!width || !height || !bits) return std::nullopt;
        h.width = *width;
        storedHeight = *height;
        h.bitCount = *bits;
        h.paletteEntrySize = 3;
    } else if (h.headerSize >= 40 && h.headerSize <= 1024) {
        auto width = image.i32(4), height = image.i32(8);
        auto bits = image.u16(14);
        auto compression = image.u32(16), used = image.u32(32);
        if (!width || !height || !bits || !compression || !used) return std::nullopt;
        h.width = *width;
        storedHeight = *height;
        h.bitCount = *bits;
        h.compression = *compression;
        h.paletteEntries = *used;
    } else {
        return std::nullopt;
    }
    if (h.width <= 0 || h.width > kMaxIconSide || storedHeight < 2 || storedHeight > 2 * kMaxIconSide) {
        return std::nullopt;
    }
    h.height = static_cast<int>(storedHeight / 2);
    h.paletteOffset = h.headerSize;
    switch (h.bitCount) {
    case 1: case 4: case 8:
        if (h.compression != kBiRgb) return std::nullopt;
        if (h.paletteEntries == 0 || h.paletteEntries > (1u << h.bitCount)) h.paletteEntries = 1u << h.bitCount;
        break;
    case 16: case 24: case 32:
        if (h.compression == kBiBitfields && h.bitCount != 24) {
            std::uint64_t at = h.headerSize >= 52 ? 40 : h.headerSize;  // V4/V5 headers hold the masks
            for (std::size_t c = 0; c < 3; ++c) {
                auto mask = image.u32(at + 4 * c);
                if (!mask) return std::nullopt;
                h.masks[c] = *mask;
            }
            if (h.headerSize < 52) h.paletteOffset += 12;
        } else if (h.compression == kBiRgb) {
            if (h.bitCount == 16) h.masks = {0x7C00, 0x03E0, 0x001F};  // 5-5-5
        } else {
            return std::nullopt;
        }
        if (h.paletteEntries > 256) return std::nullopt;  // an optional table only
        break;
    default:
        return std::nullopt;
    }
    return h;
}

// One channel through a bit mask, scaled to 8 bits.
std::uint32_t channel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    std::uint32_t bits = static_cast<std::uint32_t>(std::popcount(mask));
    std::uint32_t raw = (value & mask) >> shift;
    std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
    return static_cast<std::uint32_t>((std::uint64_t{raw} * 255 + max / 2) / max);
}

std::uint64_t rowBytes(int width, int bitCount) {
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

}  // namespace

bool isPng(ByteView image) {
    static constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (std::size_t i = 0; i < kSignature.size(); ++i) {
        if (image.u8(i) != kSignature[i]) return false;
    }
    return true;
}

std::optional<std::pair<int, int>> pngSize(ByteView image) {
    if (!isPng(image) || image.u32be(12) != 0x49484452u) return std::nullopt;  // first chunk "IHDR"
    auto width = image.u32be(16), height = image.u32be(20);
    if (!width || !height || *width == 0 || *height == 0 || *width > kMaxIconSide || *height > kMaxIconSide) {
        return std::nullopt;
    }
    return std::pair<int, int>(static_cast<int>(*width), static_cast<int>(*height));
}

std::optional<IconPixels> decodeDibIcon(ByteView image) {
    auto header = readHeader(image);
    if (!header) return std::nullopt;
    const DibHeader& h = *header;
    auto palette = image.sub(h.paletteOffset, std::uint64_t{h.paletteEntries} * h.paletteEntrySize);
    if (!palette) return std::nullopt;
    std::uint64_t colourStride = rowBytes(h.width, h.bitCount);
    std::uint64_t colourStart = h.paletteOffset + palette->size();
    auto colour = image.sub(colourStart, colourStride * h.height);
    if (!colour) return std::nullopt;
    std::uint64_t maskStride = rowBytes(h.width, 1);
    auto mask = image.sub(colourStart + colour->size(), maskStride * h.height);  // may be missing

    IconPixels out;
    out.width = h.width;
    out.height = h.height;
    out.argb.assign(static_cast<std::size_t>(h.width) * h.height, 0);
    bool anyAlpha = false;
    for (int y = 0; y < h.height; ++y) {
        std::uint64_t row = static_cast<std::uint64_t>(h.height - 1 - y) * colourStride;  // bottom-up
        std::uint32_t* dst = out.argb.data() + static_cast<std::size_t>(y) * h.width;
        for (int x = 0; x < h.width; ++x) {
            std::uint32_t pixel = 0;
            switch (h.bitCount) {
            case 1: case 4: case 8: {
                std::uint64_t bitPos = static_cast<std::uint64_t>(x) * h.bitCount;
                std::uint32_t byte = *colour->u8(row + bitPos / 8);
                std::uint32_t index = (byte >> (8 - h.bitCount - bitPos % 8)) & ((1u << h.bitCount) - 1);
                if (index < h.paletteEntries) {
                    std::uint64_t at = std::uint64_t{index} * h.paletteEntrySize;
                    pixel = 0xFF000000u | std::uint32_t{*palette->u8(at + 2)} << 16 |
                            std::uint32_t{*palette->u8(at + 1)} << 8 | *palette->u8(at);
                } else {
                    pixel = 0xFF000000u;
                }
                break;
            }
            case 16: {
                std::uint32_t v = *colour->u16(row + 2ull * x);
                pixel = 0xFF000000u | channel(v, h.masks[0]) << 16 | channel(v, h.masks[1]) << 8 | channel(v, h.masks[2]);
                break;
            }
            case 24: {
                std::uint64_t at = row + 3ull * x;
                pixel = 0xFF000000u | std::uint32_t{*colour->u8(at + 2)} << 16 | std::uint32_t{*colour->u8(at + 1)} << 8 |
                        *colour->u8(at);
                break;
            }
            case 32: {
                std::uint32_t v = *colour->u32(row + 4ull * x);
                if (h.compression == kBiBitfields) {
                    pixel = (v & 0xFF000000u) | channel(v, h.masks[0]) << 16 | channel(v, h.masks[1]) << 8 |
                            channel(v, h.masks[2]);
                } else {
                    pixel = v;  // BGRA in memory is 0xAARRGGBB read little-endian
                }
                if (pixel >> 24) anyAlpha = true;
                break;
            }
            }
            dst[x] = pixel;
        }
    }
    if (h.bitCount == 32 && anyAlpha) return out;  // its own alpha; the mask is for old systems

    for (int y = 0; y < h.height; ++y) {
        std::uint32_t* dst = out.argb.data() + static_cast<std::size_t>(y) * h.width;
        std::uint64_t row = static_cast<std::uint64_t>(h.height - 1 - y) * maskStride;
        for (int x = 0; x < h.width; ++x) {
            bool transparent = mask && ((*mask->u8(row + x / 8) >> (7 - x % 8)) & 1);
            dst[x] = transparent ? 0 : (dst[x] | 0xFF000000u);
        }
    }
    return out;
}

}  // namespace platform::icons
