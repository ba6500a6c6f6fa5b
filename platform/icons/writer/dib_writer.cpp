// Encoding pixels as DIB icon images: colour table, bottom-up rows, AND mask.
#include "platform/icons/writer/bytes_out.h"
#include "platform/icons/writer/icon_writer.h"

#include <map>

namespace platform::icons {

namespace {

std::uint32_t opaque(std::uint32_t argb) { return argb & 0x00FFFFFFu; }
bool isTransparent(std::uint32_t argb) { return (argb >> 24) < 0x80; }

// The fixed palettes used when an image has more colours than its depth holds:
// black and white; the 16 VGA colours; a 6x6x6 colour cube with 40 greys.
std::vector<std::uint32_t> fixedPalette(int bitCount) {
    if (bitCount == 1) return {0x000000, 0xFFFFFF};
    static const std::vector<std::uint32_t> vga{
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    if (bitCount == 4) return vga;
    std::vector<std::uint32_t> palette;
    for (std::uint32_t r = 0; r < 6; ++r)
        for (std::uint32_t g = 0; g < 6; ++g)
            for (std::uint32_t b = 0; b < 6; ++b) palette.push_back(r * 51 << 16 | g * 51 << 8 | b * 51);
    for (std::uint32_t i = 0; i < 40; ++i) {
        std::uint32_t v = 3 + i * 6;
        palette.push_back(v << 16 | v << 8 | v);
    }
    return palette;
}

std::uint32_t nearestIndex(const std::vector<std::uint32_t>& palette, std::uint32_t rgb) {
    std::uint32_t best = 0;
    long bestDistance = -1;
    for (std::uint32_t i = 0; i < palette.size(); ++i) {
        long d = 0;
        for (int shift : {16, 8, 0}) {
            long diff = static_cast<long>((palette[i] >> shift) & 0xFF) - static_cast<long>((rgb >> shift) & 0xFF);
            d += diff * diff;
        }
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

}  // namespace

IconImageBlob encodeDibIcon(const IconPixels& pixels, int bitCount) {
    const int w = pixels.width, h = pixels.height;
    std::vector<std::uint32_t> palette;
    std::map<std::uint32_t, std::uint32_t> indexOf;
    if (bitCount <= 8) {
        for (std::uint32_t p : pixels.argb) {
            std::uint32_t rgb = isTransparent(p) ? 0 : opaque(p);
            if (!indexOf.count(rgb)) {
                indexOf[rgb] = static_cast<std::uint32_t>(palette.size());
                palette.push_back(rgb);
            }
        }
        if (palette.size() > (1u << bitCount)) {
            palette = fixedPalette(bitCount);
            indexOf.clear();
        }
        if (palette.size() % 2) palette.push_back(0);  // keeps the image a whole number of 8-byte units
    }
    auto indexFor = [&](std::uint32_t rgb) {
        auto found = indexOf.find(rgb);
        if (found != indexOf.end()) return found->second;
        std::uint32_t index = nearestIndex(palette, rgb);
        indexOf[rgb] = index;
        return index;
    };

    BytesOut out;
    out.u32(40);
    out.u32(static_cast<std::uint32_t>(w));
    out.u32(static_cast<std::uint32_t>(h * 2));  // colour image and mask
    out.u16(1);
    out.u16(static_cast<std::uint32_t>(bitCount));
    out.u32(0);  // BI_RGB
    out.u32(0);  // image size may be 0 for BI_RGB
    out.u32(0);
    out.u32(0);
    out.u32(bitCount <= 8 ? static_cast<std::uint32_t>(palette.size()) : 0);
    out.u32(0);
    for (std::uint32_t rgb : palette) out.u32(rgb);  // RGBQUAD is BGR0 in memory

    const std::size_t colourStride = (static_cast<std::size_t>(w) * bitCount + 31) / 32 * 4;
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(colourStride, 0);
        for (int x = 0; x < w; ++x) {
            std::uint32_t p = pixels.argb[static_cast<std::size_t>(y) * w + x];
            switch (bitCount) {
            case 32:
                for (int c = 0; c < 4; ++c) row[4 * x + c] = static_cast<std::uint8_t>(p >> (8 * c));
                break;
            case 24:
                for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<std::uint8_t>(isTransparent(p) ? 0 : p >> (8 * c));
                break;
            default: {
                std::uint32_t index = indexFor(isTransparent(p) ? 0 : opaque(p));
                std::size_t bit = static_cast<std::size_t>(x) * bitCount;
                row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bitCount - bit % 8));
            }
            }
        }
        out.append(row);
    }
    const std::size_t maskStride = (static_cast<std::size_t>(w) + 31) / 32 * 4;
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < w; ++x) {
            if (isTransparent(pixels.argb[static_cast<std::size_t>(y) * w + x])) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.append(row);
    }
    IconImageBlob blob;
    blob.width = w;
    blob.height = h;
    blob.bitCount = bitCount;
    blob.bytes = std::move(out.bytes());
    return blob;
}

IconImageBlob pngIconImage(int width, int height, std::vector<std::uint8_t> png) {
    IconImageBlob blob;
    blob.width = width;
    blob.height = height;
    blob.bitCount = 32;
    blob.bytes = std::move(png);
    return blob;
}

}  // namespace platform::icons
