#include <climits>
#include <gtest/gtest.h>

#include "platform/sortlist.h"
#include "platform/text.h"

using namespace plat;

TEST(TextParse, IntegerRule) {
    EXPECT_EQ(toInt("  42abc"), 42);
    EXPECT_EQ(toInt("-17"), -17);
    EXPECT_EQ(toInt("+5"), 5);
    EXPECT_EQ(toInt("abc"), 0);
    EXPECT_EQ(toInt(""), 0);
    EXPECT_EQ(toInt("-"), 0);
    EXPECT_EQ(toInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(toInt("-99999999999999999999"), INT_MIN);
}

TEST(TextSplit, KeepsEmptyFields) {
    auto f = split("a//b/", "/");
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0], "a");
    EXPECT_EQ(f[1], "");
    EXPECT_EQ(f[2], "b");
    EXPECT_EQ(f[3], "");
    EXPECT_EQ(split("", "|").size(), 1u);
    EXPECT_EQ(split("x#y", "#")[1], "y");
}

TEST(TextUtf8, RoundTripAndDamagedInput) {
    std::string s = "Caf\xC3\xA9 \xE2\x82\xAC";
    auto cps = utf8Decode(s);
    ASSERT_EQ(cps.size(), 6u);
    EXPECT_EQ(cps[3], 0xE9u);
    EXPECT_EQ(cps[5], 0x20ACu);
    EXPECT_EQ(utf8Encode(cps), s);
    // A truncated sequence must not read past the end.
    auto bad = utf8Decode(std::string("a\xE2\x82"));
    EXPECT_EQ(bad.back(), 0xFFFDu);
    // A lead byte cut short by the end of the text must not swallow what follows it.
    auto cut = utf8Decode(std::string("\xE2" "A"));
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], 0xFFFDu);
    EXPECT_EQ(cut[1], uint32_t('A'));
}

TEST(TextUtf8, IllFormedSequencesBecomeReplacementsByteByByte) {
    struct Case { const char* what; std::string in; std::vector<uint32_t> out; };
    const uint32_t R = 0xFFFD;
    const Case cases[] = {
        {"overlong slash", "a\xC0\xAF" "b", {'a', R, R, 'b'}},
        {"overlong NUL", "\xE0\x80\x80", {R, R, R}},
        {"encoded surrogate", "\xED\xA0\x80", {R, R, R}},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
        {"largest and smallest of each length kept", "\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         {0x80, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(utf8Decode(c.in), c.out);
    }
}

TEST(StableSort, KeepsTiesAndToleratesInconsistentCompare) {
    std::vector<std::pair<int, int>> v;
    for (int i = 0; i < 50; ++i) v.push_back({i % 5, i});
    stableSort(v, [](auto& a, auto& b) { return a.first - b.first; });
    for (size_t i = 1; i < v.size(); ++i) {
        ASSERT_LE(v[i - 1].first, v[i].first);
        if (v[i - 1].first == v[i].first) {
            ASSERT_LT(v[i - 1].second, v[i].second);
        }
    }
    // A compare that is not a strict weak ordering must still terminate in bounds.
    std::vector<double> h = {0.5, 0.2, 0.9, 1.4, 0.1, 2.7, 2.2};
    stableSort(h, [](double a, double b) { return int(a - b); });
    EXPECT_EQ(h.size(), 7u);
}

TEST(TextParse, FloatRule) {
    EXPECT_EQ(toFloat("0.75"), 0.75);
    EXPECT_EQ(toFloat("  -2.5e1xyz"), -25.0);
    EXPECT_EQ(toFloat("+3"), 3.0);
    EXPECT_EQ(toFloat("abc"), 0.0);
    EXPECT_EQ(toFloat(""), 0.0);
    EXPECT_EQ(toFloat("1e999"), 0.0);  // out of range gives no number rather than infinity
}
