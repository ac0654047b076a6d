#include <gtest/gtest.h>

#include "imports/arrayfunc.h"
#include "imports/basicfunctions.h"
#include "imports/kz_graphic_line.h"
#include "platform/testing.h"

TEST(BasicFunctions, FrameCountsAsClockText) {
    EXPECT_EQ(formatFrameCountForTime(0, 30), "0:00:00");
    EXPECT_EQ(formatFrameCountForTime(29, 30), "0:00:00");
    EXPECT_EQ(formatFrameCountForTime(8000, 30), "0:04:26");
    EXPECT_EQ(formatFrameCountForTime(108000, 30), "1:00:00");
    EXPECT_EQ(formatFrameCountForTime(1080000, 30), "10:00:00");
    EXPECT_EQ(formatFrameCountForTime(30 * 3599, 30), "0:59:59");
    // No division by zero, and a countdown past zero does not show negative fields.
    EXPECT_EQ(formatFrameCountForTime(100, 0), "0:00:00");
    EXPECT_EQ(formatFrameCountForTime(-45, 30), "0:00:00");
}

TEST(BasicFunctions, FixWidthIntPadsAfterTheSign) {
    EXPECT_EQ(fixWidthInt(7, 2), "07");
    EXPECT_EQ(fixWidthInt(123, 2), "123");
    EXPECT_EQ(fixWidthInt(5, 0), "5");
    EXPECT_EQ(fixWidthInt(-5, 3), "-05");
    EXPECT_EQ(fixWidthInt(-5, 1), "-5");
    EXPECT_EQ(fixWidthInt(0, 3), "000");
    EXPECT_EQ(fixWidthInt(-2147483647 - 1, 12), "-02147483648");
}

TEST(BasicFunctions, TwelveHourClock) {
    EXPECT_EQ(convert24hto12h(13, 5, 0), "1:05pm");
    EXPECT_EQ(convert24hto12h(0, 30, 0), "12:30am");
    EXPECT_EQ(convert24hto12h(12, 0, 0), "12:00pm");
    EXPECT_EQ(convert24hto12h(24, 15, 0), "12:15am");
    EXPECT_EQ(convert24hto12h(11, 59, 59), "11:59am");
}

TEST(BasicFunctions, NumberHelpers) {
    EXPECT_EQ(gridAlign(37, 10), 30);
    EXPECT_EQ(gridAlign(-37, 10), -30);
    EXPECT_EQ(gridAlign(37, 0), 37);
    EXPECT_EQ(formatForTime(3723000), "1:2:3");
    EXPECT_EQ(varTracking(0, 10, 3), 3.0f);
    EXPECT_EQ(varTracking(0, 2, 3), 2.0f);
    EXPECT_EQ(varTracking(10, 0, 3), -3.0f);
    EXPECT_EQ(varTracking(5, 5, 3), 0.0f);
    EXPECT_FLOAT_EQ(CtoF(100), 212.0f);
    EXPECT_FLOAT_EQ(degreeToRad(180), 3.14159256f);
    EXPECT_FLOAT_EQ(radToDegree(1), 57.29578f);
    EXPECT_EQ(getArrayFromSquare(4, 2), (std::vector<float>{0, 0, 4, 0, 4, 2, 0, 2, 0, 0}));
}

TEST(BasicFunctions, FixedPointTextIsCutNotRounded) {
    EXPECT_EQ(fixPointFloat(3.14159f, 2), "3.14");
    EXPECT_EQ(fixPointFloat(2.999f, 1), "2.9");
    EXPECT_EQ(fixPointFloat(5.0f, 3), "5.000");
    EXPECT_EQ(fixPointFloat(-0.5f, 1), "-0.5");
    EXPECT_EQ(fixPointFloat(123456789.0f, 3), "123456792.0  ");  // short part filled with blanks
    EXPECT_EQ(getPercentage(2, 3, 2), "66.66");
    EXPECT_EQ(getPercentage(2, 3, 0), "66");
    EXPECT_EQ(getPercentage(1, 0, 0), "0");
    EXPECT_EQ(getPercentage(1, 0, 1), "0.0");
}

TEST(BasicFunctions, ArraysAndLists) {
    EXPECT_EQ(intArrayToString({}, ","), "");
    EXPECT_EQ(intArrayToString({1, -2, 3}, ", "), "1, -2, 3");
    EXPECT_EQ(strArrayToIntArray({" 12x", "-3", "abc"}), (std::vector<int>{12, -3, 0}));
    EXPECT_EQ(strArrayToFloatArray({"1.5"}), (std::vector<float>{1.5f}));
    EXPECT_EQ(selectRndFromList(std::vector<int>{}), 0);
    EXPECT_EQ(selectRndFromList(std::vector<std::shared_ptr<int>>{}), nullptr);
    const int picked = selectRndFromList(std::vector<int>{4, 5, 6});
    EXPECT_TRUE(picked >= 4 && picked <= 6);
}

TEST(BasicFunctions, FileTimeAsLocalDate) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(convertFileTime(0), "1/1/1970   12:00am");
    EXPECT_EQ(convertFileTime(1796654700), "12/7/2026   2:45pm");
}

TEST(ArrayFunc, RandomizeDealsEveryIndexOnce) {
    EXPECT_TRUE(ArrayFunc::randomize(0).empty());
    EXPECT_TRUE(ArrayFunc::randomize(-3).empty());
    EXPECT_EQ(ArrayFunc::randomize(1), std::vector<int>{0});
    plat::seedRnd(1234);
    auto a = ArrayFunc::randomize(5);
    std::sort(a.begin(), a.end());
    EXPECT_EQ(a, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(ArrayFunc, ForwardShuffleDrawsOncePerPlace) {
    int draws = 0;
    plat::testing::scriptRand([&](int lo, int) { ++draws; return lo; });
    EXPECT_EQ(ArrayFunc::randomize(4), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(draws, 4);
    draws = 0;
    EXPECT_TRUE(ArrayFunc::randomize(0).empty());
    EXPECT_EQ(draws, 0);
    plat::testing::scriptRand([](int, int hi) { return hi; });
    EXPECT_EQ(ArrayFunc::randomize(4), (std::vector<int>{3, 0, 1, 2}));
    plat::testing::scriptRand({});
}

TEST(KZ_graphic_line, NormalPointsClockwiseOfTheSegment) {
    auto h = KZ_graphic_line::Create(0, 0, 10, 0);
    EXPECT_NEAR(h->getNormal().x, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(h->getNormal().y, 1.0);
    auto v = KZ_graphic_line::Create(0, 0, 0, 10);
    EXPECT_DOUBLE_EQ(v->getNormal().x, -1.0);
    EXPECT_EQ(KZ_graphic_line::Create(3, 3, 3, 3)->getNormal(), Vector(0, 0));
    EXPECT_EQ(v->getPoints()[3], 10.0f);
}
