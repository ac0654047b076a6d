#include <gtest/gtest.h>

#include <cmath>

#include "imports/kz_oscillator.h"

TEST(KZ_oscillator, TriangleRoundsHalfUpToEvenAndRisesThenFalls) {
    auto osc = KZ_oscillator::createnew(KZ_oscillator::TRIANGULAR, 1.0f, 8.0f, 2.0f, 30);
    ASSERT_EQ(osc->steps, 32);
    ASSERT_EQ(osc->dataArray.size(), 32u);
    EXPECT_FLOAT_EQ(osc->delta, 0.5f);
    EXPECT_FLOAT_EQ(osc->dataArray[0], 2.0f);
    EXPECT_FLOAT_EQ(osc->dataArray[15], 9.5f);
    EXPECT_FLOAT_EQ(osc->dataArray[16], 10.0f);  // falls from offset + amplitude
    EXPECT_FLOAT_EQ(osc->dataArray[31], 2.5f);
}

TEST(KZ_oscillator, SineQuartersMirrorAndNeverHoldThePeak) {
    auto osc = KZ_oscillator::createnew(KZ_oscillator::SINE, 1.0f, 1.0f, 10.0f, 30);
    ASSERT_EQ(osc->steps, 32);
    ASSERT_EQ(osc->dataArray.size(), 32u);
    EXPECT_FLOAT_EQ(osc->delta, 11.25f);
    const auto& t = osc->dataArray;
    const float top = static_cast<float>(std::sin(78.75 * M_PI / 180.0));
    EXPECT_FLOAT_EQ(t[0], 10.0f);
    EXPECT_FLOAT_EQ(t[7], 10.0f + top);
    EXPECT_FLOAT_EQ(t[8], 10.0f + top);  // the quarters meet at a repeated value
    EXPECT_FLOAT_EQ(t[15], 10.0f);
    EXPECT_FLOAT_EQ(t[16], 10.0f);
    EXPECT_FLOAT_EQ(t[23], 10.0f - top);
    EXPECT_FLOAT_EQ(t[24], 10.0f - top);
    EXPECT_FLOAT_EQ(t[31], 10.0f);
    for (float v : t) EXPECT_LT(v, 11.0f);
}

TEST(KZ_oscillator, SawtoothRoundsOddCountUp) {
    auto osc = KZ_oscillator::createnew(KZ_oscillator::SAWTOOTH, 0.5f, 4.0f, 1.0f, 30);
    ASSERT_EQ(osc->steps, 16);
    EXPECT_FLOAT_EQ(osc->delta, 0.25f);
    EXPECT_FLOAT_EQ(osc->dataArray[0], 1.0f);
    EXPECT_FLOAT_EQ(osc->dataArray[15], 4.75f);
}

TEST(KZ_oscillator, OnePassStopsAfterTheLastEntryBothWays) {
    auto osc = KZ_oscillator::createnew(KZ_oscillator::SAWTOOTH, 1.0f, 4.0f, 0.0f, 4);
    ASSERT_EQ(osc->steps, 4);
    osc->continuous = 0;
    osc->update();  // not running yet
    EXPECT_EQ(osc->position, 0);
    EXPECT_FLOAT_EQ(osc->output, 0.0f);

    osc->run = 1;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(osc->run, 1);
        EXPECT_EQ(osc->update(), 0.0f);
        EXPECT_FLOAT_EQ(osc->output, static_cast<float>(i));
    }
    EXPECT_EQ(osc->position, 0);
    EXPECT_EQ(osc->run, 0);

    osc->run = 1;
    osc->direction = 0;
    osc->position = 1;
    osc->update();
    osc->update();
    EXPECT_FLOAT_EQ(osc->output, 0.0f);
    EXPECT_EQ(osc->position, 3);
    EXPECT_EQ(osc->run, 0);
}

TEST(KZ_oscillator, ContinuousWrapsAndStrayPositionStaysInTable) {
    auto osc = KZ_oscillator::createnew(KZ_oscillator::SAWTOOTH, 1.0f, 4.0f, 0.0f, 4);
    osc->run = 1;
    for (int i = 0; i < 9; ++i) osc->update();
    EXPECT_FLOAT_EQ(osc->output, 0.0f);
    EXPECT_EQ(osc->run, 1);
    osc->position = 1000;
    osc->update();
    EXPECT_FLOAT_EQ(osc->output, 0.0f);
    osc->direction = 0;
    osc->position = -7;
    osc->update();
    EXPECT_FLOAT_EQ(osc->output, 3.0f);
}

TEST(KZ_oscillator, TooFewStepsAndSquareGiveAnEmptyTableThatStepsToNothing) {
    struct Case { int form; float period; int rate; };
    const Case cases[] = {
        {KZ_oscillator::TRIANGULAR, 1.0f, 1},  {KZ_oscillator::SINE, 1.0f, 3},
        {KZ_oscillator::SAWTOOTH, 0.0f, 30},   {KZ_oscillator::SAWTOOTH, -2.0f, 30},
        {KZ_oscillator::TRIANGULAR, 1.0f, -40}, {KZ_oscillator::SINE, NAN, 30},
        {KZ_oscillator::SQUARE, 1.0f, 30},     {KZ_oscillator::SINE, 1e30f, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "form " << c.form << " period " << c.period << " rate " << c.rate);
        auto osc = KZ_oscillator::createnew(c.form, c.period, 5.0f, 1.0f, c.rate);
        EXPECT_TRUE(osc->dataArray.empty());
        EXPECT_TRUE(std::isfinite(osc->delta));
        if (c.form != KZ_oscillator::SQUARE) {
            EXPECT_EQ(osc->steps, 0);
        }
        osc->run = 1;
        osc->output = 42.0f;
        osc->update();
        EXPECT_FLOAT_EQ(osc->output, 42.0f);
        EXPECT_EQ(osc->position, 0);
    }
}

TEST(KZ_oscillator, SawtoothOfOneStepBecomesTwo) {
    auto osc = KZ_oscillator::createnew(KZ_oscillator::SAWTOOTH, 1.0f, 2.0f, 0.0f, 1);
    ASSERT_EQ(osc->steps, 2);
    EXPECT_FLOAT_EQ(osc->dataArray[1], 1.0f);
}

TEST(KZ_oscillator, DebugDataPrintsOneValueALine) {
    auto osc = KZ_oscillator::createnew(KZ_oscillator::SAWTOOTH, 1.0f, 4.0f, 0.0f, 4);
    testing::internal::CaptureStdout();
    osc->debugData();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0\n1\n2\n3\n");
}
