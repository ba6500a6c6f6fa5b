// Decoding DIB icon images: every depth, odd widths, masks and broken headers.
#include "platform/icons/icon_pixels.h"
#include "platform/icons/tests/icon_test_files.h"

#include <gtest/gtest.h>

using namespace platform::icons;
using platform::icons::testing::solidPicture;

namespace {

ByteView view(const std::vector<std::uint8_t>& bytes) { return ByteView(bytes.data(), bytes.size()); }

// A picture with a few colours, odd size (rows need padding at every depth).
IconPixels fewColours(int width, int height) {
    IconPixels p = solidPicture(width, height, 0xCC2211);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (p.argb[std::size_t(y) * width + x] && (x + y) % 3 == 0) p.argb[std::size_t(y) * width + x] = 0xFF11AA33u;
    return p;
}

}  // namespace

TEST(icon_pixels, every_depth_decodes_to_the_encoded_picture) {
    for (int bits : {4, 8, 24, 32}) {
        for (auto [w, h] : {std::pair{13, 7}, std::pair{32, 32}, std::pair{1, 2}}) {
            SCOPED_TRACE(::testing::Message() << bits << " bits, " << w << "x" << h);
            IconPixels original = fewColours(w, h);
            auto blob = encodeDibIcon(original, bits);
            auto decoded = decodeDibIcon(view(blob.bytes));
            ASSERT_TRUE(decoded);
            EXPECT_EQ(decoded->width, w);
            EXPECT_EQ(decoded->height, h);
            EXPECT_EQ(decoded->argb, original.argb);
        }
    }
    // two colours: transparent (black) and one colour fit one bit
    IconPixels mono = solidPicture(9, 9, 0xFFFFFF);
    auto decoded = decodeDibIcon(view(encodeDibIcon(mono, 1).bytes));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->argb, mono.argb);
}

TEST(icon_pixels, thirty_two_bit_alpha_wins_unless_it_is_all_zero) {
    IconPixels soft = solidPicture(8, 8, 0x4080C0);
    soft.argb[9 * 1 + 8 * 4] = 0x804080C0u;  // half-transparent pixel keeps its alpha
    auto blob = encodeDibIcon(soft, 32);
    auto decoded = decodeDibIcon(view(blob.bytes));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->argb, soft.argb);

    // old 32-bit icons leave alpha at 0 and rely on the AND mask
    auto noAlpha = blob.bytes;
    for (std::size_t i = 40 + 3; i < 40 + 8 * 8 * 4; i += 4) noAlpha[i] = 0;
    auto masked = decodeDibIcon(view(noAlpha));
    ASSERT_TRUE(masked);
    EXPECT_EQ(masked->argb[0], 0u);                          // border: mask says transparent
    EXPECT_EQ(masked->argb[6 * 8 + 6], 0xFF4080C0u);         // inside: opaque again
}

TEST(icon_pixels, broken_headers_and_absurd_sizes_are_refused) {
    auto good = encodeDibIcon(solidPicture(16, 16, 0x123456), 8).bytes;
    auto with = [&](std::size_t at, std::uint32_t value, int bytes) {
        auto b = good;
        for (int i = 0; i < bytes; ++i) b.at(at + std::size_t(i)) = static_cast<std::uint8_t>(value >> (8 * i));
        return b;
    };
    EXPECT_FALSE(decodeDibIcon(view(with(4, 100000, 4))));     // width far past any icon
    EXPECT_FALSE(decodeDibIcon(view(with(8, 0x80000000u, 4)))); // negative height
    EXPECT_FALSE(decodeDibIcon(view(with(14, 7, 2))));          // 7 bits per pixel
    EXPECT_FALSE(decodeDibIcon(view(with(16, 1, 4))));          // run-length compressed
    EXPECT_FALSE(decodeDibIcon(view(with(0, 0xFFFFFFFFu, 4)))); // header size
    EXPECT_FALSE(decodeDibIcon(view(with(4, 1024, 4))));        // big but short of data
    std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + 40);
    EXPECT_FALSE(decodeDibIcon(view(headerOnly)));
    // colour data complete but the mask cut off: drawn fully opaque
    std::vector<std::uint8_t> noMask(good.begin(), good.end() - 64);
    auto opaque = decodeDibIcon(view(noMask));
    ASSERT_TRUE(opaque);
    EXPECT_EQ(opaque->argb[0] >> 24, 0xFFu);
}

TEST(icon_pixels, png_size_comes_from_its_header) {
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                  0, 0, 1, 0, 0, 0, 0, 48, 8, 6, 0, 0, 0};
    ASSERT_TRUE(isPng(view(png)));
    EXPECT_EQ(pngSize(view(png)), (std::pair<int, int>(256, 48)));
    png[17] = 0x7F;  // millions of pixels wide
    EXPECT_FALSE(pngSize(view(png)));
    EXPECT_FALSE(decodeDibIcon(view(png)));
}
