// Flags (48 x 32, simple geometry with a soft wave), airport thumbnails and score-board
// icons.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "gen.h"

namespace ag {

namespace {

constexpr int FW = 48, FH = 32;

Img stripes(const std::vector<uint32_t>& cols, bool vertical) {
    Img f(FW, FH);
    float n = float(cols.size());
    for (size_t i = 0; i < cols.size(); ++i) {
        if (vertical) f.fill(rect(FW * i / n, 0, FW / n + 0.01f, FH), hex(cols[i]));
        else f.fill(rect(0, FH * i / n, FW, FH / n + 0.01f), hex(cols[i]));
    }
    return f;
}

Img flagDesign(const std::string& id) {
    if (id == "russia") return stripes({0xffffff, 0x1c57a5, 0xd52b1e}, false);
    if (id == "germany") return stripes({0x1a1a1a, 0xdd0000, 0xffce00}, false);
    if (id == "france") return stripes({0x0f3f9a, 0xffffff, 0xe1242c}, true);
    if (id == "italy") return stripes({0x119247, 0xffffff, 0xce2b37}, true);
    if (id == "china") {
        Img f(FW, FH, hex(0xde2910));
        f.fill(star(8, 8, 4.8f, 1.9f, 5), hex(0xffde00));
        const V2 small[] = {{16, 3.2f}, {19, 6.2f}, {19, 10.4f}, {16, 13.2f}};
        for (auto p : small) f.fill(star(p.x, p.y, 1.6f, 0.65f, 5, std::atan2(8 - p.y, 8 - p.x) * 180 / PI), hex(0xffde00));
        return f;
    }
    if (id == "brazil") {
        Img f(FW, FH, hex(0x009b3a));
        f.fill(poly({{24, 3.5f}, {44, 16}, {24, 28.5f}, {4, 16}}), hex(0xfedf00));
        f.fill(circle(24, 16, 7.2f), hex(0x002776));
        Mask band(FW, FH);
        band.addStroke(smooth({{16.9f, 15}, {24, 13.6f}, {31.1f, 17.5f}}, 8), 1.3f);
        Mask disc(FW, FH);
        disc.add(circle(24, 16, 7.2f));
        for (size_t i = 0; i < band.a.size(); ++i) band.a[i] *= disc.a[i];
        f.paint(band, hex(0xffffff));
        Rng r(3);
        for (int i = 0; i < 9; ++i) f.fill(circle(r.f(19, 29), r.f(16, 21), 0.45f), hex(0xffffff));
        return f;
    }
    if (id == "venezuela") {
        Img f = stripes({0xffcc00, 0x00247d, 0xcf142b}, false);
        for (int i = 0; i < 8; ++i) {
            float a = (200 + i * (140.0f / 7)) * PI / 180;
            f.fill(star(24 + std::cos(a) * 7.5f, 18.5f + std::sin(a) * 7.5f, 1.4f, 0.55f, 5), hex(0xffffff));
        }
        return f;
    }
    if (id == "usa") {
        Img f(FW, FH, hex(0xffffff));
        for (int i = 0; i < 13; i += 2) f.fill(rect(0, FH * i / 13.0f, FW, FH / 13.0f), hex(0xb22234));
        f.fill(rect(0, 0, FW * 0.4f, FH * 7 / 13.0f), hex(0x3c3b6e));
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < (row % 2 ? 5 : 6); ++col)
                f.fill(circle(1.8f + col * 3.1f + (row % 2) * 1.55f, 1.9f + row * 3.3f, 0.55f), hex(0xffffff));
        return f;
    }
    if (id == "england") {
        Img f(FW, FH, hex(0xffffff));
        f.fill(rect(0, 12.8f, FW, 6.4f), hex(0xce1124));
        f.fill(rect(20.8f, 0, 6.4f, FH), hex(0xce1124));
        return f;
    }
    if (id == "japan") {
        Img f(FW, FH, hex(0xffffff));
        f.fill(circle(24, 16, 9.6f), hex(0xbc002d));
        return f;
    }
    // Any other nation: a two-colour design derived from its id, so nothing is missing.
    uint32_t h = 2166136261u;
    for (char c : id) h = (h ^ uint8_t(c)) * 16777619u;
    const uint32_t pal[] = {0x1c57a5, 0xd52b1e, 0x119247, 0xffce00, 0xffffff, 0x1a1a1a};
    return stripes({pal[h % 6], pal[(h / 6) % 6 == h % 6 ? (h + 1) % 6 : (h / 6) % 6]}, (h >> 9) & 1);
}

// Cloth shading: a gentle wave of light across the flag, a thin frame.
Img finishFlag(const Img& flat) {
    Img f(FW, FH);
    for (int y = 0; y < FH; ++y)
        for (int x = 0; x < FW; ++x) {
            float wave = std::sin(x * 0.18f + y * 0.05f);
            Col c = flat.get(x, y);
            f.set(x, y, shade(c, wave > 0 ? 1.0f + 0.1f * wave : 1.0f + 0.13f * wave));
        }
    Mask m(FW, FH);
    m.addStroke({{0.5f, 0.5f}, {FW - 0.5f, 0.5f}, {FW - 0.5f, FH - 0.5f}, {0.5f, FH - 0.5f}}, 1.0f, 1.0f, true);
    f.paint(m, Col{0, 0, 0, 0.35f});
    return f;
}

Img thumbnail(const Img& src, int w, int h, float corner) {
    Img small = src.resized(w, h);
    Img out(w, h);
    Mask m(w, h);
    m.add(roundRect(0, 0, float(w), float(h), corner));
    out.paint(m, [&](float x, float y) { return small.get(int(x), int(y)); });
    // a soft inner vignette and a thin frame
    Mask edge(w, h);
    edge.addStroke(roundRect(0.5f, 0.5f, w - 1.0f, h - 1.0f, corner)[0], 1.0f, 1.0f, true);
    out.paint(edge, Col{0, 0, 0, 0.5f});
    return out;
}

Img scoreIcon(const std::function<void(Img&)>& art, Col sky0, Col sky1) {
    Img img(76, 46);
    img.fill(roundRect(0.5f, 0.5f, 75, 45, 6), linear({0, 0}, sky0, {0, 46}, sky1));
    art(img);
    Mask edge(76, 46);
    edge.addStroke(roundRect(0.5f, 0.5f, 75, 45, 6)[0], 1.0f, 1.0f, true);
    img.paint(edge, Col{0, 0, 0, 0.45f});
    return img;
}

}  // namespace

void genFlags(const std::vector<std::string>& ids) {
    for (const auto& id : ids) saveImage("flags/" + id + ".png", finishFlag(flagDesign(id)));
}

void genIcons() {
    for (const AirportArt& art : airportArt()) {
        if (art.selectThumb.empty() && art.scoreIcon.empty()) continue;
        Img pic = airportPicture(art.picture);
        if (!art.selectThumb.empty())
            saveImage("screens/airport_select/" + art.selectThumb, thumbnail(pic, 244, 146, 3));
        if (!art.scoreIcon.empty()) saveImage("screens/score_board/" + art.scoreIcon, thumbnail(pic, 76, 46, 6));
    }
    // scenario icons
    saveImage("screens/score_board/calmday.png", scoreIcon([](Img& img) {
        img.fill(circle(52, 17, 12), Col{1, 0.9f, 0.5f, 0.35f});
        img.fill(circle(52, 17, 8), radial({50, 15}, 10, hex(0xfff6b0), hex(0xffc43a)));
        img.fill(ellipse(22, 30, 14, 6), Col{1, 1, 1, 0.9f});
        img.fill(ellipse(30, 27, 9, 6), Col{1, 1, 1, 0.95f});
        Img p = aircraftSprite("mooney");
        img.draw(p, 8, 4);
    }, hex(0x7cc0ee), hex(0xcfe8f7)));
    saveImage("screens/score_board/un.png", scoreIcon([](Img& img) {
        img.fill(circle(38, 23, 17), hex(0x3f7fc4));
        img.stroke(smooth({{21, 23}, {38, 6}, {55, 23}, {38, 40}}, 10, true), 1.0f, Col{1, 1, 1, 0.7f}, true);
        img.stroke({{21, 23}, {55, 23}}, 1.0f, Col{1, 1, 1, 0.7f});
        img.stroke(smooth({{38, 6}, {31, 23}, {38, 40}}, 8), 1.0f, Col{1, 1, 1, 0.7f});
        img.stroke(smooth({{38, 6}, {45, 23}, {38, 40}}, 8), 1.0f, Col{1, 1, 1, 0.7f});
        // laurel
        for (float s : {-1.0f, 1.0f})
            for (int k = 0; k < 5; ++k) {
                float a = (90 + s * (40 + k * 24)) * PI / 180;
                img.fill(ellipse(38 + std::cos(a) * 20, 24 + std::sin(a) * 19, 2.4f, 1.2f), hex(0xf2d37a));
            }
    }, hex(0xdfe9f3), hex(0xb9cde0)));
    saveImage("screens/score_board/birdstrike.png", scoreIcon([](Img& img) {
        img.draw(gooseFrame(1, 0.75f), 16, -1);
    }, hex(0xf2c27a), hex(0xf7e2b7)));
    saveImage("screens/score_board/medical.png", scoreIcon([](Img& img) {
        img.fill(circle(38, 23, 16), hex(0xffffff));
        img.fill(rect(33, 12, 10, 22), hex(0xd7262e));
        img.fill(rect(27, 18, 22, 10), hex(0xd7262e));
    }, hex(0xf5b3b3), hex(0xfbe3e3)));
}

}  // namespace ag
