// Reading groups from .ico, PE32, PE32+ and NE files, sound and damaged.
#include "platform/icons/icon_container.h"
#include "platform/icons/icon_pixels.h"
#include "platform/icons/tests/icon_test_files.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform::icons;
using platform::icons::testing::sampleGroups;
using platform::icons::testing::solidPicture;

namespace {

ByteView view(const std::vector<std::uint8_t>& bytes) { return ByteView(bytes.data(), bytes.size()); }

void putU16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void putU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    putU16(b, at, static_cast<std::uint16_t>(v));
    putU16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}
std::uint32_t getU32(const std::vector<std::uint8_t>& b, std::size_t at) { return *view(b).u32(at); }

struct Module {
    const char* kind;
    std::vector<std::uint8_t> bytes;
};

std::vector<Module> modulesOf(const std::vector<IconGroupBlobs>& groups) {
    return {{"pe32", writePeModule(groups)},
            {"pe32+", writePeModule(groups, {true, 0})},
            {"ne", writeNeModule(groups, "TEST")}};
}

// The file offset of the PE resource root (the writers put .rsrc at 0x200).
constexpr std::size_t kPeResourceRoot = 0x200;

}  // namespace

TEST(icon_container, modules_list_their_groups_in_order_with_all_images) {
    auto groups = sampleGroups(3);
    for (const auto& module : modulesOf(groups)) {
        SCOPED_TRACE(module.kind);
        ByteView file = view(module.bytes);
        EXPECT_EQ(countIcons(file), 3);
        for (int g = 0; g < 3; ++g) {
            auto group = readIconGroup(file, g);
            ASSERT_TRUE(group);
            ASSERT_EQ(group->size(), 2u);
            EXPECT_EQ((*group)[0].width, 16);
            EXPECT_EQ((*group)[1].width, 32);
            EXPECT_EQ(imageBitCount((*group)[1]), 32);
            // the very image bytes of that group, not a neighbour's
            const auto& expected = groups[static_cast<std::size_t>(g)][1].bytes;
            ASSERT_GE((*group)[1].bytes.size(), expected.size());
            EXPECT_EQ(std::memcmp((*group)[1].bytes.data(), expected.data(), expected.size()), 0);
        }
        EXPECT_FALSE(readIconGroup(file, 3));
        EXPECT_FALSE(readIconGroup(file, -1));
    }
}

TEST(icon_container, ico_file_is_one_icon_and_other_files_are_none) {
    auto ico = writeIcoFile(sampleGroups(1)[0]);
    EXPECT_EQ(containerOf(view(ico)), Container::Ico);
    EXPECT_EQ(countIcons(view(ico)), 1);
    ASSERT_TRUE(readIconGroup(view(ico), 0));
    EXPECT_EQ(readIconGroup(view(ico), 0)->size(), 2u);
    EXPECT_FALSE(readIconGroup(view(ico), 1));

    auto cursor = ico;
    cursor[2] = 2;  // a cursor file is not an icon
    EXPECT_EQ(countIcons(view(cursor)), 0);

    std::vector<std::uint8_t> bmp{'B', 'M', 0x36, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 40, 0};
    std::vector<std::uint8_t> text{'h', 'e', 'l', 'l', 'o'};
    std::vector<std::uint8_t> riff{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '};
    std::vector<std::uint8_t> dosOnly(0x80, 0);
    dosOnly[0] = 'M';
    dosOnly[1] = 'Z';
    for (const auto* bytes : {&bmp, &text, &riff, &dosOnly}) EXPECT_EQ(countIcons(view(*bytes)), 0);
    EXPECT_EQ(countIcons(ByteView()), 0);
}

TEST(icon_container, every_truncation_gives_a_subset_and_no_stray_reads) {
    auto groups = sampleGroups(2);
    auto all = modulesOf(groups);
    all.push_back({"ico", writeIcoFile(groups[0])});
    for (const auto& module : all) {
        SCOPED_TRACE(module.kind);
        const int full = countIcons(view(module.bytes));
        for (std::size_t length = 0; length < module.bytes.size(); length += 7) {
            // a copy of exactly that length, so that a read past it is a read past the heap block
            std::vector<std::uint8_t> cut(module.bytes.begin(), module.bytes.begin() + static_cast<long>(length));
            ByteView file = view(cut);
            int count = countIcons(file);
            EXPECT_LE(count, full);
            for (int i = 0; i < count; ++i) {
                if (auto group = readIconGroup(file, i)) {
                    for (const auto& image : *group) {
                        EXPECT_GE(image.bytes.data(), cut.data());
                        EXPECT_LE(image.bytes.data() + image.bytes.size(), cut.data() + cut.size());
                        decodeDibIcon(image.bytes);
                    }
                }
            }
        }
    }
}

TEST(icon_container, pe_resource_directory_that_loops_or_lies) {
    auto pe = writePeModule(sampleGroups(2));
    // root: 16-byte header, then entries (type 3 -> first, type 14 -> second)
    const std::size_t groupTypeEntry = kPeResourceRoot + 16 + 8;
    ASSERT_EQ(getU32(pe, groupTypeEntry), 14u);

    auto loop = pe;  // the group type's directory is the root itself
    putU32(loop, groupTypeEntry + 4, 0x80000000u);
    EXPECT_LE(countIcons(view(loop)), 2);
    for (int i = 0; i < 2; ++i) EXPECT_FALSE(readIconGroup(view(loop), i));

    auto huge = pe;  // a group directory claiming 65535 + 65535 entries
    const std::size_t groupDir = kPeResourceRoot + (getU32(pe, groupTypeEntry + 4) & 0x7FFFFFFF);
    putU16(huge, groupDir + 12, 0xFFFF);
    putU16(huge, groupDir + 14, 0xFFFF);
    EXPECT_LE(static_cast<std::size_t>(countIcons(view(huge))), huge.size() / 8);
    EXPECT_TRUE(readIconGroup(view(huge), 0));  // the real first entry still reads

    auto outside = pe;  // the resource directory's address lies beyond every section
    const std::size_t resourceDirectory = 0x40 + 4 + 20 + 96 + 2 * 8;
    putU32(outside, resourceDirectory, 0x7FFFFFF0u);
    EXPECT_EQ(countIcons(view(outside)), 0);
}

TEST(icon_container, group_entries_that_point_nowhere_are_left_out) {
    auto groups = sampleGroups(1);
    auto ico = writeIcoFile(groups[0]);
    auto zeroLength = ico;  // first entry: zero bytes
    putU32(zeroLength, 6 + 8, 0);
    ASSERT_TRUE(readIconGroup(view(zeroLength), 0));
    EXPECT_EQ(readIconGroup(view(zeroLength), 0)->size(), 1u);

    auto pastEnd = ico;  // second entry: offset far past the end
    putU32(pastEnd, 6 + 16 + 12, 0xFFFFFF00u);
    ASSERT_TRUE(readIconGroup(view(pastEnd), 0));
    EXPECT_EQ(readIconGroup(view(pastEnd), 0)->size(), 1u);

    auto lyingCount = ico;  // claims 65535 entries; only two are there
    putU16(lyingCount, 4, 0xFFFF);
    EXPECT_EQ(countIcons(view(lyingCount)), 1);

    auto noneLeft = zeroLength;
    putU32(noneLeft, 6 + 16 + 8, 0);
    EXPECT_EQ(countIcons(view(noneLeft)), 0);
    EXPECT_FALSE(readIconGroup(view(noneLeft), 0));
}

TEST(icon_container, ne_alignment_shift_and_table_damage) {
    auto ne = writeNeModule(sampleGroups(2), "TEST");
    const std::size_t table = 0x40 + *view(ne).u16(0x40 + 0x24);
    const std::uint16_t shift = *view(ne).u16(table);

    auto absurd = ne;
    putU16(absurd, table, 40);
    EXPECT_EQ(countIcons(view(absurd)), 0);

    auto shifted = ne;  // one step more: every offset doubles and misses its image
    putU16(shifted, table, static_cast<std::uint16_t>(shift + 1));
    for (int i = 0; i < countIcons(view(shifted)); ++i) {
        if (auto group = readIconGroup(view(shifted), i)) {
            for (const auto& image : *group) EXPECT_LE(image.bytes.data() + image.bytes.size(), shifted.data() + shifted.size());
        }
    }

    auto noEnd = ne;  // type records run to the end of the file without a terminator
    std::fill(noEnd.begin() + static_cast<long>(table) + 2, noEnd.end(), 0x11);
    EXPECT_EQ(countIcons(view(noEnd)), 0);
}

TEST(icon_container, preference_is_exact_size_then_nearest_then_depth) {
    auto blob = [](int side, int bits) {
        IconImageBlob b = encodeDibIcon(solidPicture(side, side, 0x336699), bits);
        IconImageRef ref;
        ref.width = ref.height = side;
        ref.bitCount = bits;
        static std::vector<std::vector<std::uint8_t>> keep;
        keep.push_back(b.bytes);
        ref.bytes = ByteView(keep.back().data(), keep.back().size());
        return ref;
    };
    IconGroup group{blob(16, 32), blob(32, 4), blob(48, 8), blob(32, 32), blob(32, 8)};
    auto order = imagesByPreference(group);
    EXPECT_EQ(order[0].width, 32);
    EXPECT_EQ(imageBitCount(order[0]), 32);
    EXPECT_EQ(imageBitCount(order[1]), 8);
    EXPECT_EQ(imageBitCount(order[2]), 4);

    IconGroup noExact{blob(16, 32), blob(48, 4), blob(24, 32)};
    EXPECT_EQ(imagesByPreference(noExact)[0].width, 24);
    IconGroup tie{blob(16, 32), blob(48, 4)};
    EXPECT_EQ(imagesByPreference(tie)[0].width, 48);
}

TEST(icon_container, a_group_of_sixty_thousand_images_reads_in_one_pass) {
    // Every image of the group looked up by id: a lookup that walks the RT_ICON
    // directory each time would take billions of steps here.
    // NE tables must fit in 64 KB, which caps an NE file at about 5400 images.
    const auto image = encodeDibIcon(solidPicture(2, 2, 0x00FF00), 32);
    for (auto [kind, images] : {std::pair{"pe32", 65000}, std::pair{"ne", 5000}}) {
        SCOPED_TRACE(kind);
        IconGroupBlobs many(static_cast<std::size_t>(images), image);
        auto bytes = std::string(kind) == "ne" ? writeNeModule({many}, "MANY") : writePeModule({many});
        ASSERT_EQ(countIcons(view(bytes)), 1);
        auto group = readIconGroup(view(bytes), 0);
        ASSERT_TRUE(group);
        EXPECT_EQ(group->size(), static_cast<std::size_t>(images));
    }
    EXPECT_THROW(writeNeModule({IconGroupBlobs(6000, image)}, "TOO MANY"), std::length_error);
}
