#include <gtest/gtest.h>

#include "platform/font.h"

// A font owns its FreeType face: a copy would free it twice.
static_assert(!std::is_copy_constructible_v<plat::Font> && !std::is_copy_assignable_v<plat::Font>);

using namespace plat;

static const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

TEST(FontLoad, MetricsAndMonospaceAdvances) {
    auto f = Font::load(kFont, 12);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->pixelSize(), 12);
    EXPECT_GE(f->height(), 12);
    EXPECT_GT(f->ascent(), 6);
    EXPECT_LT(f->ascent(), f->height());
    const int adv = f->glyph('M').advance;
    EXPECT_GE(adv, 6);
    EXPECT_LE(adv, 8);
    EXPECT_EQ(f->textWidth("abc"), 3 * adv);
    EXPECT_EQ(f->textWidth(""), 0);
    EXPECT_EQ(f->textWidth("\xC3\xA9t\xC3\xA9"), 3 * adv);  // UTF-8: three characters
    EXPECT_EQ(f->textWidth("abc\r"), 3 * adv);  // a line end left over from CR LF shows nothing
    EXPECT_EQ(f->glyph('\t').coverage, nullptr);
    auto big = Font::load(kFont, 20);
    ASSERT_NE(big, nullptr);
    EXPECT_GT(big->textWidth("abc"), f->textWidth("abc"));
}

TEST(FontLoad, GlyphCoverageIsAntiAliasedAndCached) {
    auto f = Font::load(kFont, 16);
    ASSERT_NE(f, nullptr);
    const Font::Glyph& o = f->glyph('O');
    ASSERT_NE(o.coverage, nullptr);
    EXPECT_GT(o.w, 4);
    EXPECT_GT(o.h, 6);
    EXPECT_GT(o.top, 6);
    bool partial = false, full = false;
    for (int i = 0; i < o.w * o.h; ++i) {
        if (o.coverage[i] > 0 && o.coverage[i] < 255) partial = true;
        if (o.coverage[i] == 255) full = true;
    }
    EXPECT_TRUE(partial);
    EXPECT_TRUE(full);
    EXPECT_EQ(&f->glyph('O'), &o);
    for (uint32_t c = 32; c < 600; ++c) f->glyph(c);  // growing the cache keeps old glyphs in place
    EXPECT_EQ(f->glyph('O').coverage, o.coverage);
    const Font::Glyph& space = f->glyph(' ');
    EXPECT_EQ(space.coverage, nullptr);
    EXPECT_GT(space.advance, 0);
}

TEST(FontLoad, BadFilesAndSizesFail) {
    EXPECT_EQ(Font::load("/nonexistent/font.ttf", 12), nullptr);
    EXPECT_EQ(Font::load(kFont, 0), nullptr);
    EXPECT_EQ(Font::load(TARN_SOURCE_DIR "/CMakeLists.txt", 12), nullptr);
}
