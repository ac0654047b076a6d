// The grey copy used by the pause view.
#include <gtest/gtest.h>

#include "imports/kz_imagefx.h"

TEST(KZ_imageFXTest, GreyLevelIsTheTruncatedMeanTimesTheFactor) {
    plat::PixelBuffer buf(4, 2, plat::PF_RGBA, plat::argb(255, 255, 255, 255));
    buf.writePixel(1, 0, plat::argb(255, 255, 0, 0));
    buf.writePixel(2, 0, plat::argb(128, 10, 20, 31));  // alpha plays no part
    buf.writePixel(3, 1, plat::argb(255, 0, 0, 0));
    auto img = plat::Image::fromPixels(buf);
    auto grey = KZ_imageFX::colorToBWImg(img, 0.5f);
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(grey->width, 4);
    EXPECT_EQ(grey->height, 2);
    EXPECT_EQ(grey->format, plat::PF_RGB);
    EXPECT_EQ(grey->readPixel(0, 0), plat::argb(255, 127, 127, 127));  // white: 255 -> 127
    EXPECT_EQ(grey->readPixel(1, 0), plat::argb(255, 42, 42, 42));     // red: 85 -> 42
    EXPECT_EQ(grey->readPixel(2, 0), plat::argb(255, 10, 10, 10));     // 61 / 3 = 20 -> 10
    EXPECT_EQ(grey->readPixel(3, 1), plat::argb(255, 0, 0, 0));
    // The source is untouched.
    EXPECT_EQ(img->frame(0).readPixel(1, 0), plat::argb(255, 255, 0, 0));
}

TEST(KZ_imageFXTest, FactorOneKeepsTheMeanAndFrameZeroIsUsed) {
    auto img = plat::Image::create(3, 3, 2);
    img->frameMutable(0).writePixel(1, 1, plat::argb(255, 30, 60, 90));
    img->frameMutable(1).writePixel(1, 1, plat::argb(255, 255, 255, 255));
    auto grey = KZ_imageFX::colorToBWImg(img, 1.0f);
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(grey->readPixel(1, 1), plat::argb(255, 60, 60, 60));
    EXPECT_EQ(KZ_imageFX::colorToBWImg(nullptr, 0.5f), nullptr);
}

TEST(KZ_imageFXTest, AFactorOutsideZeroToOneStaysWithinAByte) {
    plat::PixelBuffer buf(2, 1, plat::PF_RGB, plat::argb(255, 200, 200, 200));
    auto img = plat::Image::fromPixels(buf);
    auto bright = KZ_imageFX::colorToBWImg(img, 2.0f);
    ASSERT_NE(bright, nullptr);
    EXPECT_EQ(bright->readPixel(0, 0), plat::argb(255, 255, 255, 255));
    auto negative = KZ_imageFX::colorToBWImg(img, -1.0f);
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(negative->readPixel(1, 0), plat::argb(255, 0, 0, 0));
}
