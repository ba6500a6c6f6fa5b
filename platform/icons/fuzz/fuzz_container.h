// Shared body of the container fuzz targets: count, read every group, decode every image.
#pragma once

#include "platform/icons/icon_container.h"
#include "platform/icons/icon_pixels.h"

#include <cstdlib>

namespace platform::icons {

// Beyond this many groups a fuzz input only repeats itself; reading them all
// would make single runs slow without finding more.
constexpr int kFuzzGroupLimit = 64;

inline void fuzzContainer(int (*count)(ByteView), std::optional<IconGroup> (*read)(ByteView, int),
                          const std::uint8_t* data, std::size_t size) {
    ByteView file(data, size);
    const int icons = count(file);
    if (icons < 0) std::abort();
    for (int i = -1; i <= icons && i < kFuzzGroupLimit; ++i) {
        auto group = read(file, i);
        if (!group) continue;
        if (i < 0 || i >= icons) std::abort();  // a group the count does not admit
        for (const auto& image : imagesByPreference(*group)) {
            if (image.bytes.data() < data || image.bytes.data() + image.bytes.size() > data + size) std::abort();
            pngSize(image.bytes);
            if (auto pixels = decodeDibIcon(image.bytes)) {
                if (pixels->argb.size() != static_cast<std::size_t>(pixels->width) * pixels->height) std::abort();
            }
        }
    }
}

}  // namespace platform::icons
