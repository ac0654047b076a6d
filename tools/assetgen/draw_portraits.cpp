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

// The centre of the head; the face is drawn around it.
constexpr float HX = 128, HY = 132;

void hairBehind(Img& img, const Look& L, uint32_t seed) {
    // hair behind the head
    if (L.bun) img.fill(circle(HX + 6, HY - 76, 26), radial({HX, HY - 86}, 34, shade(L.hair, 1.1f), L.hair));
    if (L.curly) {
        Rng r(seed);
        for (int i = 0; i < 40; ++i) {
            float a = r.f(-PI * 1.05f, PI * 0.05f), d = r.f(58, 74);
            img.fill(circle(HX + std::cos(a) * d * 1.05f, HY - 8 + std::sin(a) * d, r.f(12, 18)),
                     radial({HX - 20, HY - 70}, 120, shade(L.hair, 1.25f), shade(L.hair, 0.8f)));
        }
        for (float s : {-1.0f, 1.0f})
            for (int i = 0; i < 6; ++i)
                img.fill(circle(HX + s * (60 + (i % 2) * 6), HY + i * 14, 14), shade(L.hair, 0.9f - i * 0.03f));
    }
    if (L.hood) img.fill(ellipse(HX, HY + 40, 112, 80), shade(L.coat, 0.8f));
}

Shape coatAndCollar(Img& img, const Look& L) {
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
    return body;
}

void neckAndEars(Img& img, const Look& L) {
    // neck
    img.fill(poly({{104, 170}, {152, 170}, {150, 222}, {128, 232}, {106, 222}}), linear({0, 170}, skinShade(L, 0.78f), {0, 230}, skinShade(L, 0.92f)));
    // ears
    for (float s : {-1.0f, 1.0f}) {
        img.fill(ellipse(HX + s * 57, HY + 4, 10, 16), skinShade(L, 0.9f));
        img.fill(ellipse(HX + s * 58, HY + 4, 5, 9), skinShade(L, 0.78f));
    }
}

Shape face(Img& img, const Look& L) {
    // head
    Shape head = poly(smooth({{HX - 56, HY - 30}, {HX - 50, HY - 66}, {HX, HY - 82}, {HX + 50, HY - 66}, {HX + 56, HY - 30},
                              {HX + 52 * L.jaw, HY + 26}, {HX + 30 * L.jaw, HY + 62}, {HX, HY + 74}, {HX - 30 * L.jaw, HY + 62},
                              {HX - 52 * L.jaw, HY + 26}},
                             10, true));
    img.fill(head, radial({HX - 18, HY - 30}, 120, skinShade(L, 1.12f), skinShade(L, 0.82f)));
    // cheeks
    for (float s : {-1.0f, 1.0f}) img.fill(ellipse(HX + s * 30, HY + 26, 13, 8), Col{0.9f, 0.4f, 0.35f, 0.16f});
    return head;
}

void eyes(Img& img, const Look& L) {
    // eyes
    for (float s : {-1.0f, 1.0f}) {
        float ex = HX + s * 23, ey = HY + 2;
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
            m.addStroke(roundRect(HX + s * 23 - 16, HY - 10, 32, 22, 8)[0], 2.4f, 1.0f, true);
            m.addStroke({{HX - 7, HY - 2}, {HX + 7, HY - 2}}, 2.2f);
            img.paint(m, hex(0x2a2a2a));
            img.fill(roundRect(HX + s * 23 - 15, HY - 9, 30, 20, 7), Col{0.8f, 0.9f, 1.0f, 0.12f});
        }
}

void noseAndMouth(Img& img, const Look& L) {
    // nose
    img.fill(poly(smooth({{HX - 3, HY + 4}, {HX - 9, HY + 30}, {HX, HY + 35}, {HX + 9, HY + 30}, {HX + 4, HY + 6}}, 6, true)),
             skinShade(L, 0.9f));
    img.fill(ellipse(HX - 4, HY + 31, 3, 2), skinShade(L, 0.6f));
    img.fill(ellipse(HX + 4, HY + 31, 3, 2), skinShade(L, 0.6f));
    img.stroke(smooth({{HX + 2, HY + 6}, {HX + 7, HY + 26}}, 4), 1.5f, Col{1, 1, 1, 0.25f});
    // mouth: a calm smile
    img.fill(poly(smooth({{HX - 17, HY + 46}, {HX, HY + 52}, {HX + 17, HY + 46}, {HX, HY + 56}}, 8, true)), hex(0xa14a44));
    img.stroke(smooth({{HX - 18, HY + 46}, {HX, HY + 50}, {HX + 18, HY + 46}}, 8), 1.5f, hex(0x5a2420));
}

void beard(Img& img, const Look& L, uint32_t seed) {
    // the beard: full, with a moustache over the lips
    Shape outline = poly(smooth({{HX - 54, HY + 10}, {HX - 46, HY + 52}, {HX - 20, HY + 80}, {HX, HY + 86}, {HX + 20, HY + 80},
                               {HX + 46, HY + 52}, {HX + 54, HY + 10}, {HX + 36, HY + 40}, {HX + 18, HY + 42},
                               {HX, HY + 38}, {HX - 18, HY + 42}, {HX - 36, HY + 40}},
                              8, true));
    img.fill(outline, [&](float x, float y) {
        float n = noise2(x * 0.4f, y * 0.15f, seed);
        return shade(L.hair, 0.85f + 0.3f * n);
    });
    img.fill(poly(smooth({{HX - 26, HY + 42}, {HX, HY + 36}, {HX + 26, HY + 42}, {HX, HY + 46}}, 8, true)), shade(L.hair, 1.05f));
    img.fill(poly(smooth({{HX - 12, HY + 50}, {HX, HY + 53}, {HX + 12, HY + 50}, {HX, HY + 57}}, 6, true)), hex(0x8a3e38));
}

void hairOnTop(Img& img, const Look& L, uint32_t seed) {
    // hair on top
    if (!L.cap && !L.curly) {
        Shape top = poly(smooth({{HX - 60, HY - 4}, {HX - 62, HY - 50}, {HX - 30, HY - 86}, {HX + 10, HY - 92}, {HX + 50, HY - 74},
                                 {HX + 62, HY - 40}, {HX + 58, HY - 2}, {HX + 50, HY - 36}, {HX + 20, HY - 56}, {HX - 20, HY - 52},
                                 {HX - 50, HY - 36}},
                                10, true));
        float lum = (L.hair.r + L.hair.g + L.hair.b) / 3;
        img.fill(top, radial({HX - 20, HY - 80}, 110, shade(L.hair, 1.08f + 0.3f * lum), shade(L.hair, 0.85f)));
        // comb lines
        for (int i = 0; i < 6; ++i)
            img.stroke(smooth({{HX - 40 + i * 14.0f, HY - 78 + std::abs(i - 2.5f) * 3}, {HX - 30 + i * 16.0f, HY - 60}, {HX - 40 + i * 18.0f, HY - 44}}, 6),
                       1.2f, Col{1, 1, 1, 0.12f});
    }
    if (L.curly) {
        Rng r(seed + 1);
        for (int i = 0; i < 16; ++i) {
            float x = HX + r.f(-52, 52), y = HY - 70 + r.f(-14, 12);
            img.fill(circle(x, y, r.f(10, 15)), radial({x - 4, y - 5}, 16, shade(L.hair, 1.3f), shade(L.hair, 0.9f)));
        }
    }
    if (L.cap) {
        // a harbour captain's cap
        img.fill(poly(smooth({{HX - 66, HY - 44}, {HX - 60, HY - 92}, {HX, HY - 108}, {HX + 60, HY - 92}, {HX + 66, HY - 44}}, 10)),
                 linear({0, HY - 108}, hex(0x2a3446), {0, HY - 44}, hex(0x141b26)));
        img.fill(poly(smooth({{HX - 62, HY - 46}, {HX, HY - 56}, {HX + 62, HY - 46}, {HX + 58, HY - 36}, {HX, HY - 40}, {HX - 58, HY - 36}}, 8, true)),
                 hex(0x0d1118));
        img.fill(rect(HX - 60, HY - 62, 120, 8), hex(0xd9b45a));
        img.fill(ellipse(HX, HY - 78, 12, 9), hex(0xd9b45a));
        img.fill(star(HX, HY - 78, 7, 3, 5), hex(0xf5e6b0));
        // grey sideburns
        for (float s : {-1.0f, 1.0f}) img.fill(ellipse(HX + s * 52, HY - 18, 7, 18), shade(L.hair, 1.1f));
    }
}

void rimLightAndFrame(Img& img, const Shape& head, const Shape& body) {
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
}

Img portrait(const Look& L, const std::function<void(Img&)>& scene, uint32_t seed,
             const std::function<void(Img&)>& extra = nullptr) {
    Img img(PW, PH);
    img.fillAll(linear({0, 0}, L.bg0, {0, float(PH)}, L.bg1));
    scene(img);
    hairBehind(img, L, seed);
    const Shape body = coatAndCollar(img, L);
    neckAndEars(img, L);
    const Shape head = face(img, L);
    eyes(img, L);
    noseAndMouth(img, L);
    if (L.beard) beard(img, L, seed);
    hairOnTop(img, L, seed);
    if (extra) extra(img);
    rimLightAndFrame(img, head, body);
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
