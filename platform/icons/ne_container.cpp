// 16-bit NE modules and icon libraries: the resource table's group icons and images.
#include "platform/icons/group_directory.h"
#include "platform/icons/icon_container.h"

#include <unordered_map>
#include <vector>

namespace platform::icons {

namespace {

// Type and name ids with the high bit set are integers; others point at names.
constexpr std::uint16_t kIntegerId = 0x8000;
// Larger shifts would put resources past any file an NE header can describe.
constexpr std::uint16_t kMaxAlignShift = 24;

struct NeResource {
    std::uint16_t id = 0;  // integer id without its high bit; 0 for a named resource
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

struct NeResources {
    std::vector<NeResource> groups;
    std::vector<NeResource> icons;
};

// Walks the resource table: an alignment shift, then TYPEINFO records (type id,
// count, 4 reserved bytes) each followed by 12-byte NAMEINFO records, up to a
// type id of 0. Offsets and lengths are in units of 1 << shift bytes.
std::optional<NeResources> readResourceTable(ByteView file, bool wantIcons) {
    if (file.u16(0) != 0x5A4D) return std::nullopt;  // "MZ"
    auto neOffset = file.u32(0x3C);
    if (!neOffset || file.u16(*neOffset) != 0x454E) return std::nullopt;  // "NE"
    auto tableOffset = file.u16(*neOffset + 0x24ull);
    auto residentNames = file.u16(*neOffset + 0x26ull);
    if (!tableOffset || !residentNames || *tableOffset == *residentNames) return std::nullopt;
    std::uint64_t table = *neOffset + std::uint64_t{*tableOffset};
    auto shift = file.u16(table);
    if (!shift || *shift > kMaxAlignShift) return std::nullopt;

    NeResources found;
    std::uint64_t pos = table + 2;
    for (;;) {
        auto typeId = file.u16(pos);
        if (!typeId || *typeId == 0) break;
        auto count = file.u16(pos + 2);
        if (!count) break;
        pos += 8;
        std::vector<NeResource>* into = nullptr;
        if (*typeId == (kIntegerId | kRtGroupIcon)) into = &found.groups;
        if (wantIcons && *typeId == (kIntegerId | kRtIcon)) into = &found.icons;
        for (std::uint32_t i = 0; i < *count; ++i, pos += 12) {
            auto name = file.sub(pos, 12);
            if (!name) return found;  // truncated: keep what was read
            if (!into) continue;
            NeResource resource;
            std::uint16_t rawId = *name->u16(6);
            resource.id = (rawId & kIntegerId) ? rawId & 0x7FFF : 0;
            resource.offset = std::uint64_t{*name->u16(0)} << *shift;
            resource.length = std::uint64_t{*name->u16(2)} << *shift;
            into->push_back(resource);
        }
    }
    return found;
}

std::optional<ByteView> dataOf(ByteView file, const NeResource& resource) {
    if (resource.offset == 0 || resource.length == 0) return std::nullopt;
    return file.sub(resource.offset, resource.length);
}

}  // namespace

int countNeIcons(ByteView file) {
    auto resources = readResourceTable(file, false);
    return resources ? static_cast<int>(resources->groups.size()) : 0;
}

std::optional<IconGroup> readNeGroup(ByteView file, int index) {
    auto resources = readResourceTable(file, true);
    if (!resources || index < 0 || static_cast<std::size_t>(index) >= resources->groups.size()) return std::nullopt;
    auto directory = dataOf(file, resources->groups[static_cast<std::size_t>(index)]);
    if (!directory) return std::nullopt;
    std::unordered_map<std::uint16_t, const NeResource*> iconOfId;  // first resource per id
    for (const auto& icon : resources->icons) {
        if (icon.id != 0) iconOfId.emplace(icon.id, &icon);
    }
    return readGroupDirectory(*directory, [&](std::uint16_t id) -> std::optional<ByteView> {
        auto found = iconOfId.find(id);
        if (found == iconOfId.end()) return std::nullopt;
        return dataOf(file, *found->second);
    });
}

}  // namespace platform::icons
