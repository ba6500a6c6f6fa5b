// Writing .ico files and resource-only PE and NE modules of group icons.
#include "platform/icons/writer/bytes_out.h"
#include "platform/icons/writer/icon_writer.h"

#include <algorithm>
#include <stdexcept>

namespace platform::icons {

namespace {

constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtRcData = 10;
constexpr std::uint32_t kRtGroupIcon = 14;
constexpr std::uint32_t kLanguageUsEnglish = 0x409;

// The 12 bytes that .ico entries and group-icon entries share.
void imageEntryHead(BytesOut& out, const IconImageBlob& image) {
    out.u8(image.width >= 256 ? 0 : static_cast<std::uint32_t>(image.width));
    out.u8(image.height >= 256 ? 0 : static_cast<std::uint32_t>(image.height));
    out.u8(image.bitCount < 8 ? 1u << image.bitCount : 0);
    out.u8(0);
    out.u16(1);
    out.u16(static_cast<std::uint32_t>(image.bitCount));
    out.u32(static_cast<std::uint32_t>(image.bytes.size()));
}

// GRPICONDIR for a group whose images are RT_ICON firstId, firstId + 1, ...
std::vector<std::uint8_t> groupDirectory(const IconGroupBlobs& images, std::uint32_t firstId) {
    BytesOut out;
    out.u16(0);
    out.u16(1);
    out.u16(static_cast<std::uint32_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        imageEntryHead(out, images[i]);
        out.u16(firstId + static_cast<std::uint32_t>(i));
    }
    return std::move(out.bytes());
}

struct Resource {
    std::uint32_t type;
    std::uint32_t id;
    std::vector<std::uint8_t> bytes;
};

// Icons and groups as resources: images numbered from 1 across all groups.
std::vector<Resource> iconResources(const std::vector<IconGroupBlobs>& groups) {
    std::vector<Resource> resources;
    std::uint32_t nextIcon = 1;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        resources.push_back({kRtGroupIcon, static_cast<std::uint32_t>(g + 1), groupDirectory(groups[g], nextIcon)});
        for (const auto& image : groups[g]) resources.push_back({kRtIcon, nextIcon++, image.bytes});
    }
    return resources;
}

}  // namespace

std::vector<std::uint8_t> writeIcoFile(const IconGroupBlobs& images) {
    BytesOut out;
    out.u16(0);
    out.u16(1);
    out.u16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const auto& image : images) {
        imageEntryHead(out, image);
        out.u32(offset);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const auto& image : images) out.append(image.bytes);
    return std::move(out.bytes());
}

std::vector<std::uint8_t> writePeModule(const std::vector<IconGroupBlobs>& groups, const PeOptions& options) {
    constexpr std::uint32_t kFileAlign = 0x200, kSectionAlign = 0x1000, kSectionRva = 0x1000;
    auto resources = iconResources(groups);
    if (options.paddingBytes) resources.push_back({kRtRcData, 1, std::vector<std::uint8_t>(options.paddingBytes, 0x5A)});
    std::stable_sort(resources.begin(), resources.end(),
                     [](const Resource& a, const Resource& b) { return a.type != b.type ? a.type < b.type : a.id < b.id; });
    std::vector<std::uint32_t> types;
    for (const auto& r : resources) {
        if (types.empty() || types.back() != r.type) types.push_back(r.type);
    }

    // The .rsrc section: root, one directory per type, one per name (holding one
    // language), then the data entries, then the data.
    const std::uint32_t n = static_cast<std::uint32_t>(resources.size());
    const std::uint32_t rootSize = 16 + 8 * static_cast<std::uint32_t>(types.size());
    std::uint32_t typeDirsSize = 0;
    for (auto t : types) {
        typeDirsSize += 16 + 8 * static_cast<std::uint32_t>(std::count_if(
                                     resources.begin(), resources.end(), [t](const Resource& r) { return r.type == t; }));
    }
    const std::uint32_t nameDirsAt = rootSize + typeDirsSize;
    const std::uint32_t dataEntriesAt = nameDirsAt + 24 * n;
    std::uint32_t dataAt = dataEntriesAt + 16 * n;

    BytesOut rsrc;
    auto directoryHead = [&](std::uint32_t idEntries) {
        rsrc.u32(0);
        rsrc.u32(0);
        rsrc.u16(0);
        rsrc.u16(0);
        rsrc.u16(0);  // no named entries
        rsrc.u16(idEntries);
    };
    directoryHead(static_cast<std::uint32_t>(types.size()));
    std::uint32_t typeDirAt = rootSize;
    for (auto t : types) {
        rsrc.u32(t);
        rsrc.u32(0x80000000u | typeDirAt);
        typeDirAt += 16 + 8 * static_cast<std::uint32_t>(std::count_if(
                                  resources.begin(), resources.end(), [t](const Resource& r) { return r.type == t; }));
    }
    for (auto t : types) {
        std::vector<std::uint32_t> members;
        for (std::uint32_t k = 0; k < n; ++k) {
            if (resources[k].type == t) members.push_back(k);
        }
        directoryHead(static_cast<std::uint32_t>(members.size()));
        for (auto k : members) {
            rsrc.u32(resources[k].id);
            rsrc.u32(0x80000000u | (nameDirsAt + 24 * k));
        }
    }
    for (std::uint32_t k = 0; k < n; ++k) {
        directoryHead(1);
        rsrc.u32(kLanguageUsEnglish);
        rsrc.u32(dataEntriesAt + 16 * k);
    }
    for (std::uint32_t k = 0; k < n; ++k) {
        rsrc.u32(kSectionRva + dataAt);
        rsrc.u32(static_cast<std::uint32_t>(resources[k].bytes.size()));
        rsrc.u32(0);
        rsrc.u32(0);
        dataAt += static_cast<std::uint32_t>((resources[k].bytes.size() + 7) / 8 * 8);
    }
    for (const auto& r : resources) {
        rsrc.append(r.bytes);
        rsrc.padTo(8);
    }
    const std::uint32_t rsrcSize = static_cast<std::uint32_t>(rsrc.size());
    const std::uint32_t rawSize = (rsrcSize + kFileAlign - 1) / kFileAlign * kFileAlign;
    const std::uint32_t imageSize = kSectionRva + (rsrcSize + kSectionAlign - 1) / kSectionAlign * kSectionAlign;

    BytesOut out;
    out.text("MZ");
    out.zeros(0x3C - 2);
    out.u32(0x40);  // e_lfanew
    out.text(std::string_view("PE\0\0", 4));
    const bool wide = options.pe32plus;
    out.u16(wide ? 0x8664 : 0x14C);               // machine: x86-64 or i386
    out.u16(1);                                   // one section
    out.u32(0);                                   // time stamp
    out.u32(0);
    out.u32(0);
    out.u16(wide ? 240 : 224);                    // optional header size
    out.u16(wide ? 0x2022 : 0x2102);              // DLL, executable image (large-address / 32-bit machine)
    out.u16(wide ? 0x20B : 0x10B);
    out.u8(6);                                    // linker version
    out.u8(0);
    out.u32(0);                                   // size of code
    out.u32(rawSize);                             // initialised data
    out.u32(0);
    out.u32(0);                                   // no entry point: resources only
    out.u32(kSectionRva);                         // base of code
    if (wide) {
        out.u64(0x180000000ull);
    } else {
        out.u32(kSectionRva);                     // base of data
        out.u32(0x10000000u);                     // image base
    }
    out.u32(kSectionAlign);
    out.u32(kFileAlign);
    out.u16(4);  out.u16(0);                      // OS version
    out.u16(0);  out.u16(0);                      // image version
    out.u16(4);  out.u16(0);                      // subsystem version
    out.u32(0);
    out.u32(imageSize);
    out.u32(kFileAlign);                          // size of headers
    out.u32(0);                                   // checksum
    out.u16(2);                                   // GUI subsystem
    out.u16(0);
    for (int k = 0; k < 4; ++k) wide ? out.u64(0x100000) : out.u32(0x100000);  // stack and heap sizes
    out.u32(0);                                   // loader flags
    out.u32(16);                                  // data directories
    for (int d = 0; d < 16; ++d) {
        out.u32(d == 2 ? kSectionRva : 0);
        out.u32(d == 2 ? rsrcSize : 0);
    }
    out.text(std::string_view(".rsrc\0\0\0", 8));
    out.u32(rsrcSize);
    out.u32(kSectionRva);
    out.u32(rawSize);
    out.u32(kFileAlign);                          // raw data right after the headers
    out.u32(0);
    out.u32(0);
    out.u16(0);
    out.u16(0);
    out.u32(0x40000040u);                         // initialised data, readable
    out.padTo(kFileAlign);
    out.append(rsrc.bytes());
    out.padTo(kFileAlign);
    return std::move(out.bytes());
}

std::vector<std::uint8_t> writeNeModule(const std::vector<IconGroupBlobs>& groups, const std::string& moduleName) {
    // Offsets and lengths are 16-bit counts of 1 << shift bytes: pick the smallest
    // shift (from 8-byte units) that reaches the end of the data. Images are
    // padded to whole units so that their group's byte counts match the table;
    // DIB icons with an even number of colours are whole 8-byte units already.
    std::uint64_t dataBytes = 0x10000;  // headers and tables, generously
    for (const auto& group : groups) {
        dataBytes += 512 + 64 * group.size();
        for (const auto& image : group) dataBytes += image.bytes.size();
    }
    std::uint32_t shift = 3;
    while ((std::uint64_t{0xFFFF} << shift) < dataBytes) ++shift;
    const std::uint32_t unit = 1u << shift;
    std::vector<IconGroupBlobs> padded = groups;
    for (auto& group : padded) {
        for (auto& image : group) image.bytes.resize((image.bytes.size() + unit - 1) / unit * unit, 0);
    }

    auto resources = iconResources(padded);
    std::stable_sort(resources.begin(), resources.end(),
                     [](const Resource& a, const Resource& b) { return a.type != b.type ? a.type < b.type : a.id < b.id; });
    const std::uint32_t n = static_cast<std::uint32_t>(resources.size());
    const std::uint32_t iconCount = static_cast<std::uint32_t>(
        std::count_if(resources.begin(), resources.end(), [](const Resource& r) { return r.type == kRtIcon; }));
    const std::uint32_t groupCount = n - iconCount;

    // Tables follow the 64-byte NE header in this order; offsets are from the header.
    const std::string name = moduleName.substr(0, 255);
    const std::uint32_t kHeader = 0x40;
    const std::uint32_t resourceTable = kHeader;  // no segments: the segment table is empty
    const std::uint32_t resourceTableSize = 2 + (groupCount ? 8 : 0) + (iconCount ? 8 : 0) + 12 * n + 2 + 1;
    const std::uint32_t residentNames = resourceTable + resourceTableSize;
    const std::uint32_t residentNamesSize = 1 + static_cast<std::uint32_t>(name.size()) + 2 + 1;
    const std::uint32_t moduleRefs = residentNames + residentNamesSize;
    const std::uint32_t importedNames = moduleRefs;  // no module references
    const std::uint32_t entryTable = importedNames + 1;
    const std::uint32_t entryTableSize = 2;
    const std::uint32_t nonResidentNames = entryTable + entryTableSize;
    const std::uint32_t nonResidentNamesSize = residentNamesSize;
    const std::uint32_t headerEnd = 0x40 + nonResidentNames + nonResidentNamesSize;
    if (moduleRefs > 0xFFFF) throw std::length_error("too many resources for an NE resource table");

    std::vector<std::uint32_t> offsets(n);
    std::uint64_t at = (headerEnd + unit - 1) / unit * unit;
    for (std::uint32_t k = 0; k < n; ++k) {
        offsets[k] = static_cast<std::uint32_t>(at);
        at += (resources[k].bytes.size() + unit - 1) / unit * unit;
    }

    BytesOut out;
    out.text("MZ");
    out.zeros(0x18 - 2);
    out.u16(0x40);  // relocation table at 0x40: the mark of a new-style executable
    out.zeros(0x3C - 0x1A);
    out.u32(0x40);  // e_lfanew
    out.text("NE");
    out.u8(5);                                    // linker version
    out.u8(0);
    out.u16(entryTable);
    out.u16(entryTableSize);
    out.u32(0);                                   // CRC
    out.u16(0x8000);                              // a library module
    out.u16(0);                                   // automatic data segment
    out.u16(0);                                   // heap
    out.u16(0);                                   // stack
    out.u32(0);                                   // CS:IP
    out.u32(0);                                   // SS:SP
    out.u16(0);                                   // segments
    out.u16(0);                                   // module references
    out.u16(nonResidentNamesSize);
    out.u16(resourceTable);                       // segment table (empty)
    out.u16(resourceTable);
    out.u16(residentNames);
    out.u16(moduleRefs);
    out.u16(importedNames);
    out.u32(0x40 + nonResidentNames);             // this one is from the file start
    out.u16(0);                                   // movable entries
    out.u16(shift);                               // segment alignment shift
    out.u16(0);                                   // resource segments
    out.u8(2);                                    // target system: Windows
    out.u8(0);
    out.u16(0);
    out.u16(0);
    out.u16(0);
    out.u16(0x030A);                              // expected Windows version 3.10

    out.u16(shift);
    auto typeRecord = [&](std::uint32_t type, std::uint32_t count) {
        if (!count) return;
        out.u16(0x8000 | type);
        out.u16(count);
        out.u32(0);
        for (std::uint32_t k = 0; k < n; ++k) {
            if (resources[k].type != type) continue;
            out.u16(offsets[k] >> shift);
            out.u16(static_cast<std::uint32_t>((resources[k].bytes.size() + unit - 1) >> shift));
            out.u16(0x1C30);                      // movable, pure, discardable
            out.u16(0x8000 | resources[k].id);
            out.u16(0);
            out.u16(0);
        }
    };
    typeRecord(kRtIcon, iconCount);
    typeRecord(kRtGroupIcon, groupCount);
    out.u16(0);                                   // end of types
    out.u8(0);                                    // no resource names
    auto nameTable = [&] {
        out.u8(static_cast<std::uint32_t>(name.size()));
        out.text(name);
        out.u16(0);                               // ordinal 0: the module's name
        out.u8(0);
    };
    nameTable();
    out.u8(0);                                    // imported names: empty
    out.u16(0);                                   // entry table: no bundles
    nameTable();
    for (std::uint32_t k = 0; k < n; ++k) {
        out.zeros(offsets[k] - out.size());
        out.append(resources[k].bytes);
    }
    out.padTo(unit);
    return std::move(out.bytes());
}

}  // namespace platform::icons
