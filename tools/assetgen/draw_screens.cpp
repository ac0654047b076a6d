// Full-screen pictures: splash logo, menu, intermission newspaper, the shared background of
// the grid, airport choice, help and credits, the scenario tiles, the paper sheet, the
// score-board background and the help page's aircraft chart.
#include <algorithm>
#include <cmath>

#include "gen.h"

namespace ag {

namespace {

constexpr int W = 800, H = 480;

float sstep(float a, float b, float x) {
    float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Side view of an airliner, nose toward +x, as a silhouette shape around (0, 0), length ~200.
Shape jetSide() {
    Shape s;
    s.push_back(smooth({{-100, -6}, {-70, -10}, {60, -10}, {88, -6}, {100, 2}, {92, 8}, {60, 10}, {-60, 10}, {-96, 2}}, 6, true));
    s.push_back({{-88, -8}, {-102, -44}, {-88, -44}, {-60, -8}});         // fin
    s.push_back({{-80, 2}, {-104, 8}, {-94, 10}, {-64, 6}});              // tail plane
    s.push_back({{-10, 4}, {-48, 20}, {-38, 22}, {20, 6}});               // wing
    s.push_back(smooth({{0, 12}, {22, 11}, {24, 17}, {0, 19}, {-4, 15}}, 4, true));  // engine
    return s;
}

// The newspaper's photo, 300 x 160 in colour (the page turns it grey): a control tower over
// the apron at dusk with an airliner climbing out, seen from the ground.
Img towerPhoto() {
    const int pw = 300, ph = 160;
    const float horizon = 118;
    Img img(pw, ph);
    img.fillAll([&](float x, float y) {
        if (y < horizon) {
            Col c = mix(hex(0x4a5a78), hex(0xd8c6a8), sstep(0, horizon, y));
            float n = fbm(x * 0.03f, y * 0.08f, 31, 3);
            return mix(c, hex(0xf0e4d0), std::max(0.0f, n - 0.55f) * 1.2f);
        }
        return mix(hex(0x5a5850), hex(0x2a2926), sstep(horizon, float(ph), y));
    });
    // the apron's edge with its lights, and a taxiway line toward the camera
    img.fill(poly({{0, horizon + 6}, {float(pw), horizon + 2}, {float(pw), horizon + 9}, {0, horizon + 14}}),
             hex(0x8a867c));
    img.stroke({{150, horizon + 14}, {120, float(ph)}}, 2.5f, hex(0xd8d0a0));
    for (int i = 0; i < 9; ++i) img.fill(circle(12 + i * 34.0f, horizon + 10 - i * 0.5f, 1.4f), hex(0xf8f0c0));
    // terminal roofline behind the tower
    const Col sil = hex(0x22222a);
    img.fill(rect(96, horizon - 14, 150, 14), sil);
    img.fill(rect(150, horizon - 22, 60, 8), sil);
    for (int i = 0; i < 12; ++i) img.fill(rect(100 + i * 12.0f, horizon - 9, 6, 3), hex(0xf0d890));
    // the tower: shaft, glazed cab, roof and mast
    img.fill(poly({{62, horizon}, {88, horizon}, {84, 62}, {66, 62}}), sil);
    img.fill(poly({{52, 62}, {98, 62}, {104, 40}, {46, 40}}), sil);
    img.fill(poly({{50, 58}, {100, 58}, {103, 44}, {47, 44}}), hex(0xe8d8a8));
    for (int i = 0; i < 6; ++i) img.fill(rect(52 + i * 9.0f, 44, 1.5f, 14), sil);
    img.fill(poly({{42, 40}, {108, 40}, {98, 34}, {52, 34}}), sil);
    img.fill(rect(74, 14, 2, 20), sil);
    img.fill(circle(75, 13, 2.5f), hex(0xff6a4a));
    // an airliner climbing out over the field
    const Xf jet = Xf::translate(225, 52) * Xf::rotate(-14) * Xf::scale(0.42f, 0.42f);
    img.fill(transform(jetSide(), jet), hex(0x1e1e26));
    return img;
}

Img logo() {
    Img img(W, H);
    img.fillAll([](float x, float y) {
        Col c = mix(hex(0x071426), hex(0x12344f), sstep(0, 480, y));
        float glow = std::exp(-std::pow(std::hypot(x - 400, y - 190) / 260.0f, 2.0f));
        return mix(c, hex(0x1e5a6e), glow * 0.5f);
    });
    Rng r(5);
    for (int i = 0; i < 160; ++i) {
        float x = r.f(0, W), y = r.f(0, 300), s = r.f(0.4f, 1.3f);
        img.fill(circle(x, y, s), Col{1, 1, 1, r.f(0.2f, 0.8f)});
    }
    // radar scope
    const V2 c{400, 180};
    img.fill(circle(c.x, c.y, 132), Col{0.0f, 0.1f, 0.08f, 0.85f});
    img.fill(circle(c.x, c.y, 128), radial(c, 128, hex(0x0c3a2c), hex(0x051a14)));
    for (int k = 1; k <= 4; ++k) {
        Mask m(W, H);
        m.addStroke(circle(c.x, c.y, k * 32.0f)[0], 1.0f, 1.0f, true);
        img.paint(m, hex(0x3fdc8a), 0.35f);
    }
    img.stroke({{c.x - 128, c.y}, {c.x + 128, c.y}}, 1, Col{0.25f, 0.86f, 0.54f, 0.3f});
    img.stroke({{c.x, c.y - 128}, {c.x, c.y + 128}}, 1, Col{0.25f, 0.86f, 0.54f, 0.3f});
    // the sweep with its fading trail
    img.fill(circle(c.x, c.y, 127), [&](float x, float y) {
        float a = std::atan2(y - c.y, x - c.x) * 180 / PI;   // -180..180
        float d = std::fmod(-35 - a + 720, 360.0f);           // degrees behind the beam
        float t = d < 90 ? std::pow(1 - d / 90, 2.0f) : 0.0f;
        return Col{0.3f, 1.0f, 0.6f, 0.55f * t};
    });
    img.stroke({c, {c.x + 127 * std::cos(-35 * PI / 180), c.y + 127 * std::sin(-35 * PI / 180)}}, 2, hex(0xb8ffd8));
    // blips
    const V2 blips[] = {{455, 140}, {350, 230}, {430, 250}, {330, 120}};
    for (auto b : blips) {
        img.fill(circle(b.x, b.y, 6), Col{0.5f, 1, 0.7f, 0.25f});
        img.fill(circle(b.x, b.y, 2.6f), hex(0xd8ffe8));
    }
    Mask ring(W, H);
    ring.addStroke(circle(c.x, c.y, 130)[0], 4, 1, true);
    img.paint(ring, linear({0, 50}, hex(0xd7e3ea), {0, 310}, hex(0x6b7c88)));
    // title
    Mask t(W, H);
    float tw = textWidth("TARNHOLT", FACE_SANS_BOLD, 84);
    textMask(t, "TARNHOLT", FACE_SANS_BOLD, 84, 400 - tw / 2, 400);
    img.shadow(t, 0, 5, 6, 0.7f);
    img.paint(t, linear({0, 335}, hex(0xfff3d0), {0, 400}, hex(0xe7b84a)));
    std::string sub = "A I R   T R A F F I C   C O N T R O L";
    drawText(img, sub, FACE_SANS_BOLD, 17, 400, 440, hex(0x9fd3e6), 0.5f, 0.5f);
    img.fill(rect(190, 418, 420, 2), Col{0.9f, 0.72f, 0.3f, 0.6f});
    return img;
}

Img menuBackground() {
    Img img(W, H);
    const float horizon = 340;
    img.fillAll([&](float x, float y) {
        if (y < horizon) {
            Col c = mix(hex(0x1b2f5c), hex(0x6a5a8a), sstep(0, horizon * 0.7f, y));
            c = mix(c, hex(0xf2a25a), sstep(horizon * 0.55f, horizon, y));
            float sun = std::exp(-std::pow(std::hypot(x - 300, y - horizon) / 170.0f, 2.0f));
            return mix(c, hex(0xffd89a), sun * 0.7f);
        }
        float d = (y - horizon) / (H - horizon);
        return mix(hex(0x2b2a35), hex(0x15151c), d);
    });
    // long evening clouds
    Rng r(9);
    for (int i = 0; i < 14; ++i) {
        float y = r.f(40, 290), x = r.f(-100, 800), w = r.f(120, 300);
        img.fill(ellipse(x, y, w, r.f(5, 12)), Col{1.0f, 0.75f, 0.6f, r.f(0.08f, 0.2f)});
    }
    // runway in perspective toward the sun
    const V2 vp{300, horizon};
    img.fill(poly({{vp.x - 3, horizon}, {vp.x + 3, horizon}, {620, 480}, {-20, 480}}), hex(0x23232a));
    for (int k = 0; k < 14; ++k) {
        float t = std::pow(k / 14.0f, 2.0f);
        float y = horizon + (H - horizon) * t;
        float half = 3 + (320 - 3) * t;
        float s = 0.6f + 3.0f * t;
        img.fill(circle(vp.x - half, y, s), hex(0xffe6a0));
        img.fill(circle(vp.x + half * 1.0f, y, s), hex(0xffe6a0));
        if (k % 2 == 0) img.fill(poly({{vp.x - s * 0.4f, y}, {vp.x + s * 0.4f, y}, {vp.x + s * 0.5f, y + s * 4}, {vp.x - s * 0.5f, y + s * 4}}), Col{1, 1, 1, 0.7f});
    }
    // control tower silhouette
    Col sil = hex(0x14141c);
    img.fill(rect(140, 190, 26, 150), sil);
    img.fill(poly({{122, 190}, {184, 190}, {192, 160}, {114, 160}}), sil);
    img.fill(poly({{118, 158}, {188, 158}, {180, 150}, {126, 150}}), sil);
    img.fill(rect(128, 164, 50, 20), Col{1.0f, 0.85f, 0.5f, 0.85f});
    for (int i = 0; i < 5; ++i) img.fill(rect(131 + i * 10.0f, 164, 1.5f, 20), sil);
    img.fill(rect(152, 132, 2, 18), sil);
    img.fill(circle(153, 131, 3), hex(0xff4a3a));
    // terminal roofline
    img.fill(rect(0, horizon - 18, 260, 18), sil);
    img.fill(rect(130, horizon - 30, 90, 12), sil);
    for (int i = 0; i < 20; ++i) img.fill(rect(8 + i * 12.0f, horizon - 12, 6, 4), Col{1.0f, 0.85f, 0.5f, 0.6f});
    // an airliner climbing out, and its contrail
    Mask trail(W, H);
    trail.addStroke(smooth({{-20, 300}, {120, 250}, {260, 200}}, 8), 6, 0.6f);
    trail.blur(3);
    img.paint(trail, Col{1, 0.9f, 0.8f, 1}, 0.4f);
    Shape jet = transform(jetSide(), Xf::translate(330, 170) * Xf::rotate(-18) * Xf::scale(0.8f, 0.8f));
    img.fill(jet, hex(0x1a1a24));
    img.fill(transform(circle(0, 0, 2.5f), Xf::translate(330, 170) * Xf::rotate(-18) * Xf::translate(-80, 8)), hex(0xff4a3a));
    // title, top left
    Mask t(W, H);
    textMask(t, "Tarnholt", FACE_SANS_BOLD, 64, 36, 92);
    img.shadow(t, 0, 4, 5, 0.6f);
    img.paint(t, linear({0, 40}, hex(0xfff6de), {0, 95}, hex(0xf0c46a)));
    drawText(img, "keep the skies in order", FACE_SANS, 18, 40, 124, hex(0xf3e6d0), 0.5f);
    // panel behind the buttons
    img.shadow(roundRect(505, 148, 290, 276, 14), 0, 4, 8, 0.5f);
    img.fill(roundRect(505, 148, 290, 276, 14), Col{0.06f, 0.09f, 0.16f, 0.62f});
    Mask pe(W, H);
    pe.addStroke(roundRect(505.5f, 148.5f, 289, 275, 14)[0], 1.2f, 1, true);
    img.paint(pe, Col{1, 0.85f, 0.55f, 0.35f});
    // light strip at the bottom left for the black version text
    img.fill(roundRect(-10, 452, 150, 40, 8), Col{0.92f, 0.9f, 0.85f, 0.85f});
    return img;
}

// Grey bars that read as lines of newspaper text.
void textLines(Img& img, float x0, float y0, float w, int lines, uint32_t seed, float gap = 9) {
    Rng r(seed);
    for (int l = 0; l < lines; ++l) {
        float x = x0, y = y0 + l * gap;
        float end = (l == lines - 1) ? x0 + w * r.f(0.3f, 0.7f) : x0 + w;
        while (x < end) {
            float ww = r.f(8, 34);
            if (x + ww > end) ww = end - x;
            if (ww > 2) img.fill(rect(x, y, ww, 3.2f), Col{0.25f, 0.24f, 0.22f, 0.55f});
            x += ww + 4;
        }
    }
}

Img intermission() {
    Img img(W, H);
    img.fillAll([](float x, float y) {
        float n = fbm(x * 0.02f, y * 0.02f, 12, 4);
        float g = (noise2(x * 1.3f, y * 1.3f, 13) - 0.5f) * 0.03f;
        Col c = mix(hex(0xf2ecdc), hex(0xe4dcc6), n);
        return Col{c.r + g, c.g + g, c.b + g, 1};
    });
    // masthead (the game covers the top 50 pixels with its black story bar)
    drawText(img, "THE TARNHOLT COURIER", FACE_SERIF_BOLD, 34, 400, 92, hex(0x1f1c18), 0, 0.5f);
    img.fill(rect(30, 100, 740, 2), hex(0x2a2620));
    img.fill(rect(30, 104, 740, 0.8f), hex(0x2a2620));
    drawText(img, "LATE EDITION", FACE_SANS_BOLD, 9, 32, 114, hex(0x3a352d));
    drawText(img, "AVIATION  -  WEATHER  -  HARBOUR", FACE_SANS_BOLD, 9, 768, 114, hex(0x3a352d), 0, 1.0f);
    // photo on the right: a grey halftone of a control tower that could stand at any of the
    // game's airports, so the page fits whichever one was played
    Img photo = towerPhoto();
    photo.map([](Col c, int x, int y) {
        float l = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
        float dots = 0.5f + 0.5f * std::sin(x * 1.6f) * std::sin(y * 1.6f);
        l = std::clamp(l * 1.1f + (dots - 0.5f) * 0.12f, 0.0f, 1.0f);
        return Col{l * 0.95f, l * 0.92f, l * 0.85f, 1};
    });
    img.shadow(rect(460, 118, 300, 160), 0, 0, 2, 0.3f);
    img.draw(photo, 460, 118);
    drawText(img, "The control tower at dusk. Photo: Courier archive", FACE_SANS, 9, 460, 290, hex(0x4a443a));
    // columns of text away from the zones the game writes into
    textLines(img, 100, 210, 320, 8, 1);
    textLines(img, 30, 330, 220, 14, 2);
    textLines(img, 550, 330, 150, 6, 3);
    textLines(img, 30, 400 + 70, 0, 0, 4);
    img.fill(rect(30, 318, 740, 0.8f), Col{0.2f, 0.2f, 0.2f, 0.5f});
    img.fill(rect(260, 324, 0.8f, 150), Col{0.2f, 0.2f, 0.2f, 0.4f});
    img.fill(rect(540, 324, 0.8f, 150), Col{0.2f, 0.2f, 0.2f, 0.4f});
    drawText(img, "WEATHER", FACE_SANS_BOLD, 11, 550, 400, hex(0x2a2620));
    textLines(img, 550, 408, 150, 6, 5);
    textLines(img, 280, 390, 240, 9, 6);
    // fold shadow across the middle
    img.fill(rect(0, 238, W, 6), linear({0, 238}, Col{0, 0, 0, 0}, {0, 244}, Col{0, 0, 0, 0.06f}));
    return img;
}

Img chartBackground() {
    Img img(W, H);
    img.fillAll([](float x, float y) {
        if (y < 64) {
            Col c = mix(hex(0x22415f), hex(0x16283c), y / 64);
            float pat = (std::fmod(x + y, 12.0f) < 1.0f) ? 0.04f : 0.0f;
            return Col{c.r + pat, c.g + pat, c.b + pat, 1};
        }
        float n = fbm(x * 0.01f, y * 0.01f, 14, 4);
        Col c = mix(hex(0xe6edf0), hex(0xd5e0e6), n);
        // contour lines of an aeronautical chart
        float h = fbm(x * 0.006f, y * 0.006f, 15, 3) * 12;
        float contour = 1 - sstep(0.0f, 0.07f, std::abs(h - std::round(h)));
        c = mix(c, hex(0x9fb7c4), contour * 0.35f);
        bool grid = std::fmod(x, 40.0f) < 0.8f || std::fmod(y - 64, 40.0f) < 0.8f;
        if (grid) c = mix(c, hex(0xa9bfcc), 0.5f);
        return c;
    });
    img.fill(rect(0, 62, W, 3), hex(0xe7b84a));
    // compass rose in the lower right corner
    V2 c{730, 410};
    Mask ring(W, H);
    ring.addStroke(circle(c.x, c.y, 52)[0], 1.2f, 1, true);
    ring.addStroke(circle(c.x, c.y, 44)[0], 0.8f, 1, true);
    img.paint(ring, hex(0x7f98a8), 0.3f);
    for (int i = 0; i < 8; ++i) {
        float a = i * PI / 4, l = (i % 2) ? 30.0f : 48.0f;
        V2 tip{c.x + std::cos(a) * l, c.y + std::sin(a) * l};
        V2 side{-std::sin(a) * 6, std::cos(a) * 6};
        img.fill(poly({c + side, tip, c - side}), (i % 2) ? Col{0.5f, 0.6f, 0.68f, 0.2f} : Col{0.35f, 0.45f, 0.55f, 0.25f});
    }
    drawText(img, "N", FACE_SANS_BOLD, 12, c.x, c.y - 56, hex(0x5a7080, 0.4f), 0, 0.5f);
    return img;
}

Img paper() {
    Img img(390, 400);
    Shape sheet = poly({{8, 6}, {380, 4}, {382, 390}, {10, 393}});
    img.shadow(sheet, 3, 5, 5, 0.45f);
    img.fill(sheet, [](float x, float y) {
        float n = fbm(x * 0.03f, y * 0.03f, 16, 4);
        float g = (noise2(x * 1.5f, y * 1.5f, 17) - 0.5f) * 0.025f;
        Col c = mix(hex(0xfbf8f0), hex(0xefe8d6), n * 0.8f + y / 1600);
        return Col{c.r + g, c.g + g, c.b + g, 1};
    });
    // a dog-eared corner and two strips of tape
    img.fill(poly({{382, 360}, {382, 390}, {352, 391}}), hex(0xdcd4bf));
    img.fill(poly({{382, 360}, {352, 391}, {360, 362}}), hex(0xe8e0cc));
    for (float x : {40.0f, 330.0f})
        img.fill(transform(rect(-22, -8, 44, 16), Xf::translate(x, 8) * Xf::rotate(x < 100 ? -8.0f : 7.0f)), Col{0.95f, 0.92f, 0.75f, 0.6f});
    return img;
}

Img tile(const std::string& title, const std::function<void(Img&)>& art, bool inert) {
    Img t(156, 156);
    t.fill(roundRect(0, 0, 156, 156, 12), hex(0x203a5a));
    Img inner(156, 156);
    inner.fill(rect(0, 0, 156, 116), hex(0x87b8de));
    art(inner);
    Mask m(156, 156);
    m.add(roundRect(4, 4, 148, 108, 9));
    t.paint(m, [&](float x, float y) { return inner.get(int(x), int(y)); });
    float px = title.size() > 14 ? 12.0f : 14.0f;
    drawText(t, title, FACE_SANS_BOLD, int(px), 78, 140, hex(0xf7f4ea), 0.5f, 0.5f);
    if (inert) {
        t.map([](Col c, int, int) {
            float l = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
            return Col{l * 0.8f + 0.1f, l * 0.8f + 0.1f, l * 0.82f + 0.1f, c.a};
        });
        Img band(156, 156);
        band.fill(transform(rect(-90, -11, 180, 22), Xf::translate(78, 58) * Xf::rotate(-20)), hex(0xe7b84a));
        Mask bm(156, 156);
        bm.add(roundRect(0, 0, 156, 156, 12));
        t.paint(bm, [&](float x, float y) { return band.get(int(x), int(y)); });
        Img label(156, 156);
        drawText(label, "COMING SOON", FACE_SANS_BOLD, 13, 78, 63, hex(0x2a2010), 0, 0.5f);
        // rotate the label onto the band
        Xf inv = Xf::translate(78, 58) * Xf::rotate(20) * Xf::translate(-78, -58);
        for (int y = 0; y < 156; ++y)
            for (int x = 0; x < 156; ++x) {
                V2 q = inv(V2{x + 0.5f, y + 0.5f});
                Col c = label.get(int(q.x), int(q.y));
                if (c.a > 0) t.blendPx(x, y, c, 1);
            }
    }
    return t;
}

Img gridButtons() {
    Img img(W, H);
    struct T { const char* title; std::function<void(Img&)> art; bool inert; };
    std::vector<T> tiles = {
        {"Calm Day", [](Img& a) {
             a.fillAll(linear({0, 0}, hex(0x6fb3e8), {0, 116}, hex(0xcfe8f7)));
             a.fill(circle(120, 30, 16), radial({116, 26}, 20, hex(0xfff7c0), hex(0xffc83a)));
             a.fill(ellipse(40, 40, 26, 9), Col{1, 1, 1, 0.85f});
             a.fill(ellipse(56, 35, 16, 9), Col{1, 1, 1, 0.9f});
             a.fill(rect(0, 92, 156, 24), hex(0x7da24a));
             a.drawScaled(aircraftSprite("md-11"), 35, 40, 105, 72);
         }, false},
        {"United Nations", [](Img& a) {
             a.fillAll(linear({0, 0}, hex(0x2b4f7e), {0, 116}, hex(0x4f7fb0)));
             a.fill(circle(78, 58, 40), hex(0x3f7fc4));
             Mask g(156, 156);
             g.addStroke(circle(78, 58, 40)[0], 1.5f, 1, true);
             g.addStroke({{38, 58}, {118, 58}}, 1.2f);
             g.addStroke(smooth({{78, 18}, {62, 58}, {78, 98}}, 8), 1.2f);
             g.addStroke(smooth({{78, 18}, {94, 58}, {78, 98}}, 8), 1.2f);
             a.paint(g, Col{1, 1, 1, 0.7f});
             a.drawScaled(aircraftSprite("a380"), 40, 28, 74, 62);
         }, false},
        {"Bird Migration", [](Img& a) {
             a.fillAll(linear({0, 0}, hex(0xf0a860), {0, 116}, hex(0xf7dcae)));
             a.fill(circle(40, 90, 30), Col{1, 0.95f, 0.7f, 0.6f});
             a.draw(gooseFrame(2, 1.8f), 20, 0);
         }, false},
        {"Medical Emergency", [](Img& a) {
             a.fillAll(linear({0, 0}, hex(0xe9f1f6), {0, 116}, hex(0xc6d8e4)));
             Mask ecg(156, 156);
             ecg.addStroke({{0, 92}, {40, 92}, {50, 80}, {58, 104}, {66, 62}, {74, 100}, {82, 92}, {156, 92}}, 2.2f);
             a.paint(ecg, hex(0xd7262e));
             a.drawScaled(aircraftSprite("c130"), 34, 8, 88, 84);
         }, false},
        {"Forgotten Port", [](Img& a) {
             Img p = airportPicture("forgotton_port_1.png").crop(330, 250, 420, 230).resized(156, 116);
             a.draw(p, 0, 0);
             a.fill(transform(rect(-40, -9, 80, 18), Xf::translate(128, 14) * Xf::rotate(30)), hex(0xc0392b));
             Img lbl(156, 156);
             drawText(lbl, "STORY", FACE_SANS_BOLD, 10, 128, 18, hex(0xffffff), 0, 0.5f);
             Xf inv = Xf::translate(128, 14) * Xf::rotate(-30) * Xf::translate(-128, -14);
             for (int y = 0; y < 60; ++y)
                 for (int x = 90; x < 156; ++x) {
                     V2 q = inv(V2{x + 0.5f, y + 0.5f});
                     Col c = lbl.get(int(q.x), int(q.y));
                     if (c.a > 0) a.blendPx(x, y, c, 1);
                 }
         }, false},
        {"Go Around", [](Img& a) {
             a.fillAll(linear({0, 0}, hex(0x6fb3e8), {0, 116}, hex(0xcfe8f7)));
             Mask m(156, 156);
             std::vector<V2> arc;
             for (int i = 0; i <= 40; ++i) {
                 float t = (30 + i * 7.5f) * PI / 180;
                 arc.push_back({78 + std::cos(t) * 34, 58 + std::sin(t) * 30});
             }
             m.addStroke(arc, 5);
             a.paint(m, hex(0xffffff));
             a.fill(poly({{108, 28}, {120, 52}, {96, 46}}), hex(0xffffff));
         }, true},
        {"Transit Flights", [](Img& a) {
             a.fillAll(linear({0, 0}, hex(0x6fb3e8), {0, 116}, hex(0xcfe8f7)));
             for (int i = 0; i < 3; ++i) {
                 Mask m(156, 156);
                 m.addStroke({{10, 30.0f + i * 28}, {136, 30.0f + i * 28}}, 3);
                 a.paint(m, Col{1, 1, 1, 0.8f});
                 a.fill(poly({{146, 30.0f + i * 28}, {132, 22.0f + i * 28}, {132, 38.0f + i * 28}}), hex(0xffffff));
             }
         }, true},
        {"Air Show", [](Img& a) {
             a.fillAll(linear({0, 0}, hex(0x6fb3e8), {0, 116}, hex(0xcfe8f7)));
             // three jets pulling up in formation, trailing coloured smoke
             const uint32_t cols[] = {0xd7262e, 0xffffff, 0x3f7fc4};
             for (int k = 0; k < 3; ++k) {
                 float off = (k - 1) * 17.0f;
                 std::vector<V2> path;
                 for (int i = 0; i <= 40; ++i) {
                     float t = i / 40.0f;
                     path.push_back({10 + t * 110, 100 - 70 * t * t + off * (1 - 0.3f * t)});
                 }
                 Mask m(156, 156);
                 m.addStroke(path, 5);
                 m.blur(1.2f);
                 a.paint(m, hex(cols[k]), 0.8f);
                 V2 tip = path.back(), prev = path[path.size() - 3];
                 float ang = std::atan2(tip.y - prev.y, tip.x - prev.x) * 180 / PI;
                 Shape jet = transform(poly({{-7, -1.3f}, {5, -1.3f}, {8, 0}, {5, 1.3f}, {-7, 1.3f}}) +
                                           poly({{0, -1}, {-4, -7}, {-6, -7}, {-4, -1}}) +
                                           poly({{0, 1}, {-4, 7}, {-6, 7}, {-4, 1}}) +
                                           poly({{-5, -0.8f}, {-8, -3.5f}, {-9, -3.5f}, {-8, 0}, {-9, 3.5f}, {-8, 3.5f}, {-5, 0.8f}}),
                                       Xf::translate(tip.x + 4, tip.y) * Xf::rotate(ang));
                 a.fill(jet, hex(0x2b3440));
             }
         }, true},
    };
    for (int i = 0; i < 8; ++i) {
        int col = i % 4, row = i / 4;
        float x = 40.0f + 187 * col, y = 82.0f + 199 * row;
        img.shadow(roundRect(x, y, 156, 156, 12), 3, 5, 5, 0.5f);
        img.draw(tile(tiles[size_t(i)].title, tiles[size_t(i)].art, tiles[size_t(i)].inert), x, y);
    }
    return img;
}

Img scoreBackground() {
    Img img(W, H);
    img.fillAll([](float x, float y) {
        float n = fbm(x * 0.01f, y * 0.01f, 18, 3);
        Col c = mix(hex(0x1d3550), hex(0x2f5578), sstep(0, 480, y) * 0.6f + n * 0.4f);
        bool stripe = std::fmod(x - y + 1000, 28.0f) < 1.2f;
        return stripe ? shade(c, 1.12f) : c;
    });
    // light panel behind the table
    img.shadow(roundRect(191, 60, 420, 392, 10), 0, 4, 8, 0.6f);
    img.fill(roundRect(191, 60, 420, 392, 10), linear({0, 60}, hex(0xfbf8f0), {0, 452}, hex(0xefe7d4)));
    // a trophy on the left
    V2 c{100, 250};
    Col gold0 = hex(0xfff0a8), gold1 = hex(0xc8902a);
    img.shadow(poly({{c.x - 36, c.y - 70}, {c.x + 36, c.y - 70}, {c.x + 26, c.y - 10}, {c.x - 26, c.y - 10}}), 4, 6, 6, 0.5f);
    Mask handles(W, H);
    handles.addStroke(smooth({{c.x - 34, c.y - 62}, {c.x - 56, c.y - 56}, {c.x - 50, c.y - 30}, {c.x - 26, c.y - 24}}, 8), 6);
    handles.addStroke(smooth({{c.x + 34, c.y - 62}, {c.x + 56, c.y - 56}, {c.x + 50, c.y - 30}, {c.x + 26, c.y - 24}}, 8), 6);
    img.paint(handles, linear({c.x - 56, 0}, gold0, {c.x + 56, 0}, gold1));
    img.fill(poly(smooth({{c.x - 38, c.y - 72}, {c.x + 38, c.y - 72}, {c.x + 30, c.y - 30}, {c.x, c.y - 6}, {c.x - 30, c.y - 30}}, 8, true)),
             linear({c.x - 38, 0}, gold0, {c.x + 38, 0}, gold1));
    img.fill(rect(c.x - 6, c.y - 8, 12, 30), linear({c.x - 6, 0}, gold0, {c.x + 6, 0}, gold1));
    img.fill(roundRect(c.x - 30, c.y + 20, 60, 12, 3), linear({c.x - 30, 0}, gold0, {c.x + 30, 0}, gold1));
    img.fill(roundRect(c.x - 40, c.y + 32, 80, 22, 3), hex(0x3a2a1c));
    img.fill(star(c.x, c.y - 48, 14, 6, 5), hex(0xfff6d0));
    // stars on the right, below the reset button
    Rng r(3);
    for (int i = 0; i < 5; ++i) img.fill(star(650 + r.f(0, 120), 160 + r.f(0, 150), r.f(5, 10), r.f(2, 4), 5, r.f(0, 70)), Col{1, 0.85f, 0.4f, r.f(0.3f, 0.7f)});
    return img;
}

Img aircraftChart() {
    Img img(350, 340);
    struct Row { const char* sprite; const char* head; const char* text; };
    const Row rows[] = {
        {"mooney", "LIGHT AIRCRAFT", "short runway - $120"},
        {"md-11", "HEAVY JETS", "long runway - $1000"},
        {"a380", "HEAD OF STATE", "must never collide"},
        {"c130", "LIFE FLIGHT", "land before time runs out"},
        {"uav", "DRONE", "stops intruders in the story"},
        {"geese", "GEESE", "keep your aircraft clear"},
    };
    for (int i = 0; i < 6; ++i) {
        float y = 4 + i * 56.0f;
        Img sp = rows[i].sprite == std::string("geese") ? gooseFrame(0, 0.875f) : aircraftSprite(rows[i].sprite);
        float sx = 40 - sp.w / 2.0f, sy = y + 26 - sp.h / 2.0f;
        Mask sh = sp.alphaMask();
        Img shadowImg(sp.w + 12, sp.h + 12);
        Mask m2(shadowImg.w, shadowImg.h);
        for (int yy = 0; yy < sp.h; ++yy)
            for (int xx = 0; xx < sp.w; ++xx) m2.a[size_t(yy + 8) * m2.w + xx + 8] = sh.a[size_t(yy) * sh.w + xx];
        m2.blur(2);
        shadowImg.paint(m2, Col{0, 0, 0, 1}, 0.3f);
        img.draw(shadowImg, sx - 2, sy - 2);
        img.draw(sp, sx, sy);
        drawText(img, rows[i].head, FACE_SANS_BOLD, 13, 86, y + 24, hex(0x1f2a36));
        drawText(img, rows[i].text, FACE_SANS, 12, 86, y + 41, hex(0x3a4450));
        if (i < 5) img.fill(rect(86, y + 52, 250, 0.8f), Col{0.3f, 0.3f, 0.3f, 0.25f});
    }
    return img;
}

}  // namespace

void genScreens() {
    saveImage("logo.png", logo());
    saveImage("menu.png", menuBackground());
    saveImage("intermission.jpg", intermission());
    saveImage("screens/workload/bgd.jpg", chartBackground());
    saveImage("screens/workload/bgdButtons.png", gridButtons());
    saveImage("paper.png", paper());
    saveImage("screens/score_board/bgd.png", scoreBackground());
    saveImage("screens/help/aircrafts.png", aircraftChart());
}

}  // namespace ag
