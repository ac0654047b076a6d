// The generated asset tree beside the executable: every file the game loads exists, decodes
// and has the size, frame count and form the code depends on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/audio.h"
#include "platform/files.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/text.h"

namespace fs = std::filesystem;
#include "assets/asset_tree.h"

namespace {

using asset_tree::ROOT;
using asset_tree::readAll;
using asset_tree::splitOn;

struct Pic {
    const char* path;  // under images/ at run time, original/ in the tree
    int w, h;          // exact size, or 0 when free
    int maxW, maxH;    // upper bounds where the size is free
};

// Sizes the code depends on: handles at half the picture, strips, hit boxes, layouts.
const Pic kPictures[] = {
    {"aircraft/md-11.png", 70, 48, 0, 0},
    {"aircraft/tu-154.png", 70, 48, 0, 0},
    {"aircraft/mooney.png", 38, 32, 0, 0},
    {"aircraft/a380.png", 74, 62, 0, 0},
    {"aircraft/c130.png", 48, 46, 0, 0},
    {"aircraft/uav.png", 38, 32, 0, 0},
    {"aircraft/birds.png", 512, 64, 0, 0},
    {"explosion.png", 1250, 50, 0, 0},
    {"smoke.png", 0, 0, 64, 64},
    {"merge.png", 0, 0, 32, 32},
    {"death.png", 0, 0, 32, 32},
    {"environment/cloud1.png", 0, 0, 236, 240},
    {"environment/cloud2.png", 0, 0, 230, 240},
    {"environment/cloud3.png", 0, 0, 230, 240},
    {"environment/cloud4.png", 0, 0, 230, 240},
    {"btn_play.png", 0, 0, 80, 80},
    {"btn_cancel.png", 0, 0, 80, 80},
    {"btn_back.png", 0, 0, 80, 60},
    {"btn_right.png", 0, 0, 80, 80},
    {"btn_left.png", 0, 0, 80, 80},
    {"btn_menu.png", 0, 0, 80, 80},
    {"screens/score_board/btn_reset.png", 0, 0, 165, 60},
    {"screens/story_break/phase_on.png", 0, 0, 55, 60},
    {"screens/story_break/phase_off.png", 0, 0, 55, 60},
    {"logo.png", 800, 480, 0, 0},
    {"menu.png", 800, 480, 0, 0},
    {"menu/continue.png", 260, 44, 0, 0},
    {"menu/new_game.png", 260, 44, 0, 0},
    {"menu/top_scores.png", 260, 44, 0, 0},
    {"menu/help.png", 260, 44, 0, 0},
    {"menu/credits.png", 260, 44, 0, 0},
    {"intermission.jpg", 800, 480, 0, 0},
    {"screens/workload/bgd.jpg", 800, 480, 0, 0},
    {"screens/workload/bgdButtons.png", 800, 480, 0, 0},
    {"paper.png", 390, 400, 0, 0},
    {"screens/airport_select/banner.png", 0, 0, 800, 60},
    {"screens/airport_select/airport_1.png", 244, 146, 0, 0},
    {"screens/airport_select/airport_2.png", 244, 146, 0, 0},
    {"screens/airport_select/airport_3.png", 244, 146, 0, 0},
    {"screens/score_board/bgd.png", 800, 480, 0, 0},
    {"screens/score_board/banner.png", 0, 0, 800, 56},
    {"screens/score_board/farmville.png", 0, 0, 78, 47},
    {"screens/score_board/seaside.png", 0, 0, 78, 47},
    {"screens/score_board/arctic.png", 0, 0, 78, 47},
    {"screens/score_board/calmday.png", 0, 0, 78, 47},
    {"screens/score_board/un.png", 0, 0, 78, 47},
    {"screens/score_board/birdstrike.png", 0, 0, 78, 47},
    {"screens/score_board/medical.png", 0, 0, 78, 47},
    {"screens/help/banner.png", 0, 0, 800, 60},
    {"screens/help/aircrafts.png", 0, 0, 370, 370},
    {"screens/credits/banner.png", 0, 0, 800, 60},
    {"airport/forgotton_port_2.png", 800, 480, 0, 0},
    {"stories/forgotten_port/Oleg_Varnik.png", 0, 0, 275, 350},
    {"stories/forgotten_port/Mei_Tarsa.png", 0, 0, 275, 350},
    {"stories/forgotten_port/Dana_Colter.png", 0, 0, 275, 350},
    {"stories/forgotten_port/Rick_Halden.png", 0, 0, 275, 350},
};

plat::PixelBufferPtr picture(const std::string& rel) { return plat::loadPixels(ROOT + "/original/" + rel); }

float luma(uint32_t argb) {
    return (0.30f * ((argb >> 16) & 255) + 0.59f * ((argb >> 8) & 255) + 0.11f * (argb & 255)) / 255.0f;
}
int alphaOf(uint32_t argb) { return int(argb >> 24); }

struct AirportLine {
    std::vector<std::string> f;
};

std::vector<AirportLine> airportLines() {
    std::vector<AirportLine> out;
    for (auto& l : splitOn(readAll(ROOT + "/airports.txt"), '\n')) out.push_back({splitOn(l, '/')});
    return out;
}

// The game's runway geometry: heading truncated, u = (sin h, -cos h) toward the threshold end.
struct Rwy {
    double px, py, ux, uy, vx, vy, len;
    void at(double along, double across, double& x, double& y) const {
        x = px + ux * along + vx * across;
        y = py + uy * along + vy * across;
    }
    // The 30-wide outline from `from` to `to` along the runway.
    std::vector<std::pair<double, double>> corners(double from, double to) const {
        std::vector<std::pair<double, double>> c(4);
        at(from, -15, c[0].first, c[0].second);
        at(to, -15, c[1].first, c[1].second);
        at(to, 15, c[2].first, c[2].second);
        at(from, 15, c[3].first, c[3].second);
        return c;
    }
};
// Two convex quadrilaterals are apart when some edge of either separates them.
bool apart(const std::vector<std::pair<double, double>>& p, const std::vector<std::pair<double, double>>& q) {
    for (const auto* poly : {&p, &q})
        for (size_t i = 0; i < poly->size(); ++i) {
            auto [x1, y1] = (*poly)[i];
            auto [x2, y2] = (*poly)[(i + 1) % poly->size()];
            double nx = y2 - y1, ny = x1 - x2;
            double pmin = 1e18, pmax = -1e18, qmin = 1e18, qmax = -1e18;
            for (auto [x, y] : p) { pmin = std::min(pmin, nx * x + ny * y); pmax = std::max(pmax, nx * x + ny * y); }
            for (auto [x, y] : q) { qmin = std::min(qmin, nx * x + ny * y); qmax = std::max(qmax, nx * x + ny * y); }
            if (pmax < qmin || qmax < pmin) return true;
        }
    return false;
}

Rwy runway(const std::string& x, const std::string& y, const std::string& h, double len) {
    double hr = int(std::atof(h.c_str())) * M_PI / 180.0;
    return {double(plat::toInt(x)), double(plat::toInt(y)), std::sin(hr), -std::cos(hr), std::cos(hr), std::sin(hr), len};
}

// Samples of a decoded sound, mixed to mono.
std::vector<float> mono(const plat::Sound& s) {
    std::vector<float> m(s.frames());
    for (size_t i = 0; i < m.size(); ++i) {
        float acc = 0;
        for (int c = 0; c < s.channels; ++c) acc += s.samples[i * size_t(s.channels) + size_t(c)];
        m[i] = acc / s.channels / 32768.0f;
    }
    return m;
}

// A loop is seamless when the step from its last sample back to its first is no bigger than
// the steps inside it.
// A texture cross-faded into itself (wind, ambience) also keeps its loudness across the seam;
// music may start louder than it ends.
void expectSeamless(const std::string& rel, bool texture) {
    auto s = plat::loadSound(ROOT + "/audio/" + rel, true);
    ASSERT_NE(s, nullptr) << rel;
    for (int c = 0; c < s->channels; ++c) {
        std::vector<float> steps;
        size_t n = s->frames();
        ASSERT_GT(n, 1000u) << rel;
        auto at = [&](size_t i) { return s->samples[i * size_t(s->channels) + size_t(c)] / 32768.0f; };
        for (size_t i = 1; i < n; ++i) steps.push_back(std::abs(at(i) - at(i - 1)));
        std::sort(steps.begin(), steps.end());
        float p999 = steps[size_t(steps.size() * 0.999)];
        float seam = std::abs(at(0) - at(n - 1));
        EXPECT_LE(seam, std::max(p999 * 1.5f, 0.01f)) << rel << " channel " << c;
        // a loop plays on and on under the game: it must not be a blast
        double e = 0;
        for (size_t i = 0; i < n; ++i) e += double(at(i)) * at(i);
        EXPECT_LT(std::sqrt(e / double(n)), 0.3) << rel << " is too loud to loop";
        if (!texture) continue;
        double e0 = 0, e1 = 0;
        size_t k = std::min<size_t>(2205, n / 4);
        for (size_t i = 0; i < k; ++i) { e0 += at(i) * at(i); e1 += at(n - 1 - i) * at(n - 1 - i); }
        double r0 = std::sqrt(e0 / k), r1 = std::sqrt(e1 / k);
        EXPECT_LT(std::abs(r0 - r1), 0.6 * std::max(r0, r1) + 0.02) << rel << " level at the seam";
    }
}

}  // namespace

TEST(AssetTree, PicturesDecodeToTheSizesTheCodeDependsOn) {
    for (const auto& p : kPictures) {
        auto buf = picture(p.path);
        ASSERT_NE(buf, nullptr) << p.path << " missing or undecodable";
        if (p.w) {
            EXPECT_EQ(buf->width, p.w) << p.path;
            EXPECT_EQ(buf->height, p.h) << p.path;
        }
        if (!p.w) {
            EXPECT_GT(buf->width, 4) << p.path;
            EXPECT_LE(buf->width, p.maxW) << p.path;
            EXPECT_GT(buf->height, 4) << p.path;
            EXPECT_LE(buf->height, p.maxH) << p.path;
        }
    }
    // the three menu buttons above each other fit in the column at x 520..800, 50 apart
    auto b = picture("menu/continue.png");
    ASSERT_NE(b, nullptr);
    EXPECT_LE(520 + b->width, 800);
    EXPECT_LE(b->height, 50);
}

TEST(AssetTree, StripsHaveTheirFrameCounts) {
    auto geese = plat::Image::load(ROOT + "/original/aircraft/birds.png", 64, 64, 0, 8);
    ASSERT_NE(geese, nullptr);
    EXPECT_EQ(geese->frameCount(), 8);
    auto boom = plat::Image::load(ROOT + "/original/explosion.png", 50, 50, 0, 25);
    ASSERT_NE(boom, nullptr);
    EXPECT_EQ(boom->frameCount(), 25);
    // every frame holds a picture, and the explosion's last frame has faded out the most
    auto strip = picture("explosion.png");
    ASSERT_NE(strip, nullptr);
    auto coverage = [&](const plat::PixelBuffer& b, int x0, int w) {
        double a = 0;
        for (int y = 0; y < b.height; ++y)
            for (int x = x0; x < x0 + w; ++x) a += alphaOf(b.readPixel(x, y));
        return a;
    };
    std::vector<double> cov;
    for (int k = 0; k < 25; ++k) cov.push_back(coverage(*strip, k * 50, 50));
    for (int k = 0; k < 24; ++k) EXPECT_GT(cov[size_t(k)], 0) << "explosion frame " << k;
    EXPECT_LT(cov[24], cov[10]);
    auto g = picture("aircraft/birds.png");
    ASSERT_NE(g, nullptr);
    for (int k = 0; k < 8; ++k) EXPECT_GT(coverage(*g, k * 64, 64), 1000) << "goose frame " << k;
    // the wings move: neighbouring frames differ
    int diff = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) diff += g->readPixel(x, y) != g->readPixel(x + 64, y);
    EXPECT_GT(diff, 30);
}

TEST(AssetTree, SpritesAreTransparentAroundTheSubject) {
    for (const char* p : {"aircraft/md-11.png", "aircraft/tu-154.png", "aircraft/mooney.png", "aircraft/a380.png",
                          "aircraft/c130.png", "aircraft/uav.png", "smoke.png", "merge.png", "environment/cloud1.png",
                          "environment/cloud2.png", "btn_play.png", "paper.png"}) {
        auto b = picture(p);
        ASSERT_NE(b, nullptr) << p;
        EXPECT_EQ(b->format, plat::PF_RGBA) << p;
        EXPECT_LT(alphaOf(b->readPixel(0, 0)), 8) << p;
        EXPECT_LT(alphaOf(b->readPixel(b->width - 1, b->height - 1)), 8) << p;
        EXPECT_GT(alphaOf(b->readPixel(b->width / 2, b->height / 2)), 100) << p;
    }
    // light liveries so the red and blue tints read: the fuselage centre is bright
    const struct { const char* p; int x, y; } bodies[] = {
        {"aircraft/md-11.png", 52, 21}, {"aircraft/tu-154.png", 52, 22}, {"aircraft/mooney.png", 29, 14},
        {"aircraft/c130.png", 36, 21}, {"aircraft/a380.png", 40, 27}};
    for (const auto& s : bodies) {
        auto b = picture(s.p);
        ASSERT_NE(b, nullptr);
        EXPECT_GT(luma(b->readPixel(s.x, s.y)), 0.7f) << s.p;
    }
    // the storm cloud is dark where the strike circle lies, the fair-weather clouds light
    auto storm = picture("environment/cloud1.png");
    ASSERT_NE(storm, nullptr);
    EXPECT_GT(alphaOf(storm->readPixel(118, 93)), 100);
    EXPECT_LT(luma(storm->readPixel(118, 93)), 0.45f);
    auto fair = picture("environment/cloud2.png");
    ASSERT_NE(fair, nullptr);
    EXPECT_GT(luma(fair->readPixel(fair->width / 2, fair->height / 2)), 0.7f);
    // clouds are drawn over the aircraft, which must still show through them
    for (const char* c : {"environment/cloud1.png", "environment/cloud2.png", "environment/cloud3.png",
                          "environment/cloud4.png"}) {
        auto b = picture(c);
        ASSERT_NE(b, nullptr);
        int most = 0;
        for (int y = 0; y < b->height; ++y)
            for (int x = 0; x < b->width; ++x) most = std::max(most, alphaOf(b->readPixel(x, y)));
        EXPECT_LE(most, 200) << c << " hides what flies under it";
    }
}

TEST(AssetTree, OriginalHoldsOnlyLoadableImages) {
    // The game decodes every entry of original/ when it builds its image cache.
    int count = 0;
    for (auto& e : fs::recursive_directory_iterator(ROOT + "/original")) {
        if (!e.is_regular_file()) continue;
        ++count;
        auto ext = e.path().extension().string();
        EXPECT_TRUE(ext == ".png" || ext == ".jpg") << e.path();
        EXPECT_NE(plat::loadPixels(e.path().string()), nullptr) << e.path();
    }
    EXPECT_GE(count, 66);
}

TEST(AssetTree, AirportRecordsAndTheirPictures) {
    auto lines = airportLines();
    ASSERT_EQ(lines.size(), 4u) << "exactly four lines, no trailing line feed";
    const char* stems[] = {"farmville", "seaside", "arctic_circle"};
    for (size_t i = 0; i < 4; ++i) {
        const auto& f = lines[i].f;
        ASSERT_EQ(f.size(), 16u) << "line " << i;
        if (i < 3) {
            EXPECT_EQ(f[1].substr(0, f[1].find('.')), stems[i]);
        }
        EXPECT_LE(f[0].size(), 20u) << "title fits above its button";
        auto pic = picture("airport/" + f[1]);
        ASSERT_NE(pic, nullptr) << f[1];
        EXPECT_EQ(pic->width, 800);
        EXPECT_EQ(pic->height, 480);
        EXPECT_EQ(plat::fileType(ROOT + "/audio/" + f[2]), plat::FILETYPE_FILE) << f[2];
        for (int k = 9; k <= 11; ++k) {
            int c = int(std::atof(f[size_t(k)].c_str()));
            EXPECT_GE(c, 0);
            EXPECT_LE(c, 255);
        }
        Rwy heavy = runway(f[3], f[4], f[5], 330), light = runway(f[6], f[7], f[8], 226);
        for (const Rwy* r : {&heavy, &light}) {
            // the strip, its threshold box and the approach beyond it lie on screen
            for (double along : {-r->len / 2, r->len / 2, r->len / 2 - 96})
                for (double across : {-15.0, 15.0}) {
                    double x, y;
                    r->at(along, across, x, y);
                    EXPECT_GE(x, 0) << "line " << i;
                    EXPECT_LE(x, 800) << "line " << i;
                    EXPECT_GE(y, 0) << "line " << i;
                    EXPECT_LE(y, 480) << "line " << i;
                }
            // the picture has asphalt where the record puts the runway
            int dark = 0, total = 0;
            for (double along = -r->len / 2 + 70; along <= r->len / 2 - 70; along += 10)
                for (double across : {-10.5, 10.5}) {
                    double x, y;
                    r->at(along, across, x, y);
                    ++total;
                    dark += luma(pic->readPixel(int(x), int(y))) < 0.45f;
                }
            EXPECT_GE(dark, total * 9 / 10) << f[1] << " runway not painted where the record puts it";
        }
        // the two strips do not touch, and neither threshold box reaches the other runway
        // (a point in both would always go to the runway listed first)
        EXPECT_TRUE(apart(heavy.corners(-165, 165), light.corners(-113, 113))) << "line " << i;
        EXPECT_TRUE(apart(heavy.corners(165 - 96, 165), light.corners(-113, 113))) << "line " << i;
        EXPECT_TRUE(apart(light.corners(113 - 96, 113), heavy.corners(-165, 165))) << "line " << i;
        // the flag position is on screen
        EXPECT_GE(plat::toInt(f[12]), 0);
        EXPECT_LE(plat::toInt(f[12]), 800);
        EXPECT_GE(plat::toInt(f[13]), 0);
        EXPECT_LE(plat::toInt(f[13]), 480);
    }
}

TEST(AssetTree, NationsHaveFlagsAndFanfares) {
    std::string text = readAll(ROOT + "/nations.txt");
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n') << "a trailing line feed would make a nation without an id";
    std::set<std::string> ids;
    for (auto& line : splitOn(text, '\n')) {
        auto f = splitOn(line, '|');
        ASSERT_EQ(f.size(), 5u) << line;
        for (auto& field : f) EXPECT_FALSE(field.empty()) << line;
        ids.insert(f[1]);
        auto flag = picture("flags/" + f[1] + ".png");
        ASSERT_NE(flag, nullptr) << f[1];
        EXPECT_NEAR(double(flag->width) / flag->height, 1.5, 0.01) << "flags resize to 30 x 20";
        auto anthem = plat::loadSound(ROOT + "/audio/athems/" + f[1] + ".ogg", true);
        ASSERT_NE(anthem, nullptr) << f[1];
        EXPECT_GT(anthem->frames(), size_t(44100 * 4)) << f[1];
    }
    for (const char* id : {"russia", "china", "brazil", "venezuela", "usa", "england"}) EXPECT_TRUE(ids.count(id)) << id;
    EXPECT_GE(ids.size(), 6u);
}

TEST(AssetTree, DataTextsKeepTheirFormats) {
    for (const char* f : {"airports.txt", "workload.txt", "nations.txt", "help.txt", "credits.txt",
                          "Stories/forgotten_port_speech.txt"}) {
        std::string t = readAll(ROOT + "/" + f);
        ASSERT_FALSE(t.empty()) << f;
        for (unsigned char c : t) {
            EXPECT_TRUE(c == '\n' || (c >= 32 && c < 127)) << f << " holds a byte " << int(c);
            if (!(c == '\n' || (c >= 32 && c < 127))) break;
        }
        EXPECT_NE(t.back(), '\n') << f;
    }
    // workload: the five scenarios in order, then the three inert cells
    auto lines = splitOn(readAll(ROOT + "/workload.txt"), '\n');
    ASSERT_EQ(lines.size(), 8u);
    const char* titles[] = {"Calm Day", "United Nations", "Bird Migration", "Medical Emergency", "Forgotten Port",
                            "Go Around", "Transit Flights", "Air Show"};
    for (size_t i = 0; i < 8; ++i) {
        auto f = splitOn(lines[i], '/');
        ASSERT_EQ(f.size(), 3u) << lines[i];
        EXPECT_EQ(f[0], titles[i]);
        EXPECT_EQ(f[1], "0");
        EXPECT_FALSE(f[2].empty());
    }
    // help and credits are one paragraph each; " | " breaks lines
    for (const char* f : {"help.txt", "credits.txt"}) {
        std::string t = readAll(ROOT + "/" + f);
        EXPECT_EQ(t.find('\n'), std::string::npos) << f;
        EXPECT_NE(t.find(" | "), std::string::npos) << f;
    }
    std::string help = readAll(ROOT + "/help.txt");
    for (const char* key : {"Esc", "P pause", "M "}) EXPECT_NE(help.find(key), std::string::npos) << key;
    // the story: nineteen speeches, one a line
    auto speech = splitOn(readAll(ROOT + "/Stories/forgotten_port_speech.txt"), '\n');
    EXPECT_EQ(speech.size(), 19u);
    for (auto& s : speech) EXPECT_GT(s.size(), 40u);
}

TEST(AssetTree, SoundsDecodeWithTheirLengths) {
    struct S { const char* file; double minSec, maxSec; };
    const S sounds[] = {
        {"flatline.wav", 1.0, 4.0},  {"heartbeat.wav", 0.05, 0.359}, {"geese.wav", 1.0, 10.0},
        {"reward.wav", 0.4, 3.0},    {"button.wav", 0.05, 0.6},     {"danger.wav", 0.3, 3.0},
        {"warning.wav", 0.3, 1.5},   {"touchdown.wav", 0.5, 3.0},   {"touchdown2.wav", 0.3, 2.0},
        {"explosion.ogg", 1.0, 5.0}, {"thunder.ogg", 2.0, 8.0},     {"wind.ogg", 3.0, 20.0},
    };
    for (const auto& s : sounds) {
        auto snd = plat::loadSound(ROOT + "/audio/" + s.file, false);
        ASSERT_NE(snd, nullptr) << s.file;
        double secs = double(snd->frames()) / snd->rate;
        EXPECT_GE(secs, s.minSec) << s.file;
        EXPECT_LE(secs, s.maxSec) << s.file;
        // audible, not clipped
        auto m = mono(*snd);
        float peak = 0;
        for (float v : m) peak = std::max(peak, std::abs(v));
        EXPECT_GT(peak, 0.2f) << s.file;
        EXPECT_LT(peak, 0.99f) << s.file;
    }
    // the WAV files are 16-bit PCM as the loader expects
    for (const char* f : {"button.wav", "heartbeat.wav"}) {
        std::string b = readAll(ROOT + "/audio/" + f);
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(b.substr(0, 4), "RIFF");
        EXPECT_EQ(b.substr(8, 4), "WAVE");
        EXPECT_EQ(uint8_t(b[34]), 16) << f;
    }
}

TEST(AssetTree, LoopsAreSeamless) {
    expectSeamless("danger.wav", true);
    expectSeamless("geese.wav", false);
    expectSeamless("wind.ogg", true);
    for (auto& l : airportLines()) expectSeamless(l.f[2], true);
    for (auto& line : splitOn(readAll(ROOT + "/nations.txt"), '\n'))
        expectSeamless("athems/" + splitOn(line, '|')[1] + ".ogg", false);
}

TEST(AssetTree, FontAndItsLicence) {
    std::string ttf = readAll(ROOT + "/fonts/ConsolaMono.ttf");
    EXPECT_EQ(ttf, readAll("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"));
    std::string lic = readAll(ROOT + "/fonts/ConsolaMono-LICENSE.txt");
    EXPECT_NE(lic.find("Bitstream"), std::string::npos);
    for (int px : {12, 16, 20, 50}) {
        auto f = plat::Font::load(ROOT + "/fonts/ConsolaMono.ttf", px);
        ASSERT_NE(f, nullptr) << px;
    }
    // the 72-character failure headlines fit the 800-pixel window in the 16-pixel font
    auto f16 = plat::Font::load(ROOT + "/fonts/ConsolaMono.ttf", 16);
    ASSERT_NE(f16, nullptr);
    EXPECT_LE(f16->textWidth(std::string(72, 'M')), 800);
    // the bitmap font strip: two 30 x 30 cells
    auto strip = plat::loadPixels(ROOT + "/fonts/font");
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->width, 60);
    EXPECT_EQ(strip->height, 30);
}

TEST(AssetGenerator, SameSourcesGiveTheSameTreeAndStaleCacheGoes) {
    const std::string gen = std::string(TARN_BIN_DIR) + "/../tools/assetgen/assetgen";
    ASSERT_TRUE(fs::exists(gen)) << gen;
    fs::path tmp = fs::path(TARN_TEST_OUT) / "assetgen_again";
    fs::remove_all(tmp);
    fs::create_directories(tmp / "out" / "images" / "aircraft");
    { std::ofstream(tmp / "out" / "images" / "aircraft" / "stale.png") << "old"; }
    { std::ofstream(tmp / "out" / "settings.txt") << "0"; }
    auto q = [](const std::string& s) { return "'" + s + "'"; };
    std::string cmd = q(gen) + " " + q(std::string(TARN_SOURCE_DIR) + "/assets") + " " + q((tmp / "out").string()) + " " +
                      q((tmp / "review").string()) + " > " + q((tmp / "log.txt").string());
    ASSERT_EQ(std::system(cmd.c_str()), 0) << readAll((tmp / "log.txt").string());
    EXPECT_FALSE(fs::exists(tmp / "out" / "images")) << "a stale image cache must go";
    EXPECT_EQ(readAll((tmp / "out" / "settings.txt").string()), "0") << "the player's progress stays";
    int compared = 0;
    for (auto& e : fs::recursive_directory_iterator(ROOT)) {
        if (!e.is_regular_file()) continue;
        auto rel = fs::relative(e.path(), ROOT);
        auto top = rel.begin()->string();
        if (top == "images" || rel == "settings.txt") continue;   // written by the game
        ASSERT_TRUE(fs::exists(tmp / "out" / rel)) << rel;
        EXPECT_TRUE(readAll(e.path().string()) == readAll((tmp / "out" / rel).string())) << rel << " differs";
        ++compared;
    }
    EXPECT_GT(compared, 90);
    EXPECT_TRUE(fs::exists(tmp / "review" / "contact_sheet.png"));
    fs::remove_all(tmp / "out");
}

TEST(AssetGenerator, MalformedAirportRecordStopsWithAClearMessage) {
    const std::string gen = std::string(TARN_BIN_DIR) + "/../tools/assetgen/assetgen";
    fs::path tmp = fs::path(TARN_TEST_OUT) / "assetgen_bad";
    fs::remove_all(tmp);
    fs::create_directories(tmp);
    fs::copy(std::string(TARN_SOURCE_DIR) + "/assets", tmp / "src", fs::copy_options::recursive);
    { std::ofstream(tmp / "src" / "airports.txt", std::ios::trunc) << "Meadowfield/farmville.png/x.ogg"; }
    auto q = [](const std::string& s) { return "'" + s + "'"; };
    std::string cmd = q(gen) + " " + q((tmp / "src").string()) + " " + q((tmp / "out").string()) + " " +
                      q((tmp / "review").string()) + " > " + q((tmp / "log.txt").string());
    EXPECT_NE(std::system(cmd.c_str()), 0);
    std::string log = readAll((tmp / "log.txt").string());
    EXPECT_NE(log.find("airports.txt"), std::string::npos) << log;
    EXPECT_NE(log.find("expected 4 lines"), std::string::npos) << log;
    fs::remove_all(tmp);
}

TEST(AssetGenerator, BadInputLeavesTheOldTreeAlone) {
    const std::string gen = std::string(TARN_BIN_DIR) + "/../tools/assetgen/assetgen";
    fs::path tmp = fs::path(TARN_TEST_OUT) / "assetgen_keep";
    fs::remove_all(tmp);
    fs::create_directories(tmp / "out" / "original");
    { std::ofstream(tmp / "out" / "original" / "keep.png") << "x"; }
    fs::create_directories(tmp / "src");
    { std::ofstream(tmp / "src" / "airports.txt") << "too/short"; }
    auto q = [](const std::string& s) { return "'" + s + "'"; };
    std::string cmd = q(gen) + " " + q((tmp / "src").string()) + " " + q((tmp / "out").string()) + " " +
                      q((tmp / "review").string()) + " > " + q((tmp / "log.txt").string());
    EXPECT_NE(std::system(cmd.c_str()), 0);
    EXPECT_TRUE(fs::exists(tmp / "out" / "original" / "keep.png"));
    fs::remove_all(tmp);
}

TEST(AssetGenerator, RunsOnlyWhenTheTreeOrItsInputsChanged) {
    // The build runs the generator every time; it must leave an intact tree alone and bring
    // back whatever is missing, stray or out of date.
    const std::string gen = std::string(TARN_BIN_DIR) + "/../tools/assetgen/assetgen";
    fs::path tmp = fs::path(TARN_TEST_OUT) / "assetgen_uptodate";
    fs::remove_all(tmp);
    fs::create_directories(tmp);
    fs::copy(std::string(TARN_SOURCE_DIR) + "/assets", tmp / "src", fs::copy_options::recursive);
    auto q = [](const std::string& s) { return "'" + s + "'"; };
    auto run = [&] {
        std::string cmd = q(gen) + " " + q((tmp / "src").string()) + " " + q((tmp / "out").string()) + " " +
                          q((tmp / "review").string()) + " > " + q((tmp / "log.txt").string());
        EXPECT_EQ(std::system(cmd.c_str()), 0) << readAll((tmp / "log.txt").string());
        return readAll((tmp / "log.txt").string());
    };
    const fs::path logo = tmp / "out" / "original" / "logo.png";
    EXPECT_NE(run().find("written"), std::string::npos);
    ASSERT_TRUE(fs::exists(logo));
    const auto written = fs::last_write_time(logo);

    // nothing changed: nothing is written
    EXPECT_NE(run().find("up to date"), std::string::npos);
    EXPECT_EQ(fs::last_write_time(logo), written);
    // the game's own image cache and progress file are no reason to regenerate
    fs::create_directories(tmp / "out" / "images");
    { std::ofstream(tmp / "out" / "images" / "logo.png") << "cache"; }
    { std::ofstream(tmp / "out" / "settings.txt") << "0"; }
    EXPECT_NE(run().find("up to date"), std::string::npos);

    // a file lost from the tree, another damaged, a stray one under original/
    fs::remove(logo);
    { std::ofstream(tmp / "out" / "audio" / "button.wav", std::ios::trunc) << "x"; }
    { std::ofstream(tmp / "out" / "original" / "stray.png") << "x"; }
    EXPECT_NE(run().find("written"), std::string::npos);
    EXPECT_TRUE(fs::exists(logo));
    EXPECT_EQ(readAll((tmp / "out" / "audio" / "button.wav").string()), readAll(ROOT + "/audio/button.wav"));
    EXPECT_FALSE(fs::exists(tmp / "out" / "original" / "stray.png"));
    EXPECT_FALSE(fs::exists(tmp / "out" / "images")) << "a cache built from the old tree must go";

    // a changed data text; one whose source is gone leaves the tree with it
    { std::ofstream(tmp / "src" / "help.txt", std::ios::trunc) << "HOW TO PLAY | Land them all."; }
    fs::rename(tmp / "src" / "Stories" / "forgotten_port_speech.txt", tmp / "src" / "Stories" / "old_speech.txt");
    EXPECT_NE(run().find("written"), std::string::npos);
    EXPECT_EQ(readAll((tmp / "out" / "help.txt").string()), "HOW TO PLAY | Land them all.");
    EXPECT_TRUE(fs::exists(tmp / "out" / "Stories" / "old_speech.txt"));
    EXPECT_FALSE(fs::exists(tmp / "out" / "Stories" / "forgotten_port_speech.txt"));
    EXPECT_EQ(readAll((tmp / "out" / "settings.txt").string()), "0") << "the player's progress stays";

    // a run that stopped half-way (no record of a complete run) never counts as done
    fs::remove(tmp / "review" / "assets.stamp");
    EXPECT_NE(run().find("written"), std::string::npos);
    EXPECT_TRUE(fs::exists(tmp / "review" / "assets.stamp"));
    fs::remove_all(tmp);
}
