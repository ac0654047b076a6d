// The four story portraits (256 x 320): stylised flat illustrations with soft shading,
// shown on black beside green text.
#include <algorithm>
#include <cmath>

#include "gen.h"

namespace ag {

namespace {

constexpr int PW = 256, PH = 320;

struct Look {
    Col skin, hair, coat, coat2, shirt, bg0, bg1, eyes;
    bool beard = false, cap = false, glasses = false, bun = false, curly = false, tie = false, hood = false;
    float age = 0;       // 0..1: lines and grey
    float jaw = 1.0f;    // width factor of the lower face
};

Col skinShade(const Look& l, float f) { return shade(l.skin, f); }

Img portrait(const Look& L, const std::function<void(Img&)>& scene, uint32_t seed,
             const std::function<void(Img&)>& extra = nullptr) {
    Img img(PW, PH);
    img.fillAll(linear({0, 0}, L.bg0, {0, float(PH)}, L.bg1));
    scene(img);
    const float cx = 128, cy = 132;
    // hair behind the head
    if (L.bun) img.fill(circle(cx + 6, cy - 76, 26), radial({cx, cy - 86}, 34, shade(L.hair, 1.1f), L.hair));
    if (L.curly) {
        Rng r(seed);
        for (int i = 0; i < 40; ++i) {
            float a = r.f(-PI * 1.05f, PI * 0.05f), d = r.f(58, 74);
            img.fill(circle(cx + std::cos(a) * d * 1.05f, cy - 8 + std::sin(a) * d, r.f(12, 18)),
                     radial({cx - 20, cy - 70}, 120, shade(L.hair, 1.25f), shade(L.hair, 0.8f)));
        }
        for (float s : {-1.0f, 1.0f})
            for (int i = 0; i < 6; ++i)
                img.fill(circle(cx + s * (60 + (i % 2) * 6), cy + i * 14, 14), shade(L.hair, 0.9f - i * 0.03f));
    }
    if (L.hood) img.fill(ellipse(cx, cy + 40, 112, 80), shade(L.coat, 0.8f));
    // shoulders and coat
    Shape body = poly(smooth({{-10, 330}, {8, 262}, {40, 232}, {96, 214}, {128, 212}, {160, 214}, {216, 232}, {248, 262}, {266, 330}}, 8));
    img.shadow(body, 0, 4, 6, 0.5f);
    img.fill(body, linear({0, 210}, shade(L.coat, 1.15f), {0, 320}, shade(L.coat, 0.75f)));
    // collar / shirt
    img.fill(poly({{100, 214}, {128, 262}, {156, 214}}), L.shirt);
    if (L.tie) {
        img.fill(poly({{122, 226}, {134, 226}, {138, 300}, {128, 312}, {118, 300}}), L.coat2);
        img.fill(poly({{121, 218}, {135, 218}, {133, 230}, {123, 230}}), shade(L.coat2, 0.8f));
    }
    img.fill(poly({{92, 212}, {128, 258}, {108, 300}, {76, 226}}), shade(L.coat, 1.25f));   // lapels
    img.fill(poly({{164, 212}, {128, 258}, {148, 300}, {180, 226}}), shade(L.coat, 1.05f));
    if (!L.tie) img.fill(rect(126.5f, 262, 3, 58), shade(L.coat2, 1.0f));                    // zip / placket
    // neck
    img.fill(poly({{104, 170}, {152, 170}, {150, 222}, {128, 232}, {106, 222}}), linear({0, 170}, skinShade(L, 0.78f), {0, 230}, skinShade(L, 0.92f)));
    // ears
    for (float s : {-1.0f, 1.0f}) {
        img.fill(ellipse(cx + s * 57, cy + 4, 10, 16), skinShade(L, 0.9f));
        img.fill(ellipse(cx + s * 58, cy + 4, 5, 9), skinShade(L, 0.78f));
    }
    // head
    Shape head = poly(smooth({{cx - 56, cy - 30}, {cx - 50, cy - 66}, {cx, cy - 82}, {cx + 50, cy - 66}, {cx + 56, cy - 30},
                              {cx + 52 * L.jaw, cy + 26}, {cx + 30 * L.jaw, cy + 62}, {cx, cy + 74}, {cx - 30 * L.jaw, cy + 62},
                              {cx - 52 * L.jaw, cy + 26}},
                             10, true));
    img.fill(head, radial({cx - 18, cy - 30}, 120, skinShade(L, 1.12f), skinShade(L, 0.82f)));
    // cheeks
    for (float s : {-1.0f, 1.0f}) img.fill(ellipse(cx + s * 30, cy + 26, 13, 8), Col{0.9f, 0.4f, 0.35f, 0.16f});
    // eyes
    for (float s : {-1.0f, 1.0f}) {
        float ex = cx + s * 23, ey = cy + 2;
        img.fill(ellipse(ex, ey, 11, 6.5f), hex(0xfbf8f2));
        img.fill(circle(ex + 1, ey + 0.5f, 5.2f), L.eyes);
        img.fill(circle(ex + 1, ey + 0.5f, 2.4f), hex(0x111111));
        img.fill(circle(ex - 1, ey - 1.5f, 1.4f), hex(0xffffff));
        // upper lid line
        img.stroke(smooth({{ex - 12, ey + 1}, {ex, ey - 7}, {ex + 12, ey}}, 8), 2.0f, skinShade(L, 0.45f));
        // brow
        Col brow = L.age > 0.5f ? mix(L.hair, hex(0xdddddd), 0.4f) : shade(L.hair, 0.8f);
        img.stroke(smooth({{ex - 13, ey - 14}, {ex, ey - 19 - 2 * L.age}, {ex + 13, ey - 15 + s * 1.5f}}, 8), 4.0f, brow);
        if (L.age > 0.3f) img.stroke(smooth({{ex - 8, ey + 10}, {ex, ey + 12}, {ex + 8, ey + 10}}, 6), 1.0f, Col{0.4f, 0.2f, 0.15f, 0.35f});
    }
    if (L.glasses)
        for (float s : {-1.0f, 1.0f}) {
            Mask m(PW, PH);
            m.addStroke(roundRect(cx + s * 23 - 16, cy - 10, 32, 22, 8)[0], 2.4f, 1.0f, true);
            m.addStroke({{cx - 7, cy - 2}, {cx + 7, cy - 2}}, 2.2f);
            img.paint(m, hex(0x2a2a2a));
            img.fill(roundRect(cx + s * 23 - 15, cy - 9, 30, 20, 7), Col{0.8f, 0.9f, 1.0f, 0.12f});
        }
    // nose
    img.fill(poly(smooth({{cx - 3, cy + 4}, {cx - 9, cy + 30}, {cx, cy + 35}, {cx + 9, cy + 30}, {cx + 4, cy + 6}}, 6, true)),
             skinShade(L, 0.9f));
    img.fill(ellipse(cx - 4, cy + 31, 3, 2), skinShade(L, 0.6f));
    img.fill(ellipse(cx + 4, cy + 31, 3, 2), skinShade(L, 0.6f));
    img.stroke(smooth({{cx + 2, cy + 6}, {cx + 7, cy + 26}}, 4), 1.5f, Col{1, 1, 1, 0.25f});
    // mouth: a calm smile
    img.fill(poly(smooth({{cx - 17, cy + 46}, {cx, cy + 52}, {cx + 17, cy + 46}, {cx, cy + 56}}, 8, true)), hex(0xa14a44));
    img.stroke(smooth({{cx - 18, cy + 46}, {cx, cy + 50}, {cx + 18, cy + 46}}, 8), 1.5f, hex(0x5a2420));
    if (L.beard) {
        Shape beard = poly(smooth({{cx - 54, cy + 10}, {cx - 46, cy + 52}, {cx - 20, cy + 80}, {cx, cy + 86}, {cx + 20, cy + 80},
                                   {cx + 46, cy + 52}, {cx + 54, cy + 10}, {cx + 36, cy + 40}, {cx + 18, cy + 42},
                                   {cx, cy + 38}, {cx - 18, cy + 42}, {cx - 36, cy + 40}},
                                  8, true));
        img.fill(beard, [&](float x, float y) {
            float n = noise2(x * 0.4f, y * 0.15f, seed);
            return shade(L.hair, 0.85f + 0.3f * n);
        });
        img.fill(poly(smooth({{cx - 26, cy + 42}, {cx, cy + 36}, {cx + 26, cy + 42}, {cx, cy + 46}}, 8, true)), shade(L.hair, 1.05f));
        img.fill(poly(smooth({{cx - 12, cy + 50}, {cx, cy + 53}, {cx + 12, cy + 50}, {cx, cy + 57}}, 6, true)), hex(0x8a3e38));
    }
    // hair on top
    if (!L.cap && !L.curly) {
        Shape top = poly(smooth({{cx - 60, cy - 4}, {cx - 62, cy - 50}, {cx - 30, cy - 86}, {cx + 10, cy - 92}, {cx + 50, cy - 74},
                                 {cx + 62, cy - 40}, {cx + 58, cy - 2}, {cx + 50, cy - 36}, {cx + 20, cy - 56}, {cx - 20, cy - 52},
                                 {cx - 50, cy - 36}},
                                10, true));
        float lum = (L.hair.r + L.hair.g + L.hair.b) / 3;
        img.fill(top, radial({cx - 20, cy - 80}, 110, shade(L.hair, 1.08f + 0.3f * lum), shade(L.hair, 0.85f)));
        // comb lines
        for (int i = 0; i < 6; ++i)
            img.stroke(smooth({{cx - 40 + i * 14.0f, cy - 78 + std::abs(i - 2.5f) * 3}, {cx - 30 + i * 16.0f, cy - 60}, {cx - 40 + i * 18.0f, cy - 44}}, 6),
                       1.2f, Col{1, 1, 1, 0.12f});
    }
    if (L.curly) {
        Rng r(seed + 1);
        for (int i = 0; i < 16; ++i) {
            float x = cx + r.f(-52, 52), y = cy - 70 + r.f(-14, 12);
            img.fill(circle(x, y, r.f(10, 15)), radial({x - 4, y - 5}, 16, shade(L.hair, 1.3f), shade(L.hair, 0.9f)));
        }
    }
    if (L.cap) {
        // a harbour captain's cap
        img.fill(poly(smooth({{cx - 66, cy - 44}, {cx - 60, cy - 92}, {cx, cy - 108}, {cx + 60, cy - 92}, {cx + 66, cy - 44}}, 10)),
                 linear({0, cy - 108}, hex(0x2a3446), {0, cy - 44}, hex(0x141b26)));
        img.fill(poly(smooth({{cx - 62, cy - 46}, {cx, cy - 56}, {cx + 62, cy - 46}, {cx + 58, cy - 36}, {cx, cy - 40}, {cx - 58, cy - 36}}, 8, true)),
                 hex(0x0d1118));
        img.fill(rect(cx - 60, cy - 62, 120, 8), hex(0xd9b45a));
        img.fill(ellipse(cx, cy - 78, 12, 9), hex(0xd9b45a));
        img.fill(star(cx, cy - 78, 7, 3, 5), hex(0xf5e6b0));
        // grey sideburns
        for (float s : {-1.0f, 1.0f}) img.fill(ellipse(cx + s * 52, cy - 18, 7, 18), shade(L.hair, 1.1f));
    }
    if (extra) extra(img);
    // soft rim light on the right
    Mask rim(PW, PH);
    rim.add(head);
    rim.add(body);
    Mask inner = rim.shifted(-4, 0);
    for (size_t i = 0; i < rim.a.size(); ++i) rim.a[i] = std::max(0.0f, rim.a[i] - inner.a[i]);
    rim.blur(1.5f);
    img.paint(rim, Col{1, 0.95f, 0.85f, 0.35f});
    // vignette and a thin frame
    img.map([](Col c, int x, int y) {
        float v = 1 - 0.45f * std::pow(std::hypot((x - 128) / 128.0f, (y - 160) / 160.0f) / 1.41f, 2.5f);
        return Col{c.r * v, c.g * v, c.b * v, c.a};
    });
    Mask fr(PW, PH);
    fr.addStroke(rect(1, 1, PW - 2, PH - 2)[0], 2, 1, true);
    img.paint(fr, hex(0x8a7a5a));
    return img;
}

}  // namespace

void genPortraits() {
    // Oleg Varnik: the old harbour master who runs the airfield.
    Look oleg;
    oleg.skin = hex(0xe2b48f); oleg.hair = hex(0xb9b4ab); oleg.coat = hex(0x2c3a52); oleg.coat2 = hex(0xd9b45a);
    oleg.shirt = hex(0xe8e4da); oleg.bg0 = hex(0x5d7f9e); oleg.bg1 = hex(0x22384f); oleg.eyes = hex(0x4a6a8a);
    oleg.beard = true; oleg.cap = true; oleg.age = 0.8f; oleg.jaw = 1.05f;
    saveImage("stories/forgotten_port/Oleg_Varnik.png", portrait(oleg, [](Img& img) {
        // harbour behind: water line and a crane silhouette
        img.fill(rect(0, 200, PW, 120), Col{0.1f, 0.2f, 0.3f, 0.6f});
        img.stroke({{20, 200}, {20, 60}, {90, 60}}, 5, Col{0.12f, 0.18f, 0.25f, 0.8f});
        img.stroke({{20, 80}, {70, 60}}, 2, Col{0.12f, 0.18f, 0.25f, 0.8f});
        img.stroke({{230, 200}, {230, 90}, {180, 90}}, 4, Col{0.12f, 0.18f, 0.25f, 0.7f});
    }, 11, [](Img& img) {
        for (float s : {-1.0f, 1.0f}) {
            img.fill(transform(roundRect(-22, -6, 44, 12, 4), Xf::translate(128 + s * 76, 228) * Xf::rotate(s * 14)), hex(0x1a2436));
            for (int k = 0; k < 3; ++k)
                img.fill(rect(128 + s * 76 - 14 + k * 9.0f - 1.5f, 224, 3, 8), hex(0xd9b45a));
        }
        for (int k = 0; k < 3; ++k) img.fill(circle(144, 272 + k * 18.0f, 3.2f), radial({143, 271 + k * 18.0f}, 4, hex(0xfff0b0), hex(0xb8903a)));
    }));

    // Mei Tarsa: warden of the bird station in the marshes.
    Look mei;
    mei.skin = hex(0xeac4a0); mei.hair = hex(0x231c1a); mei.coat = hex(0x4f6b3a); mei.coat2 = hex(0x3a4f2a);
    mei.shirt = hex(0xd9c9a8); mei.bg0 = hex(0xc9d9b0); mei.bg1 = hex(0x6f8f5a); mei.eyes = hex(0x3a2a1a);
    mei.glasses = true; mei.bun = true; mei.jaw = 0.9f;
    saveImage("stories/forgotten_port/Mei_Tarsa.png", portrait(mei, [](Img& img) {
        Rng r(4);
        for (int i = 0; i < 40; ++i) {  // reeds
            float x = r.f(0, PW), h = r.f(60, 160);
            img.stroke({{x, float(PH)}, {x + r.f(-8, 8), PH - h}}, 2, Col{0.3f, 0.4f, 0.2f, 0.5f});
            img.fill(ellipse(x, PH - h, 2.5f, 8), Col{0.45f, 0.35f, 0.2f, 0.6f});
        }
        for (int i = 0; i < 5; ++i) {  // geese far away
            float x = 30 + i * 14.0f, y = 60 + std::abs(i - 2) * 8.0f;
            img.stroke({{x - 5, y - 2}, {x, y}, {x + 5, y - 2}}, 1.5f, Col{0.2f, 0.2f, 0.2f, 0.6f});
        }
    }, 22, [](Img& img) {
        img.stroke(smooth({{100, 214}, {112, 260}, {128, 282}}, 8), 3, hex(0x3a2a1a));
        img.stroke(smooth({{156, 214}, {144, 260}, {128, 282}}, 8), 3, hex(0x3a2a1a));
        for (float s : {-1.0f, 1.0f}) {
            img.shadow(roundRect(128 + s * 11 - 9, 280, 18, 30, 6), 1, 3, 2, 0.4f);
            img.fill(roundRect(128 + s * 11 - 9, 280, 18, 30, 6), linear({0, 280}, hex(0x4a4f55), {0, 310}, hex(0x1e2226)));
            img.fill(ellipse(128 + s * 11, 306, 6, 3), hex(0x5a7a9a));
        }
        img.fill(rect(122, 288, 12, 8), hex(0x2a2e33));
    }));

    // Dana Colter: the meteorologist.
    Look dana;
    dana.skin = hex(0xf0c8a8); dana.hair = hex(0xa8482a); dana.coat = hex(0xe0a52a); dana.coat2 = hex(0x8a6a1a);
    dana.shirt = hex(0x36475a); dana.bg0 = hex(0x4a5666); dana.bg1 = hex(0x1f2630); dana.eyes = hex(0x3a7a5a);
    dana.curly = true; dana.hood = true; dana.jaw = 0.92f;
    saveImage("stories/forgotten_port/Dana_Colter.png", portrait(dana, [](Img& img) {
        Rng r(6);
        for (int i = 0; i < 8; ++i) img.fill(ellipse(r.f(0, PW), r.f(10, 90), r.f(40, 80), r.f(15, 25)), Col{0.6f, 0.65f, 0.72f, 0.2f});
        img.stroke({{200, 20}, {185, 60}, {198, 62}, {178, 110}}, 3, Col{1, 0.95f, 0.6f, 0.8f});   // lightning
        Mask rain(PW, PH);
        for (int i = 0; i < 120; ++i) {
            float x = r.f(0, PW), y = r.f(0, PH);
            rain.addStroke({{x, y}, {x - 3, y + 12}}, 0.8f, 0.5f);
        }
        img.paint(rain, hex(0xaabbcc), 0.5f);
    }, 33, [](Img& img) {
        for (float s : {-1.0f, 1.0f}) {
            img.stroke(smooth({{128 + s * 20, 222}, {128 + s * 24, 250}, {128 + s * 22, 280}}, 6), 2, hex(0xf2f2f2));
            img.fill(circle(128 + s * 22, 282, 3), hex(0xf2f2f2));
        }
        img.fill(roundRect(160, 262, 30, 18, 3), hex(0x2f4f7a));
        img.fill(circle(168, 271, 5), hex(0xffffff));
        img.fill(ellipse(176, 273, 8, 4), hex(0xffffff));
    }));

    // Rick Halden: the minister of transport.
    Look rick;
    rick.skin = hex(0xd9a47f); rick.hair = hex(0x6b5a4a); rick.coat = hex(0x2d2f36); rick.coat2 = hex(0x9c2a2e);
    rick.shirt = hex(0xf3f3f0); rick.bg0 = hex(0x9a7f5a); rick.bg1 = hex(0x3f2f22); rick.eyes = hex(0x5a4030);
    rick.tie = true; rick.age = 0.45f; rick.jaw = 1.0f;
    saveImage("stories/forgotten_port/Rick_Halden.png", portrait(rick, [](Img& img) {
        // office: wood panels and a window with the port
        for (int i = 0; i < 6; ++i) img.fill(rect(i * 44.0f, 0, 2, PH), Col{0, 0, 0, 0.15f});
        img.fill(rect(150, 30, 90, 110), hex(0x9cc4e0));
        img.fill(rect(150, 110, 90, 30), hex(0x3f6f8f));
        img.stroke({{195, 30}, {195, 140}}, 3, hex(0x4a3526));
        img.stroke({{150, 85}, {240, 85}}, 3, hex(0x4a3526));
    }, 44, [](Img& img) {
        img.fill(poly({{170, 268}, {194, 262}, {192, 272}, {184, 266}, {178, 274}}), hex(0xf5f5f0));
        img.fill(circle(92, 246, 3), hex(0xd9b45a));
    }));
}

}  // namespace ag
