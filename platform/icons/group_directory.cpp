// Group-icon directories: the entries that tie a group to its RT_ICON images.
#include "platform/icons/group_directory.h"

namespace platform::icons {

std::optional<IconGroup> readGroupDirectory(ByteView directory, const IconById& iconById) {
    auto reserved = directory.u16(0);
    auto type = directory.u16(2);
    auto count = directory.u16(4);
    if (!reserved || !type || !count || *reserved != 0 || *type != 1) return std::nullopt;
    IconGroup group;
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto entry = directory.sub(6 + 14ull * i, 14);
        if (!entry) break;  // a count past the end keeps the entries that are there
        auto image = iconById(*entry->u16(12));
        if (!image || image->empty()) continue;
        IconImageRef ref;
        ref.width = *entry->u8(0) ? *entry->u8(0) : 256;
        ref.height = *entry->u8(1) ? *entry->u8(1) : 256;
        ref.colorCount = *entry->u8(2);
        ref.bitCount = *entry->u16(6);
        ref.bytes = *image;
        group.push_back(ref);
    }
    if (group.empty()) return std::nullopt;
    return group;
}

}  // namespace platform::icons
