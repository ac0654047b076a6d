// The asset generator's rasteriser and its reading of the data texts. The generator is a
// build tool outside the game library, so its sources are compiled in here directly.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "../../tools/assetgen/common.cpp"
#include "../../tools/assetgen/raster.cpp"

using namespace ag;

namespace {
float total(const Mask& m) { return std::accumulate(m.a.begin(), m.a.end(), 0.0f); }
}

TEST(AssetgenRaster, CoverageIsExactAcrossAndEightfoldDown) {
    Mask m(3, 2);
    m.add(rect(0, 0, 1.5f, 1));
    EXPECT_FLOAT_EQ(m.at(0, 0), 1.0f);
    EXPECT_FLOAT_EQ(m.at(1, 0), 0.5f);
    EXPECT_FLOAT_EQ(m.at(2, 0), 0.0f);
    EXPECT_FLOAT_EQ(m.at(0, 1), 0.0f);
    Mask v(1, 1);
    v.add(rect(0, 0, 1, 0.5f));
    EXPECT_NEAR(v.at(0, 0), 0.5f, 1e-6);
    // a shape partly off the picture is clipped, never written outside
    Mask c(4, 4);
    c.add(rect(-10, -10, 12, 12));
    EXPECT_FLOAT_EQ(total(c), 4.0f);
}

TEST(AssetgenRaster, AreasAndWindingRules) {
    Mask disc(100, 100);
    disc.add(circle(50, 50, 30));
    EXPECT_NEAR(total(disc), PI * 900, PI * 900 * 0.01);
    // a square with a square inside, both drawn the same way round
    Shape twoSquares = rect(10, 10, 40, 40) + rect(20, 20, 20, 20);
    Mask nz(60, 60), eo(60, 60);
    nz.add(twoSquares);
    eo.add(twoSquares, 1.0f, true);
    EXPECT_NEAR(total(nz), 1600, 1);
    EXPECT_NEAR(total(eo), 1200, 1);
    EXPECT_FLOAT_EQ(eo.at(30, 30), 0.0f);
    // union by maximum: drawing the same shape twice does not darken an edge
    Mask twice(4, 1);
    twice.add(rect(0, 0, 1.5f, 1));
    twice.add(rect(0, 0, 1.5f, 1));
    EXPECT_FLOAT_EQ(twice.at(1, 0), 0.5f);
    Mask cut(10, 10);
    cut.add(rect(0, 0, 10, 10));
    cut.sub(rect(0, 0, 5, 10));
    EXPECT_NEAR(total(cut), 50, 1e-3);
}

TEST(AssetgenRaster, RotationTurnsClockwiseOnTheScreen) {
    V2 p = Xf::rotate(90)(V2{1, 0});
    EXPECT_NEAR(p.x, 0, 1e-6);
    EXPECT_NEAR(p.y, 1, 1e-6);
    Xf t = Xf::translate(10, 0) * Xf::scale(2, 2);
    V2 q = t(V2{1, 1});
    EXPECT_FLOAT_EQ(q.x, 12);
    EXPECT_FLOAT_EQ(q.y, 2);
}

TEST(AssetgenRaster, CompositingAndResizing) {
    Img img(2, 1);
    img.fill(rect(0, 0, 2, 1), hex(0xff0000));
    img.fill(rect(0, 0, 1, 1), Col{0, 0, 1, 0.5f});
    Col a = img.get(0, 0), b = img.get(1, 0);
    EXPECT_NEAR(a.r, 0.5f, 1e-5);
    EXPECT_NEAR(a.b, 0.5f, 1e-5);
    EXPECT_NEAR(a.a, 1.0f, 1e-5);
    EXPECT_NEAR(b.r, 1.0f, 1e-5);
    // a transparent picture stays transparent when written out
    Img clear(3, 3);
    plat::PixelBuffer buf;
    clear.toBuffer(buf, false);
    for (uint32_t px : buf.pixels) EXPECT_EQ(px, 0u);
    // shrinking averages the area
    Img checker(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) checker.set(x, y, ((x + y) & 1) ? hex(0xffffff) : hex(0x000000));
    Img small = checker.resized(2, 2);
    EXPECT_NEAR(small.get(0, 0).r, 0.5f, 1e-4);
    EXPECT_NEAR(small.get(1, 1).g, 0.5f, 1e-4);
}

TEST(AssetgenRaster, NoiseIsBoundedAndRepeatable) {
    float lo = 1, hi = 0;
    for (int i = 0; i < 2000; ++i) {
        float v = fbm(i * 0.37f, i * 0.11f, 7);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        EXPECT_EQ(v, fbm(i * 0.37f, i * 0.11f, 7));
    }
    EXPECT_GE(lo, 0.0f);
    EXPECT_LE(hi, 1.0f);
    EXPECT_LT(lo, 0.4f);
    EXPECT_GT(hi, 0.6f);
    EXPECT_NE(noise2(3.5f, 2.5f, 1), noise2(3.5f, 2.5f, 2));
    Rng r(5);
    for (int i = 0; i < 1000; ++i) {
        int k = r.i(-2, 3);
        EXPECT_GE(k, -2);
        EXPECT_LE(k, 3);
    }
}

TEST(AssetgenData, AirportRecordsParseAndBadOnesAreReported) {
    std::string line = "A/a.png/a.ogg/430/250/90.9/230/340/0/255/127.9/0/640/390/-15/Text";
    std::string text = line + "\n" + line + "\n" + line + "\n" + line;
    auto recs = parseAirports(text);
    ASSERT_EQ(recs.size(), 4u);
    EXPECT_EQ(recs[0].imgName, "a.png");
    EXPECT_FLOAT_EQ(recs[0].r1x, 430);
    EXPECT_EQ(recs[0].g, 127);
    EXPECT_FLOAT_EQ(recs[0].flagAngle, -15);
    EXPECT_EQ(recs[0].description, "Text");
    // the game truncates the heading: 90.9 paints like 90
    RunwayGeo g = runwayGeo(recs[0].r1x, recs[0].r1y, recs[0].r1h, 330);
    V2 t = g.at(165, 0);
    EXPECT_NEAR(t.x, 595, 1e-3);
    EXPECT_NEAR(t.y, 250, 1e-3);

    try {
        parseAirports(line + "\n" + line);
        FAIL() << "two lines accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("expected 4 lines"), std::string::npos);
    }
    try {
        parseAirports(line + "\n" + line + "\nA/b.png/c\n" + line);
        FAIL() << "a short line accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

TEST(AssetgenData, NationIdsSkipEmptyLines) {
    auto ids = nationIds("Russia|russia|a|b|c\n\nChina|china|a|b|c\n");
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[0], "russia");
    EXPECT_EQ(ids[1], "china");
}
