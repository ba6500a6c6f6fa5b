// Tests of reading the custom kernel's entries.
#include "imagefx/core/custom_kernel.h"

#include <gtest/gtest.h>

namespace imagefx {
namespace {

TEST(KernelEntries, NumbersAreReadFromTheLeadingPartAndRoundedToEven) {
    EXPECT_EQ(entryValue("1.5"), 2);
    EXPECT_EQ(entryValue("2.5"), 2);
    EXPECT_EQ(entryValue("-2.5"), -2);
    EXPECT_EQ(entryValue("  -3x"), -3);
    EXPECT_EQ(entryValue("+7"), 7);
    EXPECT_EQ(entryValue("1e2"), 100);
    EXPECT_EQ(entryValue("4e"), 4);
    EXPECT_EQ(entryValue(".5"), 0);
    EXPECT_EQ(entryValue("abc"), 0);
    EXPECT_EQ(entryValue(""), 0);
    EXPECT_EQ(entryValue("-"), 0);
    EXPECT_EQ(entryValue("１"), 0);  // only ASCII digits read as a number
    EXPECT_EQ(entryValue("32767.4"), 32767);
    EXPECT_EQ(entryValue("-32768.5"), -32768);
    EXPECT_EQ(entryValue("32767.5"), std::nullopt);  // rounds to 32768
    EXPECT_EQ(entryValue("40000"), std::nullopt);
    // Beyond a double's range: too large is unusable like any other overflow, too small is 0.
    EXPECT_EQ(entryValue("1e999"), std::nullopt);
    EXPECT_EQ(entryValue("-1e999x"), std::nullopt);
    EXPECT_EQ(entryValue("1e-999"), 0);
}

TEST(KernelEntries, AcceptedEntriesFillTheKernelInReadingOrder) {
    KernelEntries e;
    e.weights = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    e.divide = "-3";
    e.bias = "12.5";
    FilterSettings s;
    EXPECT_EQ(acceptEntries(e, s), std::nullopt);
    EXPECT_TRUE(s.FilterOk);
    EXPECT_EQ(s.FilterDivide, -3);
    EXPECT_EQ(s.FilterBias, 12);
    EXPECT_EQ(s.FilterKernel[1][1], 1);
    EXPECT_EQ(s.FilterKernel[1][3], 3);
    EXPECT_EQ(s.FilterKernel[2][1], 4);
    EXPECT_EQ(s.FilterKernel[3][3], 9);
    EXPECT_EQ(s.FilterKernel[0][0], 0);
}

TEST(KernelEntries, UnusableEntriesNameTheFirstBoxAndChangeNothing) {
    FilterSettings s;
    s.FilterDivide = 5;
    const FilterSettings before = s;
    auto same = [&] { return s.FilterDivide == before.FilterDivide && !s.FilterOk; };

    KernelEntries e;
    e.divide = "0.4";  // rounds to 0
    EXPECT_EQ(acceptEntries(e, s), kDivideBox);
    EXPECT_TRUE(same());
    e.divide = "x";
    EXPECT_EQ(acceptEntries(e, s), kDivideBox);
    e.divide = "2";
    e.bias = "99999";
    EXPECT_EQ(acceptEntries(e, s), kBiasBox);
    e.bias = "0";
    e.weights[5] = "-40000";
    e.weights[7] = "40000";
    EXPECT_EQ(acceptEntries(e, s), 5);
    EXPECT_TRUE(same());
    EXPECT_EQ(entryProblem(e, 5), QStringLiteral("第2行第3列的权值超出范围"));
    e.weights[5] = e.weights[7] = "0";
    e.weights[0] = "1e999";
    EXPECT_EQ(acceptEntries(e, s), 0);
    EXPECT_EQ(entryProblem(e, 0), QStringLiteral("第1行第1列的权值超出范围"));
    EXPECT_EQ(entryProblem(e, kBiasBox), QStringLiteral("偏移量(Blas)超出范围"));
    e.divide = "0";
    EXPECT_EQ(entryProblem(e, kDivideBox), QStringLiteral("除数(Divide)不能为 0"));
    e.divide = "1e5";
    EXPECT_EQ(entryProblem(e, kDivideBox), QStringLiteral("除数(Divide)超出范围"));
}

}  // namespace
}  // namespace imagefx
