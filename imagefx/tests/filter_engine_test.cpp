// Tests of the preset filters and the custom kernel run through the run frame.
#include "imagefx/core/run_frame.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <random>
#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "imagefx/core/channel_rules.h"
#include "imagefx/tests/test_pictures.h"

namespace imagefx {
namespace {

using testing::makePicture;
using testing::planesOf;
using testing::randomPicture;

enum Preset { kSoften, kSharpen, kEmboss, kEngrave, kDiffuse, kExposure };

class ScriptedRandom final : public UniformSource {
public:
    std::deque<float> values;
    float fallback = 0.5f;
    int drawn = 0;
    float next() override {
        ++drawn;
        if (values.empty()) return fallback;
        float v = values.front();
        values.pop_front();
        return v;
    }
};

struct RecordedProgress final : ProgressSink {
    std::vector<int> values;
    void setPercent(int p) override { values.push_back(p); }
};

Picture run(const Picture& opened, const FilterRow& row, UniformSource* random = nullptr,
            const FilterSettings* custom = nullptr, ProgressSink* progress = nullptr) {
    const Planes planes = planesOf(opened);
    Picture work = opened;
    RunExtras extras;
    extras.random = random;
    extras.custom = custom;
    extras.progress = progress;
    EXPECT_TRUE(runFilter(row, planes, work, extras));
    return work;
}

Picture runPreset(const Picture& opened, int n) {
    DefaultUniformSource random;
    return run(opened, presetFilters()[n], &random);
}

FilterSettings kernel(std::array<int, 9> w, int divide, int bias) {
    FilterSettings s;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) s.FilterKernel[r][c] = static_cast<std::int16_t>(w[3 * (r - 1) + (c - 1)]);
    s.FilterDivide = static_cast<std::int16_t>(divide);
    s.FilterBias = static_cast<std::int16_t>(bias);
    s.FilterOk = true;
    return s;
}

// A pixel whose three channels are built from one value each: 3x3 picture with a centre.
Picture threeByThree(std::uint32_t around, std::uint32_t centre, std::uint32_t upperLeft,
                     std::uint32_t lowerRight) {
    return makePicture(3, 3, [&](int x, int y) {
        if (x == 1 && y == 1) return centre;
        if (x == 0 && y == 0) return upperLeft;
        if (x == 2 && y == 2) return lowerRight;
        return around;
    });
}

TEST(PresetFilters, WorkedValues) {
    // Soften: red block sums to 1000 (eight 111s and a 112), green to 1004; both give 111.
    Picture p = makePicture(3, 3, [](int x, int y) {
        return (x == 1 && y == 1) ? rgbPixel(112, 116, 0) : rgbPixel(111, 111, 9);
    });
    EXPECT_EQ(runPreset(p, kSoften).at(1, 1), rgbPixel(111, 111, 8));

    // Sharpen: c = 10 with upper-left 7 gives 12, with 9 gives 10; a result below 0 clamps.
    p = threeByThree(rgbPixel(0, 0, 0), rgbPixel(10, 10, 0), rgbPixel(7, 9, 255), 0);
    EXPECT_EQ(runPreset(p, kSharpen).at(1, 1), rgbPixel(12, 10, 0));
    p = threeByThree(0, rgbPixel(255, 1, 3), rgbPixel(0, 2, 2), 0);  // 382.5, 0.5, 3.5
    EXPECT_EQ(runPreset(p, kSharpen).at(1, 1), rgbPixel(255, 0, 4));

    // Emboss: 0 against 255 below-right gives 127; 255 against 0 gives 383, capped.
    p = threeByThree(0, rgbPixel(0, 255, 7), 0, rgbPixel(255, 0, 7));
    EXPECT_EQ(runPreset(p, kEmboss).at(1, 1), rgbPixel(127, 255, 128));

    // Exposure inverts 0..127 and keeps 128..255.
    for (int c : {0, 100, 127, 128, 200, 255}) {
        p = makePicture(3, 3, [&](int, int) { return rgbPixel(c, c, c); });
        const int e = c < 128 ? 255 - c : c;
        EXPECT_EQ(runPreset(p, kExposure).at(1, 1), rgbPixel(e, e, e)) << c;
    }
}

// Straight per-pixel statements of the rules, in double precision, to hold the row loops to.
int referenceChannel(int n, const Planes& pl, Channel ch, int y, int x) {
    auto at = [&](int yy, int xx) { return static_cast<int>(pl.at(ch, yy, xx)); };
    const int c = at(y, x);
    switch (n) {
    case kSoften: {
        int s = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) s += at(y + dy, x + dx);
        return s / 9;
    }
    case kSharpen: {
        const double v = std::nearbyint(c + 0.5 * (c - at(y - 1, x - 1)));
        return static_cast<int>(std::clamp(v, 0.0, 255.0));
    }
    case kEmboss: return std::min(255, std::abs(c - at(y + 1, x + 1) + 128));
    case kEngrave: return std::min(255, std::abs(c - at(y - 1, x - 1) + 128));
    case kExposure: return (c < 128 || c > 255) ? 255 - c : c;
    }
    return -1;
}

int referenceCustom(const FilterSettings& s, const Planes& pl, Channel ch, int y, int x) {
    std::int32_t sum = 0;
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            sum += static_cast<std::int16_t>(s.FilterKernel[r][c] * pl.at(ch, y + r - 2, x + c - 2));
    const double v = static_cast<double>(sum) / s.FilterDivide + s.FilterBias;
    return static_cast<int>(std::min(255.0, std::nearbyint(std::abs(v))));
}

TEST(PresetFilters, RowLoopsMatchThePerPixelRulesEverywhere) {
    // Odd sizes put pixels in the vector loops' tails too.
    for (auto [w, h] : {std::pair{37, 23}, std::pair{70, 5}, std::pair{5, 9}}) {
        const Picture opened = randomPicture(w, h, static_cast<unsigned>(w * h));
        const Planes pl = planesOf(opened);
        for (int n : {kSoften, kSharpen, kEmboss, kEngrave, kExposure}) {
            const Picture out = runPreset(opened, n);
            const int first = presetFilters()[n].rect.lead;
            for (int y = first; y <= h - 2; ++y)
                for (int x = first; x <= w - 2; ++x) {
                    const std::uint32_t want =
                        rgbPixel(referenceChannel(n, pl, Channel::Red, y, x),
                                 referenceChannel(n, pl, Channel::Green, y, x),
                                 referenceChannel(n, pl, Channel::Blue, y, x));
                    ASSERT_EQ(out.at(x, y), want) << "filter " << n << " at " << x << "," << y;
                }
        }
    }
}

TEST(PresetFilters, SingleNeighbourRulesMatchForEveryPairOfValues) {
    // Red at (x, y) is x + y(y - 1)/2 (mod 256): along a row it takes every value, and the
    // difference to the diagonal neighbour either way changes by one from row to row, so
    // 256 processed rows meet every pair of a value and its neighbour.
    const Picture opened = makePicture(259, 259, [](int x, int y) {
        return rgbPixel((x + y * (y - 1) / 2) & 255, (x * 7) & 255, y & 255);
    });
    const Planes pl = planesOf(opened);
    for (int n : {kSharpen, kEmboss, kEngrave}) {
        const Picture out = runPreset(opened, n);
        const int first = presetFilters()[n].rect.lead;
        for (int y = first; y <= 257; ++y)
            for (int x = first; x <= 257; ++x)
                ASSERT_EQ(redOf(out.at(x, y)), referenceChannel(n, pl, Channel::Red, y, x))
                    << "filter " << n << " at " << x << "," << y;
    }
}

TEST(CustomKernel, RowLoopMatchesThePerPixelRuleForAwkwardKernels) {
    const FilterSettings kernels[] = {
        kernel({1, 2, 1, 2, 4, 2, 1, 2, 1}, 16, 0),
        kernel({-1, -1, -1, -1, 8, -1, -1, -1, -1}, 1, 0),
        kernel({3, -5, 7, 0, 2, 0, -7, 5, -3}, -3, -40),     // negative divisor and offset
        kernel({1, 0, 0, 0, 0, 0, 0, 0, 0}, 2, 0),           // halves everywhere
        kernel({1, 1, 1, 1, 1, 1, 1, 1, 1}, 18, 3),
        kernel({32767, 200, -300, 129, -129, 1000, -32768, 5, 0}, 7, 11),  // wrapping products
        kernel({0, 0, 0, 0, 1, 0, 0, 0, 0}, 32767, -32768),
        kernel({9, 9, 9, 9, 9, 9, 9, 9, 9}, -32768, 32767),
        kernel({2, 4, 2, 4, 8, 4, 2, 4, 2}, 32, 0),            // a factor common to all
        kernel({-1, -1, -1, -1, 8, -1, -1, -1, -1}, 4, 1),
        kernel({1, 2, 3, 4, 5, 6, 7, 8, 9}, 10, -1),
        kernel({1, 1, 1, 1, 1, 1, 1, 1, 1}, 32767, 1),
        kernel({1, 1, 1, 1, 1, 1, 1, 1, 1}, -9, 2),            // odd divisors meet no halves
        kernel({0, 3, 0, 3, -5, 3, 0, 3, 0}, 7, -20),
        kernel({0, 0, 0, 0, 0, 0, 0, 0, 3}, 3, 0),            // a copy of one neighbour
        kernel({0, 0, 0, 0, 0, 0, 0, 0, 3}, 3, 1),
    };
    // Narrower than a block of the row loop, and wide enough for a last block that overlaps.
    for (const int w : {41, 141}) {
        const Picture opened = randomPicture(w, 17, 7);
        const Planes pl = planesOf(opened);
        for (const FilterSettings& s : kernels) {
            const Picture out = run(opened, customFilter(), nullptr, &s);
            for (int y = 2; y <= 15; ++y)
                for (int x = 2; x <= w - 2; ++x) {
                    const std::uint32_t want = rgbPixel(referenceCustom(s, pl, Channel::Red, y, x),
                                                        referenceCustom(s, pl, Channel::Green, y, x),
                                                        referenceCustom(s, pl, Channel::Blue, y, x));
                    ASSERT_EQ(out.at(x, y), want) << "divide " << s.FilterDivide << " at " << x << "," << y;
                }
        }
    }
}

TEST(CustomKernel, QuotientMultiplierIsExactForEveryNumerator) {
    std::vector<int> divisors;
    for (int d = 2; d <= 600; ++d) divisors.push_back(d);
    for (int d : {1023, 1024, 1025, 4097, 16383, 16384, 16385, 32766, 32767}) divisors.push_back(d);
    for (const int d : divisors) {
        const rules::QuotientMagic magic = rules::quotientMagic(d);
        for (std::uint32_t n = 0; n < 32768; ++n)
            ASSERT_EQ(((n * magic.multiplier) >> 16) >> magic.shift, n / static_cast<std::uint32_t>(d))
                << n << " / " << d;
    }
}

TEST(CustomKernel, SixteenBitSumsHoldUpToTheirLimits) {
    // Channels mostly 0 or 255, so every sign pattern of a kernel meets its extreme sums.
    std::mt19937 gen(17);
    auto channel = [&] {
        const unsigned r = gen() % 20;
        return r < 9 ? 0 : r < 18 ? 255 : static_cast<int>(gen() % 256);
    };
    const Picture opened = makePicture(133, 45, [&](int, int) {
        const int r = channel(), g = channel();
        return rgbPixel(r, g, channel());
    });
    const Planes pl = planesOf(opened);
    // Weights whose magnitudes add up to 128 keep 255 * 128 = 32640 within 16 bits, with
    // room for an offset of 127 and no more; 129 lets products wrap.
    const FilterSettings kernels[] = {
        kernel({0, 0, 0, 0, -128, 0, 0, 0, 0}, 1, -127),
        kernel({0, 0, 0, 0, -128, 0, 0, 0, 0}, 1, -128),
        kernel({0, 0, 0, 0, 128, 0, 0, 0, 0}, -1, 128),
        kernel({0, 0, 0, 0, 128, 0, 0, 0, 0}, 1, 127),
        kernel({64, 0, -32, 0, 0, 0, 0, 0, 32}, 1, -127),
        kernel({64, 0, -32, 0, 0, 0, 0, 0, 32}, -1, 128),
        kernel({100, -28, 0, 0, 0, 0, 0, 0, 0}, 1, 30000),
        kernel({-14, -14, -14, -14, -16, -14, -14, -14, -14}, 1, -127),
        kernel({-14, -14, -14, -14, -16, -14, -14, -14, -14}, 1, -128),
        kernel({-14, -14, -14, -14, 16, -14, -14, -14, -14}, 5, -9),
        kernel({0, 0, 0, 0, 129, 0, 0, 0, 0}, 1, 0),
        kernel({0, 0, 0, 0, 129, 0, 0, 0, 0}, 3, 1),
        kernel({15, 14, 14, 14, 16, 14, 14, 14, 14}, 129, 0),
        kernel({0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, -300),
        kernel({0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 200),
    };
    for (const FilterSettings& s : kernels) {
        const Picture out = run(opened, customFilter(), nullptr, &s);
        for (int y = 2; y <= opened.height() - 2; ++y)
            for (int x = 2; x <= opened.width() - 2; ++x) {
                const std::uint32_t want = rgbPixel(referenceCustom(s, pl, Channel::Red, y, x),
                                                    referenceCustom(s, pl, Channel::Green, y, x),
                                                    referenceCustom(s, pl, Channel::Blue, y, x));
                ASSERT_EQ(out.at(x, y), want)
                    << "centre " << s.FilterKernel[2][2] << " offset " << s.FilterBias << " at "
                    << x << "," << y;
            }
    }
}

TEST(CustomKernel, WorkedValues) {
    // Identity: the processed area is the picture, row 1 and column 1 black.
    const Picture opened = randomPicture(9, 7, 3);
    const FilterSettings identity = kernel({0, 0, 0, 0, 1, 0, 0, 0, 0}, 1, 0);
    const Picture same = run(opened, customFilter(), nullptr, &identity);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool black = (y == 1 || x == 1) && x >= 1 && y >= 1 && y <= 5 && x <= 7;
            EXPECT_EQ(same.at(x, y), black ? rgbPixel(0, 0, 0) : opened.at(x, y)) << x << "," << y;
        }

    // All ones over 9: 1000 gives 111 and 1004 gives 112 (soften truncates both to 111).
    const Picture block = makePicture(4, 4, [](int x, int y) {
        return (x == 2 && y == 2) ? rgbPixel(112, 116, 0) : rgbPixel(111, 111, 0);
    });
    const FilterSettings mean = kernel({1, 1, 1, 1, 1, 1, 1, 1, 1}, 9, 0);
    EXPECT_EQ(redOf(run(block, customFilter(), nullptr, &mean).at(2, 2)), 111);
    EXPECT_EQ(greenOf(run(block, customFilter(), nullptr, &mean).at(2, 2)), 112);

    // -1 around 8: flat areas give 0, an edge the absolute difference.
    const Picture edge = makePicture(6, 5, [](int x, int) { return x < 3 ? rgbPixel(50, 50, 50) : rgbPixel(80, 80, 80); });
    const FilterSettings laplace = kernel({-1, -1, -1, -1, 8, -1, -1, -1, -1}, 1, 0);
    const Picture e = run(edge, customFilter(), nullptr, &laplace);
    EXPECT_EQ(redOf(e.at(2, 2)), 90);   // 8*50 - 5*50 - 3*80 = -90
    EXPECT_EQ(redOf(e.at(3, 2)), 90);
    EXPECT_EQ(redOf(e.at(4, 2)), 0);

    // Products wrap at 16 bits: 32767 * 2 = 65534 reads as -2.
    const Picture two = makePicture(4, 4, [](int, int) { return rgbPixel(2, 2, 2); });
    const FilterSettings wrap = kernel({0, 0, 0, 0, 32767, 0, 0, 0, 0}, 1, 0);
    EXPECT_EQ(run(two, customFilter(), nullptr, &wrap).at(2, 2), rgbPixel(2, 2, 2));
}

TEST(CustomKernel, DivisorZeroRunsNothing) {
    const Picture opened = randomPicture(6, 6, 1);
    const Planes planes = planesOf(opened);
    Picture work = opened;
    const FilterSettings zero = kernel({0, 0, 0, 0, 1, 0, 0, 0, 0}, 0, 0);
    RunExtras extras;
    extras.custom = &zero;
    EXPECT_FALSE(runFilter(customFilter(), planes, work, extras));
    EXPECT_EQ(work, opened);
}

// Pixels of the copied block (rows 1..H-2, columns 1..W-2) that are black.
std::vector<std::pair<int, int>> blackInBlock(const Picture& p) {
    std::vector<std::pair<int, int>> black;
    for (int y = 1; y <= p.height() - 2; ++y)
        for (int x = 1; x <= p.width() - 2; ++x)
            if (p.at(x, y) == rgbPixel(0, 0, 0)) black.emplace_back(x, y);
    return black;
}

TEST(RunFrame, BlackLinesAndUntouchedFrame) {
    const int w = 12, h = 9;
    // Channels in 130..200 and smooth, so no rule yields 0 on its own.
    const Picture opened = makePicture(w, h, [](int x, int y) {
        return rgbPixel(130 + 3 * x + 2 * y, 140 + x + y, 150 + 2 * x);
    });
    const FilterSettings identity = kernel({0, 0, 0, 0, 1, 0, 0, 0, 0}, 1, 0);
    for (int n = 0; n <= 6; ++n) {
        DefaultUniformSource random;
        const FilterRow& row = n < 6 ? presetFilters()[n] : customFilter();
        const Picture out = run(opened, row, &random, &identity);
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(out.at(x, 0), opened.at(x, 0));
            EXPECT_EQ(out.at(x, h - 1), opened.at(x, h - 1));
        }
        for (int y = 0; y < h; ++y) {
            EXPECT_EQ(out.at(0, y), opened.at(0, y));
            EXPECT_EQ(out.at(w - 1, y), opened.at(w - 1, y));
        }
        std::vector<std::pair<int, int>> want;
        for (int y = 1; y <= h - 2; ++y)
            for (int x = 1; x <= w - 2; ++x) {
                const bool lineOne = y == 1 || x == 1;
                const bool lineLast = y == h - 2 || x == w - 2;
                if (((n == kEngrave || n == 6) && lineOne) || (n == kDiffuse && (lineOne || lineLast)))
                    want.emplace_back(x, y);
            }
        EXPECT_EQ(blackInBlock(out), want) << "filter " << n;
    }
}

TEST(RunFrame, ResultsDoNotAccumulate) {
    const Picture opened = randomPicture(20, 15, 11);
    const Planes planes = planesOf(opened);
    Picture work = opened;
    ASSERT_TRUE(runFilter(presetFilters()[kSoften], planes, work, {}));
    ASSERT_TRUE(runFilter(presetFilters()[kSharpen], planes, work, {}));
    EXPECT_EQ(work, runPreset(opened, kSharpen));
    EXPECT_NE(work, run(runPreset(opened, kSoften), presetFilters()[kSharpen]));
}

TEST(RunFrame, TinyPictures) {
    DefaultUniformSource random;
    const FilterSettings identity = kernel({0, 0, 0, 0, 1, 0, 0, 0, 0}, 1, 0);
    // Two pixels high or wide (or less): nothing is processed, nothing copied, no progress.
    for (auto [w, h] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{2, 9}, std::pair{9, 2}, std::pair{1, 5}}) {
        const Picture opened = randomPicture(w, h, 5);
        for (int n = 0; n <= 6; ++n) {
            RecordedProgress progress;
            const FilterRow& row = n < 6 ? presetFilters()[n] : customFilter();
            EXPECT_EQ(run(opened, row, &random, &identity, &progress), opened) << w << "x" << h;
            EXPECT_TRUE(progress.values.empty());
        }
    }
    // 3x3: soften works on the centre; engrave and the custom kernel leave it black.
    const Picture nine = makePicture(3, 3, [](int, int) { return rgbPixel(90, 90, 90); });
    EXPECT_EQ(runPreset(nine, kSoften).at(1, 1), rgbPixel(90, 90, 90));
    EXPECT_EQ(runPreset(nine, kEngrave).at(1, 1), rgbPixel(0, 0, 0));
    EXPECT_EQ(run(nine, customFilter(), nullptr, &identity).at(1, 1), rgbPixel(0, 0, 0));
    // Four rows, diffused: rows 1 and 2 come out black and no number is drawn.
    ScriptedRandom scripted;
    const Picture four = makePicture(8, 4, [](int, int) { return rgbPixel(90, 90, 90); });
    const Picture d = run(four, presetFilters()[kDiffuse], &scripted);
    for (int x = 1; x <= 6; ++x) {
        EXPECT_EQ(d.at(x, 1), rgbPixel(0, 0, 0));
        EXPECT_EQ(d.at(x, 2), rgbPixel(0, 0, 0));
    }
    EXPECT_EQ(scripted.drawn, 0);
}

TEST(Diffuse, OffsetsFromTheTwoNumbersRowFirst) {
    EXPECT_EQ(diffuseOffset(0.0f), -2);
    EXPECT_EQ(diffuseOffset(0.125f), -2);   // -1.5 goes to the even -2
    EXPECT_EQ(diffuseOffset(0.1251f), -1);
    EXPECT_EQ(diffuseOffset(0.375f), 0);    // -0.5 goes to 0
    EXPECT_EQ(diffuseOffset(0.625f), 0);
    EXPECT_EQ(diffuseOffset(0.6251f), 1);
    EXPECT_EQ(diffuseOffset(0.875f), 2);
    EXPECT_EQ(diffuseOffset(0.99999994f), 2);

    // 5x5 has one processed pixel, (2, 2); every pixel is distinct.
    const Picture opened = makePicture(5, 5, [](int x, int y) { return rgbPixel(10 * x, 10 * y, 7); });
    ScriptedRandom r;
    r.values = {0.0f, 0.9f};  // dy = -2, dx = +2
    EXPECT_EQ(run(opened, presetFilters()[kDiffuse], &r).at(2, 2), opened.at(4, 0));
    EXPECT_EQ(r.drawn, 2);
}

TEST(Diffuse, EveryPixelOfAWideRowTakesItsOwnOffsets) {
    const int w = 75, h = 7;
    const Picture opened = makePicture(w, h, [](int x, int y) { return rgbPixel(3 * x, 30 * y, x ^ y); });
    std::mt19937 gen(5);
    ScriptedRandom r;
    for (int i = 0; i < 2 * (w - 4) * (h - 4); ++i) r.values.push_back(static_cast<float>(gen() % 1000) / 1000.0f);
    const std::deque<float> draws = r.values;
    const Picture out = run(opened, presetFilters()[kDiffuse], &r);
    std::size_t next = 0;
    for (int y = 2; y <= h - 3; ++y)
        for (int x = 2; x <= w - 3; ++x, next += 2)
            ASSERT_EQ(out.at(x, y), opened.at(x + diffuseOffset(draws[next + 1]), y + diffuseOffset(draws[next])))
                << x << "," << y;
}

TEST(Diffuse, DrawsTwoNumbersPerPixelAndTheGeneratorGoesOn) {
    const Picture opened = randomPicture(30, 20, 9);
    ScriptedRandom counted;
    run(opened, presetFilters()[kDiffuse], &counted);
    EXPECT_EQ(counted.drawn, 2 * 26 * 16);

    // The unseeded generator gives the same first result in every program run, and a
    // second press continues the sequence.
    DefaultUniformSource a, b;
    const Picture first = run(opened, presetFilters()[kDiffuse], &a);
    EXPECT_EQ(first, run(opened, presetFilters()[kDiffuse], &b));
    EXPECT_NE(first, run(opened, presetFilters()[kDiffuse], &a));

    // Offsets -2..2 with probabilities 1/8, 1/4, 1/4, 1/4, 1/8.
    DefaultUniformSource g;
    int counts[5] = {};
    const int draws = 200000;
    for (int i = 0; i < draws; ++i) ++counts[diffuseOffset(g.next()) + 2];
    const double want[5] = {0.125, 0.25, 0.25, 0.25, 0.125};
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(counts[k] / double(draws), want[k], 0.005) << k - 2;
}

TEST(Diffuse, BatchedDrawsAndOffsetsAgreeWithSingleOnes) {
    // Drawing in batches of any length gives the very sequence single draws give.
    DefaultUniformSource single, batched;
    std::vector<float> want(1001);
    for (float& u : want) u = single.next();
    std::vector<float> got(want.size());
    std::size_t at = 0;
    for (std::size_t n : {1u, 2u, 7u, 0u, 600u, 391u}) {
        batched.fill(std::span<float>(got).subspan(at, n));
        at += n;
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(single.next(), batched.next());

    // Offsets of whole pixels, ties included, as the single rule rounds them.
    std::vector<float> u = {0.0f, 0.125f, 0.1251f, 0.375f, 0.625f, 0.6251f, 0.875f, 0.99999994f};
    for (int k = 0; k < 4096; ++k) u.push_back(static_cast<float>(k) * 0x1p-12f);
    const int pixels = static_cast<int>(u.size() / 2);
    std::vector<std::int32_t> offsets(pixels);
    diffuseOffsets(u.data(), pixels, 1000, offsets.data());
    for (int i = 0; i < pixels; ++i)
        ASSERT_EQ(offsets[i], diffuseOffset(u[2 * i]) * 1000 + diffuseOffset(u[2 * i + 1])) << i;
}

TEST(RunFrame, ProgressOncePerChangeUpToTheLastProcessedRow) {
    const Picture opened = randomPicture(10, 300, 2);
    RecordedProgress soften, engrave;
    run(opened, presetFilters()[kSoften], nullptr, nullptr, &soften);
    run(opened, presetFilters()[kEngrave], nullptr, nullptr, &engrave);
    ASSERT_FALSE(soften.values.empty());
    EXPECT_EQ(soften.values.front(), 0);   // row 1 of 300: 100 / 299
    EXPECT_EQ(soften.values.back(), 99);   // row 298
    EXPECT_EQ(engrave.values.back(), 100); // engrave reaches row H-1
    for (std::size_t i = 1; i < soften.values.size(); ++i)
        EXPECT_GT(soften.values[i], soften.values[i - 1]);
}

TEST(RunFrame, RefusesWorkOfAnotherSize) {
    const Picture opened = randomPicture(8, 8, 4);
    const Planes planes = planesOf(opened);
    Picture other = randomPicture(9, 8, 4);
    const Picture before = other;
    EXPECT_FALSE(runFilter(presetFilters()[kSoften], planes, other, {}));
    EXPECT_EQ(other, before);
    Picture work = opened;
    EXPECT_FALSE(runFilter(presetFilters()[kDiffuse], planes, work, {}));  // no generator
}

}  // namespace
}  // namespace imagefx
