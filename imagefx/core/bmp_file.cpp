// Encoding the working picture as a BMP file.
#include "imagefx/core/bmp_file.h"

#include <cstdint>
#include <cstring>

#include "imagefx/core/row_loop.h"

namespace imagefx {

namespace {

void put16(char* at, std::uint32_t v) {
    at[0] = static_cast<char>(v & 0xff);
    at[1] = static_cast<char>((v >> 8) & 0xff);
}
void put32(char* at, std::uint32_t v) {
    put16(at, v & 0xffff);
    put16(at + 2, v >> 16);
}

// One row of 0xffRRGGBB pixels as blue, green, red bytes.
IMAGEFX_ROW_LOOP
void packRow(const std::uint32_t* __restrict in, int width, std::uint8_t* __restrict out) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t p = in[x];
        out[3 * x] = static_cast<std::uint8_t>(p);
        out[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
        out[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
    }
}

}  // namespace

void encodeBmp(const Picture& picture, std::string& out) {
    constexpr std::uint32_t kHeaders = 14 + 40;
    constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch
    const int w = picture.width(), h = picture.height();
    const std::size_t rowBytes = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(h);
    out.resize(kHeaders + imageBytes);
    char* d = out.data();
    std::memset(d, 0, kHeaders);
    d[0] = 'B';
    d[1] = 'M';
    put32(d + 2, static_cast<std::uint32_t>(kHeaders + imageBytes));
    put32(d + 10, kHeaders);
    put32(d + 14, 40);
    put32(d + 18, static_cast<std::uint32_t>(w));
    put32(d + 22, static_cast<std::uint32_t>(h));
    put16(d + 26, 1);
    put16(d + 28, 24);
    put32(d + 34, static_cast<std::uint32_t>(imageBytes));
    put32(d + 38, kPixelsPerMetre);
    put32(d + 42, kPixelsPerMetre);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint8_t*>(d + kHeaders + rowBytes * static_cast<std::size_t>(h - 1 - y));
        packRow(picture.row(y), w, row);
        std::memset(row + 3 * static_cast<std::size_t>(w), 0, rowBytes - 3 * static_cast<std::size_t>(w));
    }
}

}  // namespace imagefx
