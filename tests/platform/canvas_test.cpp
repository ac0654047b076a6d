#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "platform/canvas.h"

using namespace plat;

namespace {

const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

int R(uint32_t p) { return int((p >> 16) & 255); }
int G(uint32_t p) { return int((p >> 8) & 255); }
int B(uint32_t p) { return int(p & 255); }

// A w x h picture: left half red, right half green, opaque.
ImagePtr twoTone(int w, int h) {
    PixelBuffer b(w, h, PF_RGBA);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.writePixel(x, y, x < w / 2 ? argb(255, 255, 0, 0) : argb(255, 0, 255, 0));
    return Image::fromPixels(b);
}

ImagePtr solid(int w, int h, uint32_t c) { return Image::fromPixels(PixelBuffer(w, h, PF_RGBA, c)); }

}  // namespace

TEST(CanvasBlend, AlphaLightShadeSolidAndMask) {
    Canvas c(40, 10);
    c.clear(argb(255, 255, 0, 0));
    DrawState& st = c.state();
    st.r = 0, st.g = 0, st.b = 255, st.alpha = 0.25f;
    c.drawRect(0, 0, 10, 10);
    const uint32_t p = c.pixels().readPixel(5, 5);
    EXPECT_NEAR(R(p), 191, 1);
    EXPECT_EQ(G(p), 0);
    EXPECT_NEAR(B(p), 64, 1);
    EXPECT_EQ(p >> 24, 255u);  // the canvas stays opaque

    // An alpha set straight into the state outside 0..1 is clamped, not wrapped.
    st.alpha = 7.0f;
    c.drawRect(30, 0, 2, 2);
    EXPECT_EQ(c.pixels().readPixel(30, 0), argb(255, 0, 0, 255));
    st.alpha = std::nanf("");
    c.drawRect(34, 0, 2, 2);
    EXPECT_EQ(c.pixels().readPixel(34, 0), argb(255, 255, 0, 0));
    // Additive light clamps at white.
    st.blend = LIGHTBLEND, st.alpha = 1.0f, st.r = 100, st.g = 50, st.b = 0;
    c.drawRect(10, 0, 10, 10);
    c.drawRect(10, 0, 10, 10);
    c.drawRect(10, 0, 10, 10);
    EXPECT_EQ(c.pixels().readPixel(15, 5), argb(255, 255, 150, 0));

    // Shade multiplies.
    c.clear(argb(255, 200, 100, 50));
    st.blend = SHADEBLEND, st.r = 128, st.g = 255, st.b = 0;
    c.drawRect(0, 0, 10, 10);
    EXPECT_EQ(c.pixels().readPixel(5, 5), argb(255, 100, 100, 0));

    // Solid ignores the alpha; mask skips texels under half opacity.
    st.blend = SOLIDBLEND, st.alpha = 0.1f, st.r = st.g = st.b = 255;
    c.drawImage(*solid(4, 4, argb(10, 0, 0, 255)), 20, 0);
    EXPECT_EQ(c.pixels().readPixel(21, 1), argb(255, 0, 0, 255));
    st.blend = MASKBLEND;
    c.drawImage(*solid(4, 4, argb(100, 0, 255, 0)), 20, 0);
    EXPECT_EQ(c.pixels().readPixel(21, 1), argb(255, 0, 0, 255));
    c.drawImage(*solid(4, 4, argb(200, 0, 255, 0)), 20, 0);
    EXPECT_EQ(c.pixels().readPixel(21, 1), argb(255, 0, 255, 0));
}

TEST(CanvasImage, TintsRedBlueAndBlackShadow) {
    Canvas c(60, 20);
    c.clear(argb(255, 255, 255, 255));
    auto white = solid(10, 10, argb(255, 255, 255, 255));
    DrawState& st = c.state();
    st.r = 255, st.g = 0, st.b = 0;
    c.drawImage(*white, 0, 0);
    EXPECT_EQ(c.pixels().readPixel(5, 5), argb(255, 255, 0, 0));
    st.r = 0, st.g = 0, st.b = 255;
    c.drawImage(*white, 20, 0);
    EXPECT_EQ(c.pixels().readPixel(25, 5), argb(255, 0, 0, 255));
    // Shadow: black at alpha 0.75, scaled (the transformed path).
    st.r = st.g = st.b = 0, st.alpha = 0.75f, st.scaleX = st.scaleY = 0.6f;
    c.drawImage(*white, 40, 0);
    const uint32_t p = c.pixels().readPixel(42, 3);
    EXPECT_NEAR(R(p), 64, 1);
    EXPECT_EQ(R(p), G(p));
    EXPECT_EQ(c.pixels().readPixel(49, 9), argb(255, 255, 255, 255));  // 0.6 x 10 = 6 pixels wide
    // A straight-alpha texel keeps its own colour: half-transparent blue over white.
    st = DrawState();
    c.drawImage(*solid(4, 4, argb(128, 0, 0, 255)), 0, 15);
    const uint32_t q = c.pixels().readPixel(1, 16);
    EXPECT_NEAR(R(q), 127, 1);
    EXPECT_EQ(B(q), 255);
    // Opaque, clear and half-clear texels mixed along a row of a picture with alpha.
    PixelBuffer row(9, 1, PF_RGBA);
    const int alphas[9] = {255, 0, 128, 255, 255, 255, 255, 0, 255};
    for (int x = 0; x < 9; ++x) row.writePixel(x, 0, argb(alphas[x], 0, 0, 0));
    c.clear(argb(255, 255, 255, 255));
    c.drawImage(*Image::fromPixels(row), 10, 18);
    for (int x = 0; x < 9; ++x) EXPECT_NEAR(R(c.pixels().readPixel(10 + x, 18)), 255 - alphas[x], 1) << x;
}

TEST(CanvasImage, HandleRotationClockwiseAndFlip) {
    Canvas c(200, 200);
    auto img = twoTone(40, 20);
    img->midHandle();
    DrawState& st = c.state();
    // Untransformed: the handle lands on (x, y).
    c.clear();
    c.drawImage(*img, 100, 100);
    EXPECT_EQ(c.pixels().readPixel(80, 90), argb(255, 255, 0, 0));
    EXPECT_EQ(c.pixels().readPixel(119, 109), argb(255, 0, 255, 0));
    EXPECT_EQ(c.pixels().readPixel(79, 90), argb(255, 0, 0, 0));
    EXPECT_EQ(c.pixels().readPixel(120, 109), argb(255, 0, 0, 0));
    // +90 degrees turns +x (green half) down the screen, about the handle.
    c.clear();
    st.rotation = 90;
    c.drawImage(*img, 100, 100);
    EXPECT_EQ(c.pixels().readPixel(100, 110), argb(255, 0, 255, 0));
    EXPECT_EQ(c.pixels().readPixel(100, 88), argb(255, 255, 0, 0));
    EXPECT_EQ(c.pixels().readPixel(100, 125), argb(255, 0, 0, 0));  // 20 long each way only
    EXPECT_EQ(c.pixels().readPixel(115, 100), argb(255, 0, 0, 0));  // 10 wide each way only
    // The rim of a turned picture is smoothed: partly covered pixels lie between the
    // picture's colour and the background.
    int partial = 0;
    for (int y = 70; y < 130; ++y)
        for (int x = 70; x < 130; ++x) {
            const uint32_t p = c.pixels().readPixel(x, y);
            if ((R(p) > 0 && R(p) < 255) || (G(p) > 0 && G(p) < 255)) ++partial;
        }
    EXPECT_EQ(partial, 0);  // a quarter turn leaves every edge on whole pixels
    c.clear();
    st.rotation = 30;
    c.drawImage(*img, 100, 100);
    EXPECT_EQ(c.pixels().readPixel(92, 95), argb(255, 255, 0, 0));
    EXPECT_EQ(c.pixels().readPixel(108, 105), argb(255, 0, 255, 0));
    for (int y = 70; y < 130; ++y)
        for (int x = 70; x < 130; ++x) {
            const uint32_t p = c.pixels().readPixel(x, y);
            if ((R(p) > 0 && R(p) < 255) || (G(p) > 0 && G(p) < 255)) ++partial;
        }
    EXPECT_GT(partial, 40);
    // Negative scale mirrors about the handle; scale 2 doubles the size.
    c.clear();
    st.rotation = 0, st.scaleX = -2.0f, st.scaleY = 2.0f;
    c.drawImage(*img, 100, 100);
    EXPECT_EQ(c.pixels().readPixel(65, 100), argb(255, 0, 255, 0));
    EXPECT_EQ(c.pixels().readPixel(135, 100), argb(255, 255, 0, 0));
    EXPECT_EQ(c.pixels().readPixel(100, 78), argb(255, 0, 0, 0));
    EXPECT_EQ(c.pixels().readPixel(141, 100), argb(255, 0, 0, 0));
    EXPECT_EQ(c.pixels().readPixel(110, 121), argb(255, 0, 0, 0));
}

TEST(CanvasImage, FramesNeverBleedIntoNeighbours) {
    // A strip of a red and a green cell, the red one drawn enlarged and turned.
    PixelBuffer strip(16, 8, PF_RGBA);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) strip.writePixel(x, y, x < 8 ? argb(255, 255, 0, 0) : argb(255, 0, 255, 0));
    const std::string dir = std::string(TARN_TEST_OUT) + "/image-files";
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/bleed_strip.png";
    ASSERT_TRUE(savePNG(strip, path, 5));
    auto img = Image::load(path, 8, 8, 0, 2);
    ASSERT_NE(img, nullptr);
    img->midHandle();
    Canvas c(100, 100);
    c.clear();
    c.state().scaleX = c.state().scaleY = 5.3f;
    c.state().rotation = 33;
    c.drawImage(*img, 50, 50, 0);
    int red = 0;
    for (uint32_t p : c.pixels().pixels) {
        EXPECT_EQ(G(p), 0);
        if (R(p) == 255) ++red;
    }
    EXPECT_GT(red, 1000);  // about 42 x 42 pixels
    c.drawImage(*img, 50, 50, 5);  // no such frame: nothing drawn, no fault
}

TEST(CanvasLine, ThinLinesIncludeBothEnds) {
    Canvas c(30, 30);
    c.clear();
    c.drawLine(2, 3, 12, 3);
    for (int x = 2; x <= 12; ++x) EXPECT_EQ(c.pixels().readPixel(x, 3), 0xFFFFFFFFu) << x;
    EXPECT_EQ(c.pixels().readPixel(1, 3), 0xFF000000u);
    EXPECT_EQ(c.pixels().readPixel(13, 3), 0xFF000000u);
    c.drawLine(20, 20, 20, 20);  // a point is one pixel
    EXPECT_EQ(c.pixels().readPixel(20, 20), 0xFFFFFFFFu);
    c.drawLine(0, 29, 29, 0);
    EXPECT_EQ(c.pixels().readPixel(0, 29), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(29, 0), 0xFFFFFFFFu);
    c.drawLine(-1e9f, 5, 1e9f, 5);  // ends far off the canvas: cut back, not walked
    EXPECT_EQ(c.pixels().readPixel(15, 5), 0xFFFFFFFFu);
    c.state().lineWidth = 3;
    c.drawLine(-1e9f, 25, 1e9f, 25.5f);
    EXPECT_EQ(c.pixels().readPixel(15, 25), 0xFFFFFFFFu);
}

TEST(CanvasLine, WideLinesAreBandsOfTheirWidth) {
    Canvas c(100, 100);
    c.clear();
    c.state().lineWidth = 4;
    c.drawLine(10, 50, 60, 50);
    // Four rows about the pixel row 50: its centre line lies at 50.5.
    EXPECT_EQ(c.pixels().readPixel(30, 49), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(30, 52), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(30, 48), 0xFF000000u);
    EXPECT_EQ(c.pixels().readPixel(30, 53), 0xFF000000u);
    // Square ends: half the width past each end pixel.
    EXPECT_EQ(c.pixels().readPixel(9, 50), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(8, 50), 0xFF000000u);
    EXPECT_EQ(c.pixels().readPixel(62, 50), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(63, 50), 0xFF000000u);
    // A rectangle outline of width 2 closes at every corner.
    c.clear();
    c.state().lineWidth = 2;
    c.drawLine(5, 5, 30, 5);
    c.drawLine(30, 5, 30, 20);
    c.drawLine(30, 20, 5, 20);
    c.drawLine(5, 20, 5, 5);
    for (int x = 5; x <= 31; ++x) {
        EXPECT_EQ(c.pixels().readPixel(x, 5), 0xFFFFFFFFu) << x;
        EXPECT_EQ(c.pixels().readPixel(x, 21), 0xFFFFFFFFu) << x;
    }
    for (int y = 5; y <= 21; ++y) {
        EXPECT_EQ(c.pixels().readPixel(5, y), 0xFFFFFFFFu) << y;
        EXPECT_EQ(c.pixels().readPixel(31, y), 0xFFFFFFFFu) << y;
    }
    EXPECT_EQ(c.pixels().readPixel(10, 10), 0xFF000000u);
    EXPECT_EQ(c.pixels().readPixel(32, 10), 0xFF000000u);
    c.state().lineWidth = 4;
    // A diagonal: solid along its middle, nothing three pixels off it.
    c.clear();
    c.drawLine(10, 10, 80, 80);
    EXPECT_EQ(c.pixels().readPixel(40, 40), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(41, 40), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(44, 40), 0xFF000000u);
    EXPECT_EQ(c.pixels().readPixel(40, 44), 0xFF000000u);
}

TEST(CanvasLine, PolylineJointsShowNoDarkBlobs) {
    // The flight path: many short segments, width 4, alpha 0.25.
    Canvas c(200, 100);
    c.clear();
    c.state().lineWidth = 4;
    c.state().alpha = 0.25f;
    float px = 10, py = 50;
    for (int i = 1; i <= 50; ++i) {
        const float x = 10 + i * 3.5f, y = 50 + 0.02f * i;
        c.drawLine(px, py, x, y);
        px = x, py = y;
    }
    int lo = 255, hi = 0;
    for (int x = 20; x < 170; ++x) {
        const int v = R(c.pixels().readPixel(x, 50));
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_NEAR(hi, 64, 3);
    EXPECT_LE(hi - lo, 6);
}

TEST(CanvasOval, EvenAtLowAlphaAndInsideItsBox) {
    Canvas c(40, 40);
    c.clear();
    c.state().alpha = 0.25f;
    c.drawOval(16, 16, 8, 8);
    int maxV = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const int v = R(c.pixels().readPixel(x, y));
            maxV = std::max(maxV, v);
            if (x < 16 || x >= 24 || y < 16 || y >= 24) {
                EXPECT_EQ(v, 0) << x << "," << y;
            }
            EXPECT_EQ(v, R(c.pixels().readPixel(39 - x, y))) << x << "," << y;  // symmetric
            EXPECT_EQ(v, R(c.pixels().readPixel(x, 39 - y))) << x << "," << y;
        }
    EXPECT_EQ(maxV, 64);  // covered once, never twice
    EXPECT_EQ(R(c.pixels().readPixel(19, 19)), 64);
    EXPECT_EQ(R(c.pixels().readPixel(17, 20)), 64);
    EXPECT_LT(R(c.pixels().readPixel(16, 16)), 20);  // the box corner lies outside the disc
}

TEST(CanvasOval, LargeDiscAreaMatches) {
    Canvas c(120, 120);
    c.clear();
    c.drawOval(10, 10, 100, 60);
    double sum = 0;
    for (uint32_t p : c.pixels().pixels) sum += R(p) / 255.0;
    EXPECT_NEAR(sum, 3.14159265 * 50 * 30, 20);
}

TEST(CanvasRect, CoversItsBoxAndTurnsAboutItsCorner) {
    Canvas c(50, 50);
    c.clear();
    c.drawRect(5, 6, 10, 4);
    int n = 0;
    for (uint32_t p : c.pixels().pixels) n += R(p) == 255;
    EXPECT_EQ(n, 40);
    EXPECT_EQ(c.pixels().readPixel(5, 6), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(14, 9), 0xFFFFFFFFu);
    c.clear();
    c.state().rotation = 90;
    c.drawRect(30, 10, 10, 4);  // now runs down from (30, 10), 4 wide to the left
    EXPECT_EQ(c.pixels().readPixel(28, 15), 0xFFFFFFFFu);
    EXPECT_EQ(c.pixels().readPixel(32, 15), 0xFF000000u);
}

TEST(CanvasText, TopLeftOriginColourAndWidth) {
    Canvas c(200, 60);
    c.clear();
    EXPECT_EQ(c.textWidth("abc"), 0);  // no font yet: nothing drawn, no fault
    c.drawText("abc", 0, 0);
    auto font = Font::load(kFont, 16);
    ASSERT_NE(font, nullptr);
    c.state().font = font;
    c.state().r = 255, c.state().g = 255, c.state().b = 0;
    c.drawText("HELLO", 10, 20);
    int minX = 999, maxX = -1, minY = 999, maxY = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) {
            const uint32_t p = c.pixels().readPixel(x, y);
            if (p == 0xFF000000u) continue;
            EXPECT_EQ(B(p), 0);
            EXPECT_EQ(R(p), G(p));
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    EXPECT_GE(minX, 10);
    EXPECT_LT(maxX, 10 + c.textWidth("HELLO"));
    EXPECT_GE(minY, 20);
    EXPECT_LT(maxY, 20 + c.textHeight("HELLO"));
    EXPECT_LT(minY, 20 + font->ascent() / 2);  // capitals reach up near the top
    EXPECT_EQ(c.textWidth("HELLO"), 5 * font->glyph('H').advance);
    EXPECT_EQ(c.textHeight("x"), font->height());
}

TEST(CanvasText, TurnedTextFollowsTheState) {
    Canvas c(100, 100);
    c.clear();
    c.state().font = Font::load(kFont, 12);
    ASSERT_NE(c.state().font, nullptr);
    c.state().rotation = 90;
    c.drawText("IIIIII", 50, 10);
    // Turned clockwise, the line runs down the screen, left of x = 50.
    int below = 0, right = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (R(c.pixels().readPixel(x, y)) > 100) {
                below += y > 30;
                right += x > 51;
            }
    EXPECT_GT(below, 10);
    EXPECT_EQ(right, 0);
}

// Coordinates and scales far beyond the canvas must neither overflow the pixel arithmetic
// (which lost the visible part of giant shapes and walked billions of empty rows) nor
// draw anything that is not on the canvas.
TEST(CanvasRobust, FarOffShapesDrawOnlyTheirVisiblePart) {
    Canvas c(40, 30);
    DrawState& st = c.state();
    // A wide line and an oval whose ends lie billions of pixels away still cross the canvas.
    st.lineWidth = 3;
    c.drawLine(-3e9f, 10, 3e9f, 10);
    EXPECT_EQ(c.pixels().readPixel(0, 10), argb(255, 255, 255, 255));
    EXPECT_EQ(c.pixels().readPixel(39, 11), argb(255, 255, 255, 255));
    EXPECT_EQ(c.pixels().readPixel(20, 5), argb(255, 0, 0, 0));
    c.clear();
    c.drawOval(-3e9f, -3e9f, 6e9f, 6e9f);
    EXPECT_EQ(c.pixels().readPixel(0, 0), argb(255, 255, 255, 255));
    EXPECT_EQ(c.pixels().readPixel(39, 29), argb(255, 255, 255, 255));

    // Wholly off the canvas, however far or however scaled: nothing changes.
    c.clear();
    st.font = Font::load(kFont, 12);
    ASSERT_NE(st.font, nullptr);
    auto img = solid(8, 8, argb(255, 255, 0, 0));
    const std::vector<uint32_t> black = c.pixels().pixels;
    for (float far : {3e9f, -3e9f, 1e30f}) {
        c.drawRect(far, 5, 10, 10);
        c.drawOval(far, 5, 10, 10);
        c.drawLine(far, 5, far + 20, 5);
        c.drawText("far", far, 5);
        st.scaleX = 1e30f, st.scaleY = -1e30f, st.rotation = 33;
        img->setHandle(far, far);  // the picture lies far off to one side of (20, 15)
        c.drawImage(*img, 20, 15);
        img->setHandle(0, 0);
        st.scaleX = st.scaleY = 1, st.rotation = 0;
    }
    EXPECT_EQ(c.pixels().pixels, black);
    // Shrunk to nothing, a picture leaves at most a faint dot.
    st.scaleX = st.scaleY = 1e-30f;
    c.drawImage(*img, 20, 15);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) EXPECT_LT(R(c.pixels().readPixel(x, y)), 128) << x << "," << y;
}

TEST(CanvasState, FlatFunctionsKeepAndClampState) {
    setAlpha(1.0000001f);
    EXPECT_EQ(getAlpha(), 1.0f);
    setAlpha(-0.0000000745f);
    EXPECT_EQ(getAlpha(), 0.0f);
    setAlpha(0.5f);
    EXPECT_EQ(getAlpha(), 0.5f);
    setColor(300, -4, 7);
    int r, g, b;
    getColor(r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 7);
    setBlend(LIGHTBLEND);
    EXPECT_EQ(getBlend(), LIGHTBLEND);
    setScale(0.5f, -1.0f);
    float sx, sy;
    getScale(sx, sy);
    EXPECT_EQ(sx, 0.5f);
    EXPECT_EQ(sy, -1.0f);
    setRotation(45);
    EXPECT_EQ(getRotation(), 45.0f);
    setLineWidth(3);
    EXPECT_EQ(getLineWidth(), 3.0f);
    EXPECT_EQ(canvas().width(), 800);
    EXPECT_EQ(canvas().height(), 480);
}

TEST(CanvasState, GuardUndoesEverythingSetInsideItsScope) {
    FontPtr outer = Font::load(kFont, 12), inner = Font::load(kFont, 20);
    ASSERT_TRUE(outer && inner);
    setColor(10, 20, 30);
    setAlpha(0.5f);
    setBlend(SHADEBLEND);
    setRotation(30);
    setScale(2, 3);
    setLineWidth(4);
    setImageFont(outer);
    {
        DrawStateGuard keep;
        setColor(200, 100, 0);
        setAlpha(0.25f);
        setBlend(LIGHTBLEND);
        setRotation(-90);
        setScale(0.5f, 0.5f);
        setLineWidth(1);
        setImageFont(inner);
        {
            DrawStateGuard nested;
            setColor(0, 0, 0);
        }
        int r, g, b;
        getColor(r, g, b);
        EXPECT_EQ(r, 200);  // the inner guard put back only what was set inside it
    }
    int r, g, b;
    getColor(r, g, b);
    float sx, sy;
    getScale(sx, sy);
    EXPECT_EQ((std::vector<int>{r, g, b, getBlend()}), (std::vector<int>{10, 20, 30, SHADEBLEND}));
    EXPECT_EQ((std::vector<float>{getAlpha(), getRotation(), sx, sy, getLineWidth()}),
              (std::vector<float>{0.5f, 30.0f, 2.0f, 3.0f, 4.0f}));
    EXPECT_EQ(getImageFont(), outer);
}

TEST(CanvasScene, WritesAPictureToLookAt) {
    Canvas c(400, 240);
    c.clear(argb(255, 60, 110, 60));
    DrawState& st = c.state();
    st.font = Font::load(kFont, 16);
    st.r = 90, st.g = 90, st.b = 90;
    c.drawRect(40, 100, 320, 30);  // a runway
    auto plane = twoTone(40, 24);
    plane->midHandle();
    for (int i = 0; i < 8; ++i) {
        st.rotation = i * 45.0f;
        st.r = st.g = st.b = 0, st.alpha = 0.75f, st.scaleX = st.scaleY = 0.6f;
        c.drawImage(*plane, 40 + i * 45 + 6, 50 + 6);
        st.alpha = 1.0f, st.scaleX = st.scaleY = 1.0f;
        st.r = (i & 1) ? 255 : 0, st.g = 0, st.b = (i & 1) ? 0 : 255;
        if (i > 5) st.r = st.g = st.b = 255;
        c.drawImage(*plane, 40 + i * 45, 50);
    }
    st.rotation = 0;
    st.r = 255, st.g = 255, st.b = 0, st.alpha = 0.25f, st.lineWidth = 4;
    float px = 30, py = 200;
    for (int i = 1; i < 100; ++i) {
        const float x = 30 + i * 3.4f, y = 200 - 40 * std::sin(i * 0.06f);
        c.drawLine(px, py, x, y);
        px = x, py = y;
    }
    st.lineWidth = 1;
    for (int i = 0; i < 6; ++i) c.drawOval(40 + i * 55 - 4, 200 - 4, 8, 8);
    st.alpha = 1.0f, st.r = st.g = st.b = 255;
    c.drawText("Landings: 12  $5000", 8, 4);
    st.blend = LIGHTBLEND, st.r = 60, st.g = 60, st.b = 20;
    c.drawOval(300, 140, 60, 60);
    st.blend = ALPHABLEND;
    const std::string out = std::string(TARN_TEST_OUT) + "/canvas_scene.png";
    std::filesystem::create_directories(TARN_TEST_OUT);
    ASSERT_TRUE(savePNG(c.pixels(), out, 5));
}
