// .ico files: an ICONDIR whose entries point at images by file offset.
#include "platform/icons/icon_container.h"

namespace platform::icons {

namespace {

// ICONDIR: reserved 0, type 1 (2 would be a cursor), count, then 16-byte entries.
std::optional<std::uint16_t> icoEntryCount(ByteView file) {
    auto reserved = file.u16(0);
    auto type = file.u16(2);
    auto count = file.u16(4);
    if (!reserved || !type || !count || *reserved != 0 || *type != 1 || *count == 0) return std::nullopt;
    return count;
}

std::optional<ByteView> icoImageBytes(ByteView file, ByteView entry) {
    auto size = entry.u32(8);
    auto offset = entry.u32(12);
    if (!size || !offset || *size == 0 || *offset < 6) return std::nullopt;
    return file.sub(*offset, *size);
}

}  // namespace

int countIcoIcons(ByteView file) {
    auto count = icoEntryCount(file);
    if (!count) return 0;
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto entry = file.sub(6 + 16ull * i, 16);
        if (!entry) break;
        if (icoImageBytes(file, *entry)) return 1;
    }
    return 0;
}

std::optional<IconGroup> readIcoGroup(ByteView file, int index) {
    auto count = icoEntryCount(file);
    if (!count || index != 0) return std::nullopt;
    IconGroup group;
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto entry = file.sub(6 + 16ull * i, 16);
        if (!entry) break;
        auto bytes = icoImageBytes(file, *entry);
        if (!bytes) continue;
        IconImageRef ref;
        ref.width = *entry->u8(0) ? *entry->u8(0) : 256;
        ref.height = *entry->u8(1) ? *entry->u8(1) : 256;
        ref.colorCount = *entry->u8(2);
        ref.bitCount = *entry->u16(6);
        ref.bytes = *bytes;
        group.push_back(ref);
    }
    if (group.empty()) return std::nullopt;
    return group;
}

}  // namespace platform::icons
