// Telling the containers apart and handing a file to the reader for its kind.
#include "platform/icons/icon_container.h"

#include "platform/icons/icon_pixels.h"

#include <algorithm>
#include <cstdlib>

namespace platform::icons {

Container containerOf(ByteView file) {
    if (file.u16(0) == 0x5A4D) {  // "MZ": the new header says which kind
        auto newHeader = file.u32(0x3C);
        if (!newHeader) return Container::None;
        if (file.u32(*newHeader) == 0x00004550) return Container::Pe;
        if (file.u16(*newHeader) == 0x454E) return Container::Ne;
        return Container::None;
    }
    if (file.u16(0) == 0 && file.u16(2) == 1) return Container::Ico;
    return Container::None;
}

int countIcons(ByteView file) {
    switch (containerOf(file)) {
    case Container::Ico: return countIcoIcons(file);
    case Container::Pe: return countPeIcons(file);
    case Container::Ne: return countNeIcons(file);
    case Container::None: break;
    }
    return 0;
}

std::optional<IconGroup> readIconGroup(ByteView file, int index) {
    switch (containerOf(file)) {
    case Container::Ico: return readIcoGroup(file, index);
    case Container::Pe: return readPeGroup(file, index);
    case Container::Ne: return readNeGroup(file, index);
    case Container::None: break;
    }
    return std::nullopt;
}

int imageBitCount(const IconImageRef& image) {
    if (isPng(image.bytes)) return 32;
    auto headerSize = image.bytes.u32(0);
    if (headerSize == 12u) {
        if (auto bits = image.bytes.u16(10)) return *bits;
    } else if (headerSize >= 40u) {
        if (auto bits = image.bytes.u16(14)) return *bits;
    }
    if (image.bitCount) return image.bitCount;
    int bits = 0;  // only a colour count to go by
    while (bits < 8 && (1 << bits) < image.colorCount) ++bits;
    return bits ? bits : 8;
}

std::vector<IconImageRef> imagesByPreference(const IconGroup& group, int wanted) {
    std::vector<IconImageRef> order(group.begin(), group.end());
    auto distance = [wanted](const IconImageRef& image) {
        return std::abs(image.width - wanted) + std::abs(image.height - wanted);
    };
    // Nearest size first; at equal distance the larger image (it scales down more
    // cleanly); then the deeper colour.
    std::stable_sort(order.begin(), order.end(), [&](const IconImageRef& a, const IconImageRef& b) {
        if (distance(a) != distance(b)) return distance(a) < distance(b);
        if (a.width * a.height != b.width * b.height) return a.width * a.height > b.width * b.height;
        return imageBitCount(a) > imageBitCount(b);
    });
    return order;
}

}  // namespace platform::icons
