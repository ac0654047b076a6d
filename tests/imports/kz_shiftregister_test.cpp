#include <gtest/gtest.h>

#include "imports/kz_shiftregister.h"

TEST(KZ_shiftRegister, NewestFirstOldestDropped) {
    auto reg = KZ_shiftRegister::createNew(3);
    EXPECT_EQ(reg->dataArray, (std::vector<float>{0.0f, 0.0f, 0.0f}));
    reg->shiftIn(1.0f);
    reg->shiftIn(2.0f);
    reg->shiftIn(3.0f);
    EXPECT_EQ(reg->dataArray, (std::vector<float>{3.0f, 2.0f, 1.0f}));
    reg->shiftIn(4.0f);
    EXPECT_EQ(reg->dataArray, (std::vector<float>{4.0f, 3.0f, 2.0f}));
}

TEST(KZ_shiftRegister, SizesBelowOneKeepNothing) {
    for (int n : {0, -5}) {
        auto reg = KZ_shiftRegister::createNew(n);
        reg->shiftIn(7.0f);
        EXPECT_TRUE(reg->dataArray.empty());
    }
    auto one = KZ_shiftRegister::createNew(1);
    one->shiftIn(5.0f);
    one->shiftIn(6.0f);
    EXPECT_EQ(one->dataArray, (std::vector<float>{6.0f}));
}
