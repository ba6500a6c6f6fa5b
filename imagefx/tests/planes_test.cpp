// Tests of filling the planes and of the progress value.
#include "imagefx/core/planes.h"

#include <vector>

#include <gtest/gtest.h>

#include "imagefx/tests/test_pictures.h"

namespace imagefx {
namespace {

struct Recorded final : ProgressSink {
    std::vector<int> values;
    void setPercent(int p) override { values.push_back(p); }
};

TEST(Planes, SplitTheChannelsAndReplaceEarlierContent) {
    Planes planes;
    loadPlanes(testing::randomPicture(50, 40, 1), planes, nullptr);
    const Picture p = testing::makePicture(3, 2, [](int x, int y) { return rgbPixel(x, 10 * y, 200 + x + y); });
    Recorded progress;
    loadPlanes(p, planes, &progress);
    ASSERT_EQ(planes.width, 3);
    ASSERT_EQ(planes.height, 2);
    ASSERT_EQ(planes.PlaneR.size(), 6u);
    EXPECT_EQ(planes.at(Channel::Red, 1, 2), 2);
    EXPECT_EQ(planes.at(Channel::Green, 1, 2), 10);
    EXPECT_EQ(planes.at(Channel::Blue, 1, 2), 203);
    EXPECT_EQ(progress.values, (std::vector<int>{0, 100}));
}

TEST(Planes, ProgressForShortPictures) {
    // One row high: no division by zero, the single row completes the bar.
    Planes planes;
    Recorded one;
    loadPlanes(testing::randomPicture(5, 1, 2), planes, &one);
    EXPECT_EQ(one.values, std::vector<int>{100});
    Recorded three;
    loadPlanes(testing::randomPicture(5, 3, 2), planes, &three);
    EXPECT_EQ(three.values, (std::vector<int>{0, 50, 100}));
    // Tall pictures update the bar at most once per percent.
    Recorded tall;
    loadPlanes(testing::randomPicture(2, 1000, 2), planes, &tall);
    EXPECT_EQ(tall.values.size(), 101u);
}

}  // namespace
}  // namespace imagefx
