// The working picture: W x H pixels held as 32-bit 0xffRRGGBB words, row after row.
#pragma once

#include <cstdint>

#include "imagefx/core/large_buffer.h"

namespace imagefx {

class Picture {
public:
    Picture() = default;
    Picture(int width, int height, std::uint32_t fill = 0xff000000u);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isEmpty() const { return width_ <= 0 || height_ <= 0; }

    std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    std::uint32_t at(int x, int y) const { return row(y)[x]; }
    void set(int x, int y, std::uint32_t rgb) { row(y)[x] = rgb; }

    std::uint32_t* bits() { return pixels_.data(); }
    const std::uint32_t* bits() const { return pixels_.data(); }

    friend bool operator==(const Picture&, const Picture&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    LargeBuffer<std::uint32_t> pixels_;
};

// Composes a pixel from three channel values, each already within 0..255.
constexpr std::uint32_t rgbPixel(int r, int g, int b) {
    return 0xff000000u | (static_cast<std::uint32_t>(r) << 16) |
           (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}
constexpr int redOf(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xff); }
constexpr int greenOf(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xff); }
constexpr int blueOf(std::uint32_t p) { return static_cast<int>(p & 0xff); }

}  // namespace imagefx
