// Small icon pictures and files for the reader's tests and fuzz seeds.
#pragma once

#include "platform/icons/writer/icon_writer.h"

namespace platform::icons::testing {

// A side x side picture in one colour with a transparent border of one pixel and
// a transparent top-left quarter, so that both mask and colour matter.
inline IconPixels solidPicture(int width, int height, std::uint32_t rgb) {
    IconPixels p;
    p.width = width;
    p.height = height;
    p.argb.assign(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            bool quarter = x < width / 2 && y < height / 2;
            if (!border && !quarter) p.argb[static_cast<std::size_t>(y) * width + x] = 0xFF000000u | rgb;
        }
    }
    return p;
}

// Groups of distinct sizes and colours: group g holds 16x16 and 32x32 images.
inline std::vector<IconGroupBlobs> sampleGroups(int count) {
    std::vector<IconGroupBlobs> groups;
    for (int g = 0; g < count; ++g) {
        std::uint32_t rgb = 0x102030u * static_cast<std::uint32_t>(g + 1);
        groups.push_back({encodeDibIcon(solidPicture(16, 16, rgb), 8), encodeDibIcon(solidPicture(32, 32, rgb), 32)});
    }
    return groups;
}

}  // namespace platform::icons::testing
