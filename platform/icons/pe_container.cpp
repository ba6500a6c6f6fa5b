// PE32 and PE32+ modules: the resource directory's group icons and their images.
#include "platform/icons/group_directory.h"
#include "platform/icons/icon_container.h"

#include <unordered_map>

namespace platform::icons {

namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;

struct PeFile {
    ByteView file;
    ByteView sections;       // the section table, 40 bytes a section
    std::uint32_t sectionCount = 0;
    ByteView resources;      // from the resource directory's root to the end of the file
};

// Section table lookup: a relative virtual address to its offset in the file.
std::optional<std::uint64_t> fileOffsetOf(const PeFile& pe, std::uint32_t rva) {
    for (std::uint32_t i = 0; i < pe.sectionCount; ++i) {
        auto section = pe.sections.sub(40ull * i, 40);
        if (!section) break;
        std::uint32_t virtualSize = *section->u32(8);
        std::uint32_t virtualAddress = *section->u32(12);
        std::uint32_t rawSize = *section->u32(16);
        std::uint32_t rawOffset = *section->u32(20);
        std::uint32_t span = virtualSize > rawSize ? virtualSize : rawSize;
        if (rva >= virtualAddress && rva - virtualAddress < span) {
            std::uint32_t inSection = rva - virtualAddress;
            if (inSection >= rawSize) return std::nullopt;  // zero-filled, not in the file
            return static_cast<std::uint64_t>(rawOffset) + inSection;
        }
    }
    return std::nullopt;
}

std::optional<PeFile> openPe(ByteView file) {
    if (file.u16(0) != 0x5A4D) return std::nullopt;  // "MZ"
    auto peOffset = file.u32(0x3C);
    if (!peOffset || file.u32(*peOffset) != 0x00004550) return std::nullopt;  // "PE\0\0"
    std::uint64_t coff = *peOffset + 4ull;
    auto sectionCount = file.u16(coff + 2);
    auto optionalSize = file.u16(coff + 16);
    if (!sectionCount || !optionalSize) return std::nullopt;
    std::uint64_t optional = coff + 20;
    auto magic = file.u16(optional);
    if (!magic) return std::nullopt;
    std::uint64_t countField = 0;
    if (*magic == 0x10B) {
        countField = 92;   // PE32
    } else if (*magic == 0x20B) {
        countField = 108;  // PE32+
    } else {
        return std::nullopt;
    }
    auto directoryCount = file.u32(optional + countField);
    if (!directoryCount || *directoryCount < 3 || countField + 4 + 3 * 8 > *optionalSize) return std::nullopt;
    auto resourceRva = file.u32(optional + countField + 4 + 2 * 8);  // data directory 2: resources
    if (!resourceRva || *resourceRva == 0) return std::nullopt;

    PeFile pe;
    pe.file = file;
    pe.sectionCount = *sectionCount;
    pe.sections = file.from(optional + *optionalSize);
    auto resourceOffset = fileOffsetOf(pe, *resourceRva);
    if (!resourceOffset || !file.holds(*resourceOffset, 16)) return std::nullopt;
    pe.resources = file.from(*resourceOffset);
    return pe;
}

// IMAGE_RESOURCE_DIRECTORY: 16 bytes, then named entries, then id entries, 8 bytes each.
struct DirectoryEntries {
    std::uint32_t offset = 0;  // of the first entry, from the resource root
    std::uint32_t named = 0;
    std::uint32_t count = 0;   // named and id entries that lie inside the file
};

std::optional<DirectoryEntries> entriesOf(const PeFile& pe, std::uint32_t directoryOffset) {
    auto named = pe.resources.u16(directoryOffset + 12ull);
    auto ids = pe.resources.u16(directoryOffset + 14ull);
    if (!named || !ids) return std::nullopt;
    DirectoryEntries entries;
    entries.offset = directoryOffset + 16;
    entries.named = *named;
    std::uint64_t claimed = std::uint64_t{*named} + *ids;
    std::uint64_t fit = (pe.resources.size() - (directoryOffset + 16ull)) / 8;  // holds() checked 16 bytes
    entries.count = static_cast<std::uint32_t>(claimed < fit ? claimed : fit);
    return entries;
}

// The subdirectory an entry points at, or nothing if it points at data instead.
std::optional<std::uint32_t> subdirectoryOf(const PeFile& pe, const DirectoryEntries& entries, std::uint32_t i) {
    auto target = pe.resources.u32(entries.offset + 8ull * i + 4);
    if (!target || !(*target & kHighBit)) return std::nullopt;
    return *target & ~kHighBit;
}

// A name's language level: the data of its first language that is data.
std::optional<ByteView> firstLanguageData(const PeFile& pe, std::uint32_t nameDirectory) {
    auto languages = entriesOf(pe, nameDirectory);
    if (!languages) return std::nullopt;
    for (std::uint32_t i = 0; i < languages->count; ++i) {
        auto target = pe.resources.u32(languages->offset + 8ull * i + 4);
        if (!target || (*target & kHighBit)) continue;  // a fourth level is not a resource
        auto rva = pe.resources.u32(*target);
        auto size = pe.resources.u32(*target + 4ull);
        if (!rva || !size || *size == 0) continue;
        auto offset = fileOffsetOf(pe, *rva);
        if (!offset) continue;
        if (auto data = pe.file.sub(*offset, *size)) return data;
    }
    return std::nullopt;
}

// The root's entry for an integer resource type.
std::optional<DirectoryEntries> typeDirectory(const PeFile& pe, std::uint16_t type) {
    auto root = entriesOf(pe, 0);
    if (!root) return std::nullopt;
    for (std::uint32_t i = root->named; i < root->count; ++i) {
        if (pe.resources.u32(root->offset + 8ull * i) != type) continue;
        auto sub = subdirectoryOf(pe, *root, i);
        if (!sub) return std::nullopt;
        return entriesOf(pe, *sub);
    }
    return std::nullopt;
}

}  // namespace

int countPeIcons(ByteView file) {
    auto pe = openPe(file);
    if (!pe) return 0;
    auto groups = typeDirectory(*pe, kRtGroupIcon);
    return groups ? static_cast<int>(groups->count) : 0;
}

std::optional<IconGroup> readPeGroup(ByteView file, int index) {
    auto pe = openPe(file);
    if (!pe || index < 0) return std::nullopt;
    auto groups = typeDirectory(*pe, kRtGroupIcon);
    if (!groups || static_cast<std::uint32_t>(index) >= groups->count) return std::nullopt;
    auto nameDirectory = subdirectoryOf(*pe, *groups, static_cast<std::uint32_t>(index));
    if (!nameDirectory) return std::nullopt;
    auto directory = firstLanguageData(*pe, *nameDirectory);
    if (!directory) return std::nullopt;
    auto icons = typeDirectory(*pe, kRtIcon);
    if (!icons) return std::nullopt;
    // First entry per id; an index keeps a group of thousands of images linear.
    std::unordered_map<std::uint16_t, std::uint32_t> entryOfId;
    for (std::uint32_t i = icons->named; i < icons->count; ++i) {
        auto id = pe->resources.u32(icons->offset + 8ull * i);
        if (id && *id <= 0xFFFF) entryOfId.emplace(static_cast<std::uint16_t>(*id), i);
    }
    // Each id is resolved once: many entries may name one image with a long language list.
    std::unordered_map<std::uint16_t, std::optional<ByteView>> resolved;
    return readGroupDirectory(*directory, [&](std::uint16_t id) -> std::optional<ByteView> {
        auto known = resolved.find(id);
        if (known != resolved.end()) return known->second;
        std::optional<ByteView> data;
        auto found = entryOfId.find(id);
        if (found != entryOfId.end()) {
            if (auto sub = subdirectoryOf(*pe, *icons, found->second)) data = firstLanguageData(*pe, *sub);
        }
        resolved.emplace(id, data);
        return data;
    });
}

}  // namespace platform::icons
