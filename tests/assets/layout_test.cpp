// The pictures leave room where the screens draw over them: light ground under black text,
// dark ground under white text, tiles exactly on the grid's hit boxes, thumbnails and icons
// that show the airport of their record.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "platform/image.h"

namespace {

const std::string ORIG = std::string(TARN_ASSET_DIR) + "/original/";

plat::PixelBufferPtr pic(const std::string& rel) { return plat::loadPixels(ORIG + rel); }

float luma(uint32_t c) {
    return (0.30f * ((c >> 16) & 255) + 0.59f * ((c >> 8) & 255) + 0.11f * (c & 255)) / 255.0f;
}
int alpha(uint32_t c) { return int(c >> 24); }

// Darkest and lightest luma over a rectangle, sampled every 3 pixels.
std::pair<float, float> lumaRange(const plat::PixelBuffer& b, int x0, int y0, int x1, int y1) {
    float lo = 1, hi = 0;
    for (int y = y0; y <= y1; y += 3)
        for (int x = x0; x <= x1; x += 3) {
            float l = luma(b.readPixel(x, y));
            lo = std::min(lo, l);
            hi = std::max(hi, l);
        }
    return {lo, hi};
}

// Mean colour of a picture scaled to a few cells, to compare pictures of different sizes.
std::vector<float> signature(const plat::PixelBuffer& b) {
    const int G = 8;
    std::vector<float> s(G * G * 3, 0.0f);
    std::vector<int> n(G * G, 0);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            int cell = (y * G / b.height) * G + x * G / b.width;
            uint32_t c = b.readPixel(x, y);
            s[size_t(cell) * 3 + 0] += ((c >> 16) & 255) / 255.0f;
            s[size_t(cell) * 3 + 1] += ((c >> 8) & 255) / 255.0f;
            s[size_t(cell) * 3 + 2] += (c & 255) / 255.0f;
            ++n[size_t(cell)];
        }
    for (int i = 0; i < G * G; ++i)
        for (int k = 0; k < 3; ++k) s[size_t(i) * 3 + size_t(k)] /= float(std::max(1, n[size_t(i)]));
    return s;
}
float distance(const std::vector<float>& a, const std::vector<float>& b) {
    float d = 0;
    for (size_t i = 0; i < a.size(); ++i) d += (a[i] - b[i]) * (a[i] - b[i]);
    return d;
}

std::vector<std::string> airportPictureNames() {
    std::ifstream in(std::string(TARN_ASSET_DIR) + "/airports.txt");
    std::vector<std::string> names;
    std::string line;
    while (std::getline(in, line)) {
        std::stringstream ss(line);
        std::string title, img;
        std::getline(ss, title, '/');
        std::getline(ss, img, '/');
        names.push_back(img);
    }
    return names;
}

}  // namespace

TEST(AssetLayout, GridTilesLieOnTheirHitBoxes) {
    auto b = pic("screens/workload/bgdButtons.png");
    ASSERT_NE(b, nullptr);
    for (int cell = 0; cell < 8; ++cell) {
        int x0 = 40 + 187 * (cell % 4), y0 = 82 + 199 * (cell / 4);
        // opaque across the whole box, corners aside (rounded)
        for (int y = y0 + 8; y <= y0 + 148; y += 10)
            for (int x = x0 + 8; x <= x0 + 148; x += 10) EXPECT_GT(alpha(b->readPixel(x, y)), 240) << cell << " at " << x << "," << y;
        // and nothing solid just outside it, where another cell's box does not start
        EXPECT_LT(alpha(b->readPixel(x0 - 6, y0 + 78)), 160) << cell;
        EXPECT_LT(alpha(b->readPixel(x0 + 78, y0 - 6)), 160) << cell;
    }
    EXPECT_LT(alpha(b->readPixel(5, 5)), 10);
    EXPECT_LT(alpha(b->readPixel(400, 262)), 160);
}

TEST(AssetLayout, TextGroundsAreLightOrDarkAsTheirTextNeeds) {
    // grid and help/credits background: white landings count in the top band, black text below
    auto bgd = pic("screens/workload/bgd.jpg");
    ASSERT_NE(bgd, nullptr);
    EXPECT_LT(lumaRange(*bgd, 400, 15, 795, 45).second, 0.35f);
    EXPECT_GT(lumaRange(*bgd, 400, 70, 795, 470).first, 0.55f);
    // menu: the black version line at the bottom left
    auto menu = pic("menu.png");
    ASSERT_NE(menu, nullptr);
    EXPECT_GT(lumaRange(*menu, 5, 462, 100, 476).first, 0.6f);
    // intermission: the result lines and the top-score notice
    auto paper = pic("intermission.jpg");
    ASSERT_NE(paper, nullptr);
    EXPECT_GT(lumaRange(*paper, 100, 120, 420, 194).first, 0.75f);
    EXPECT_GT(lumaRange(*paper, 240, 298, 560, 316).first, 0.75f);
    // the paper sheet under the grid's detail panel and the credits
    auto sheet = pic("paper.png");
    ASSERT_NE(sheet, nullptr);
    EXPECT_GT(lumaRange(*sheet, 30, 20, 370, 370).first, 0.75f);
    // score board: the table between x 201 and 601
    auto score = pic("screens/score_board/bgd.png");
    ASSERT_NE(score, nullptr);
    EXPECT_GT(lumaRange(*score, 201, 70, 601, 440).first, 0.75f);
    // phase lamps: black digits at (+17, +10)
    for (const char* lamp : {"screens/story_break/phase_on.png", "screens/story_break/phase_off.png"}) {
        auto l = pic(lamp);
        ASSERT_NE(l, nullptr);
        EXPECT_GT(lumaRange(*l, 17, 10, 31, 22).first, 0.55f) << lamp;
    }
    // banners carry white titles
    auto banner = pic("screens/help/banner.png");
    ASSERT_NE(banner, nullptr);
    EXPECT_LT(luma(banner->readPixel(600, 20)), 0.4f);
}

TEST(AssetLayout, ThumbnailsAndIconsShowTheAirportOfTheirRecord) {
    auto names = airportPictureNames();
    ASSERT_GE(names.size(), 3u);
    std::vector<std::vector<float>> airports;
    for (int i = 0; i < 3; ++i) {
        auto a = pic("airport/" + names[size_t(i)]);
        ASSERT_NE(a, nullptr);
        airports.push_back(signature(*a));
    }
    const char* icons[] = {"farmville", "seaside", "arctic"};
    for (int i = 0; i < 3; ++i) {
        for (const std::string& rel : {"screens/airport_select/airport_" + std::to_string(i + 1) + ".png",
                                       "screens/score_board/" + std::string(icons[i]) + ".png"}) {
            auto t = pic(rel);
            ASSERT_NE(t, nullptr) << rel;
            auto sig = signature(*t);
            for (int j = 0; j < 3; ++j) {
                if (j == i) continue;
                EXPECT_LT(distance(sig, airports[size_t(i)]), distance(sig, airports[size_t(j)])) << rel;
            }
        }
    }
}

TEST(AssetLayout, IntermissionPhotoIsOfNoAirportInTheGame) {
    // The paper follows a game on any airport, so its photo (300 x 160 at (460, 118)) must
    // not be a view of one of them: its grey cells against every window of each airport
    // picture, at a few scales, by normalised correlation.
    struct Luma {  // summed-area table
        int stride;
        std::vector<double> t;
        explicit Luma(const plat::PixelBuffer& b) : stride(b.width + 1), t(size_t(stride * (b.height + 1)), 0.0) {
            for (int y = 0; y < b.height; ++y)
                for (int x = 0; x < b.width; ++x)
                    at(x + 1, y + 1) = luma(b.readPixel(x, y)) + at(x + 1, y) + at(x, y + 1) - at(x, y);
        }
        double& at(int x, int y) { return t[size_t(y * stride + x)]; }
        // 30 x 16 cells over (x, y, w, h), less their mean, scaled to length 1.
        std::vector<double> cells(double x, double y, double w, double h) {
            std::vector<double> v;
            double mean = 0, norm = 0;
            for (int j = 0; j < 16; ++j)
                for (int i = 0; i < 30; ++i) {
                    int x0 = int(x + w * i / 30), x1 = int(x + w * (i + 1) / 30);
                    int y0 = int(y + h * j / 16), y1 = int(y + h * (j + 1) / 16);
                    v.push_back(at(x1, y1) - at(x1, y0) - at(x0, y1) + at(x0, y0));
                    mean += v.back() / 480.0;
                }
            for (double& c : v) norm += (c - mean) * (c - mean);
            for (double& c : v) c = (c - mean) / std::sqrt(std::max(norm, 1e-12));
            return v;
        }
    };
    auto paper = pic("intermission.jpg");
    ASSERT_NE(paper, nullptr);
    const auto photo = Luma(*paper).cells(460, 118, 300, 160);
    for (const std::string& name : airportPictureNames()) {
        auto a = pic("airport/" + name);
        ASSERT_NE(a, nullptr) << name;
        Luma view(*a);
        double best = -1;
        for (double s : {1.0, 1.4, 2.0})
            for (int y = 0; y + 160 * s <= a->height; y += 3)
                for (int x = 0; x + 300 * s <= a->width; x += 3) {
                    const auto v = view.cells(x, y, 300 * s, 160 * s);
                    double r = 0;
                    for (size_t k = 0; k < v.size(); ++k) r += v[k] * photo[k];
                    best = std::max(best, r);
                }
        EXPECT_LT(best, 0.8) << name;  // a crop of one scores about 1
    }
}

TEST(AssetLayout, StormPictureIsTheStoryAirportDarkened) {
    auto names = airportPictureNames();
    ASSERT_EQ(names.size(), 4u);
    auto day = pic("airport/" + names[3]);
    auto storm = pic("airport/forgotton_port_2.png");
    ASSERT_NE(day, nullptr);
    ASSERT_NE(storm, nullptr);
    double sumDay = 0, sumStorm = 0;
    for (int y = 0; y < 480; y += 4)
        for (int x = 0; x < 800; x += 4) {
            sumDay += luma(day->readPixel(x, y));
            sumStorm += luma(storm->readPixel(x, y));
        }
    EXPECT_LT(sumStorm, sumDay * 0.7);
    // the same layout: both pictures are closest to each other among the airports
    auto a = signature(*day), b = signature(*storm);
    for (auto& v : a) v *= 0.5f;   // compare shapes, not brightness
    float own = 0;
    {
        float ma = 0, mb = 0;
        for (size_t i = 0; i < a.size(); ++i) { ma += a[i]; mb += b[i]; }
        for (size_t i = 0; i < a.size(); ++i) own += std::abs(a[i] / ma - b[i] / mb);
    }
    EXPECT_LT(own, 0.5f);
}

TEST(AssetLayout, TerminalFacilitiesFitAtTheirPlaces) {
    auto hall = pic("airport/terminal.png");
    ASSERT_NE(hall, nullptr);
    EXPECT_EQ(hall->width, 800);
    EXPECT_EQ(hall->height, 480);
    const struct { const char* name; int x, y; } rooms[] = {
        {"restroom", 281, 259}, {"seating", 50, 100},   {"baggage", 397, 49},
        {"fastfood", 429, 349}, {"phones", 630, 142},   {"giftshop", 342, 142},
        {"arcade", 523, 141},   {"resturant", 58, 281}, {"car_rental", 542, 275},
    };
    struct Box { int x0, y0, x1, y1; };
    std::vector<Box> boxes;
    for (const auto& r : rooms) {
        auto p = pic(std::string("airport/") + r.name + ".png");
        ASSERT_NE(p, nullptr) << r.name;
        EXPECT_LE(r.x + p->width, 800) << r.name;
        EXPECT_LE(r.y + p->height, 480) << r.name;
        boxes.push_back({r.x, r.y, r.x + p->width, r.y + p->height});
    }
    // no facility covers another
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            bool apart = boxes[i].x1 <= boxes[j].x0 || boxes[j].x1 <= boxes[i].x0 || boxes[i].y1 <= boxes[j].y0 ||
                         boxes[j].y1 <= boxes[i].y0;
            EXPECT_TRUE(apart) << rooms[i].name << " overlaps " << rooms[j].name;
        }
}
