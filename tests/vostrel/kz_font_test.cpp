// Bitmap font, boxed integers and the shared text drawer.
#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "vostrel/kz_font.h"
#include "vostrel/kz_imagestring.h"
#include "vostrel/kz_integer.h"

TEST(KZ_fontTest, GlyphsMapToTheirFramesAndARepeatKeepsTheLater) {
    auto sheet = plat::Image::create(30, 30, 3);
    auto font = KZ_font::Load(sheet, {"A", "B", "A"});
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->getImage(), sheet);
    EXPECT_EQ(font->getFrame("A"), 2);
    EXPECT_EQ(font->getFrame("B"), 1);
    EXPECT_EQ(font->getFrame("C"), -1);
    EXPECT_EQ(font->getFrame(""), -1);
}

TEST(KZ_fontTest, NullSheetStillGivesAFont) {
    auto font = KZ_font::Load(nullptr, {"A", "B"});
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->getImage(), nullptr);
    EXPECT_EQ(font->getFrame("A"), 0);
    EXPECT_EQ(font->getFrame("B"), 1);
    auto empty = KZ_font::Load(nullptr, {});
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getFrame("A"), -1);
}

TEST(KZ_fontTest, IntegerBoxesItsValue) {
    EXPECT_EQ(Integer().value, 0);
    EXPECT_EQ(Integer::Create(-7)->value, -7);
    EXPECT_NE(Integer::Create(1), Integer::Create(1));
}

namespace {
int inkedColumns(const plat::PixelBuffer& px, int y0, int y1) {
    int cols = 0;
    for (int x = 0; x < px.width; ++x) {
        for (int y = y0; y < y1; ++y) {
            if ((px.readPixel(x, y) & 0xFFFFFFu) != 0) {
                ++cols;
                break;
            }
        }
    }
    return cols;
}
}  // namespace

TEST(KZ_imageStringTest, DrawsInWhateverFontIsCurrent) {
    plat::testing::useOffscreen();
    ASSERT_TRUE(plat::openWindow(800, 480, 30));
    auto small = plat::Font::load("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 12);
    auto big = plat::Font::load("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 40);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(big, nullptr);
    auto text = KZ_imageString::Create(KZ_font::Load(nullptr, {"A", "B"}));
    plat::cls();
    text->render("", 10, 10);
    EXPECT_EQ(inkedColumns(plat::canvas().pixels(), 0, 480), 0);  // empty text draws nothing

    plat::setColor(255, 255, 255);
    plat::setImageFont(small);
    text->render("WWWW", 10, 10);
    plat::setImageFont(big);
    text->render("WWWW", 10, 100);
    const int smallInk = inkedColumns(plat::canvas().pixels(), 0, 60);
    const int bigInk = inkedColumns(plat::canvas().pixels(), 90, 200);
    EXPECT_GT(smallInk, 15);
    EXPECT_GT(bigInk, 2 * smallInk);
    // Top-left origin: nothing above the y given.
    EXPECT_EQ(inkedColumns(plat::canvas().pixels(), 0, 9), 0);
}
