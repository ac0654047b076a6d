// The airports seen from above at 800 x 480, with the runways painted exactly where
// "airports.txt" puts them (the game's runway geometry: centre, compass heading, 330 or 226
// long, 30 wide; the threshold end lies toward the heading).
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <cstdio>
#include <stdexcept>

#include "gen.h"

namespace ag {

namespace {

constexpr int W = 800, H = 480;
std::mutex g_mu;
std::map<std::string, Img> g_pictures;

float sstep(float a, float b, float x) {
    float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// A rotated rectangle around a centre.
Shape box(float cx, float cy, float w, float h, float deg) {
    return transform(rect(-w / 2, -h / 2, w, h), Xf::translate(cx, cy) * Xf::rotate(deg));
}

void groundNoise(Img& img, Col a, Col b, float scale, uint32_t seed, float grain = 0.06f) {
    img.fillAll([&](float x, float y) {
        float n = fbm(x * scale, y * scale, seed, 5);
        float g = (noise2(x * 0.9f, y * 0.9f, seed + 7) - 0.5f) * grain;
        Col c = mix(a, b, sstep(0.25f, 0.75f, n));
        return Col{c.r + g, c.g + g, c.b + g, 1};
    });
}

// A field with furrows in the direction of its rotation.
void field(Img& img, float cx, float cy, float w, float h, float deg, Col c, uint32_t seed, float furrow = 5) {
    Shape s = box(cx, cy, w, h, deg);
    float r = deg * PI / 180;
    V2 along{std::cos(r), std::sin(r)};
    img.fill(s, [&](float x, float y) {
        float d = (x - cx) * -along.y + (y - cy) * along.x;
        float rows = 0.5f + 0.5f * std::sin(d * 2 * PI / furrow);
        float n = fbm(x * 0.04f, y * 0.04f, seed, 4);
        Col k = shade(c, 0.9f + 0.18f * n - 0.08f * rows);
        return k;
    });
    // hedgerow edge
    Contour e = s[0];
    Mask m(img.w, img.h);
    m.addStroke(e, 2.2f, 1.0f, true);
    img.paint(m, Col{0.16f, 0.27f, 0.12f, 0.8f});
}

void tree(Img& img, float x, float y, float r, Col c, uint32_t seed) {
    img.shadow(circle(x + r * 0.5f, y + r * 0.6f, r), 0, 0, r * 0.35f, 0.45f);
    Rng rng(seed);
    for (int i = 0; i < 5; ++i) {
        float a = rng.f(0, 2 * PI), d = rng.f(0, r * 0.35f);
        float rr = r * rng.f(0.55f, 0.75f);
        float px = x + std::cos(a) * d, py = y + std::sin(a) * d;
        img.fill(circle(px, py, rr), radial({px - rr * 0.35f, py - rr * 0.4f}, rr * 1.4f, shade(c, 1.25f), shade(c, 0.7f)));
    }
}

// A conifer from above: a star of branches, optionally with snow on top.
void pine(Img& img, float x, float y, float r, Col c, bool snow, uint32_t seed) {
    img.shadow(circle(x + r * 0.6f, y + r * 0.7f, r * 0.9f), 0, 0, r * 0.3f, 0.4f);
    Rng rng(seed);
    float rot = rng.f(0, 360);
    img.fill(star(x, y, r, r * 0.55f, 8, rot), shade(c, 0.8f));
    img.fill(star(x, y, r * 0.72f, r * 0.4f, 7, rot + 20), c);
    img.fill(star(x - r * 0.1f, y - r * 0.1f, r * 0.42f, r * 0.22f, 6, rot + 40), shade(c, 1.2f));
    if (snow) {
        img.fill(star(x - r * 0.15f, y - r * 0.15f, r * 0.6f, r * 0.25f, 8, rot + 10), Col{0.95f, 0.97f, 1.0f, 0.85f});
        img.fill(circle(x - r * 0.1f, y - r * 0.1f, r * 0.18f), Col{1, 1, 1, 0.9f});
    }
}

void palm(Img& img, float x, float y, float r, uint32_t seed) {
    img.shadow(circle(x + r * 0.7f, y + r * 0.8f, r * 0.8f), 0, 0, r * 0.3f, 0.35f);
    Rng rng(seed);
    float rot = rng.f(0, 360);
    for (int i = 0; i < 7; ++i) {
        float a = (rot + i * 360.0f / 7) * PI / 180;
        V2 tip{x + std::cos(a) * r, y + std::sin(a) * r};
        V2 side{-std::sin(a) * r * 0.22f, std::cos(a) * r * 0.22f};
        V2 mid{x + std::cos(a) * r * 0.5f, y + std::sin(a) * r * 0.5f};
        img.fill(poly({{x, y}, mid + side, tip, mid - side}), mix(hex(0x2f7a35), hex(0x5aa648), 0.5f + 0.5f * std::sin(a)));
    }
    img.fill(circle(x, y, r * 0.16f), hex(0x6b4e2a));
}

// A building: roof with a ridge (two shaded halves) and a soft shadow.
void building(Img& img, float cx, float cy, float w, float h, float deg, Col roof, bool gable = true) {
    img.shadow(box(cx + 4, cy + 5, w, h, deg), 0, 0, 2.5f, 0.5f);
    if (!gable) {
        img.fill(box(cx, cy, w, h, deg), linear({cx - w / 2, cy - h / 2}, shade(roof, 1.12f), {cx + w / 2, cy + h / 2}, shade(roof, 0.88f)));
        img.fill(box(cx, cy, w - 4, h - 4, deg), Col{0, 0, 0, 0.05f});
        // roof vents
        Rng r(uint32_t(cx * 13 + cy * 7));
        for (int i = 0; i < 3; ++i) {
            V2 p = (Xf::translate(cx, cy) * Xf::rotate(deg))(V2{r.f(-w / 3, w / 3), r.f(-h / 3, h / 3)});
            img.fill(box(p.x, p.y, 4, 4, deg), shade(roof, 0.7f));
        }
        return;
    }
    Xf t = Xf::translate(cx, cy) * Xf::rotate(deg);
    img.fill(transform(rect(-w / 2, -h / 2, w, h / 2), t), shade(roof, 1.15f));
    img.fill(transform(rect(-w / 2, 0, w, h / 2), t), shade(roof, 0.8f));
    img.stroke({t(V2{-w / 2, 0}), t(V2{w / 2, 0})}, 1.0f, shade(roof, 0.6f));
}

void tank(Img& img, float x, float y, float r, Col c) {
    img.shadow(circle(x + 3, y + 4, r), 0, 0, 2, 0.5f);
    img.fill(circle(x, y, r), radial({x - r * 0.4f, y - r * 0.4f}, r * 1.6f, shade(c, 1.2f), shade(c, 0.75f)));
    img.stroke(smooth({{x - r * 0.6f, y}, {x, y - r * 0.6f}, {x + r * 0.6f, y}, {x, y + r * 0.6f}}, 6, true), 0.8f,
               Col{0, 0, 0, 0.15f}, true);
}

void road(Img& img, const std::vector<V2>& pts, float w, Col c, Col edge, bool centreLine = false) {
    auto sm = smooth(pts, 10);
    Mask m(img.w, img.h);
    m.addStroke(sm, w + 2);
    img.paint(m, edge);
    Mask m2(img.w, img.h);
    m2.addStroke(sm, w);
    img.paint(m2, c);
    if (centreLine) {
        Mask m3(img.w, img.h);
        m3.addStroke(sm, 1.2f);
        img.paint(m3, hex(0xe8c547), 0.85f);
    }
}

// Runway: shoulders, asphalt, edge lines, dashed centre line, piano keys at both ends, the
// landing direction's number at the threshold end, and approach lights beyond it.
void runway(Img& img, const RunwayGeo& g, Col asphalt, Col shoulder, float wear, uint32_t seed) {
    float hl = g.len / 2, hw = g.wid / 2;
    auto quad = [&](float a0, float a1, float c0, float c1) {
        return poly({g.at(a0, c0), g.at(a1, c0), g.at(a1, c1), g.at(a0, c1)});
    };
    img.shadow(quad(-hl - 6, hl + 6, -hw - 4, hw + 4), 1.5f, 2, 3, 0.3f);
    img.fill(quad(-hl - 6, hl + 6, -hw - 4, hw + 4), shoulder);
    img.fill(quad(-hl, hl, -hw, hw), [&](float x, float y) {
        float n = fbm(x * 0.08f, y * 0.08f, seed, 4);
        float streak = noise2((x * g.u.x + y * g.u.y) * 0.02f, (x * g.v.x + y * g.v.y) * 0.6f, seed + 3);
        return shade(asphalt, 0.92f + 0.16f * n + 0.06f * streak * wear);
    });
    // tyre marks in the touch-down zone
    Mask tm(img.w, img.h);
    Rng rng(seed);
    for (int i = 0; i < 14; ++i) {
        float a = hl - 20 - rng.f(0, 70), c = rng.f(-7, 7);
        tm.addStroke({g.at(a, c), g.at(a - rng.f(15, 35), c + rng.f(-1, 1))}, rng.f(1.0f, 2.2f), 0.35f);
    }
    tm.blur(0.8f);
    img.paint(tm, hex(0x141414), 0.7f * (0.6f + 0.4f * wear));
    Col paint = withA(hex(0xf2f2ee), 0.92f - 0.3f * wear);
    // edges
    Mask m(img.w, img.h);
    m.addStroke({g.at(-hl + 2, -hw + 1.6f), g.at(hl - 2, -hw + 1.6f)}, 1.1f);
    m.addStroke({g.at(-hl + 2, hw - 1.6f), g.at(hl - 2, hw - 1.6f)}, 1.1f);
    // centre line
    for (float a = -hl + 40; a < hl - 40; a += 18) m.addStroke({g.at(a, 0), g.at(std::min(a + 10, hl - 40), 0)}, 1.3f);
    // piano keys at both ends
    for (float end : {-1.0f, 1.0f})
        for (int k = 0; k < 4; ++k)
            for (float s : {-1.0f, 1.0f}) {
                float c0 = s * (2.8f + k * 3.0f);
                m.add(quad(end * (hl - 3), end * (hl - 14), c0 - 0.8f * s * 0, c0 + 1.6f * s));
            }
    // aiming point blocks
    for (float end : {-1.0f, 1.0f})
        for (float s : {-1.0f, 1.0f}) m.add(quad(end * (hl - 48), end * (hl - 64), s * 4, s * 8));
    img.paint(m, paint);
    // runway numbers: each end shows the direction of a landing toward it
    for (float end : {-1.0f, 1.0f}) {
        int head = int(std::lround(std::atan2(-g.u.x * end, g.u.y * end) * 180 / PI));  // landing direction
        int dir = ((head % 360) + 360) % 360;
        int num = int(std::lround(dir / 10.0)) % 36;
        if (num == 0) num = 36;
        char txt[4];
        std::snprintf(txt, sizeof txt, "%02d", num);
        Img t(40, 20);
        drawText(t, txt, FACE_SANS_BOLD, 12, 20, 15, paint, 0, 0.5f);
        // rotate the number so it reads from an aircraft landing toward the centre
        V2 c = g.at(end * (hl - 26), 0);
        float ang = std::atan2(g.u.y * end, g.u.x * end) * 180 / PI - 90;
        Xf inv = Xf::rotate(-ang);
        for (int yy = -20; yy <= 20; ++yy)
            for (int xx = -20; xx <= 20; ++xx) {
                V2 q = inv(V2{float(xx), float(yy)});
                int sx = int(std::floor(q.x + 20)), sy = int(std::floor(q.y + 10));
                Col cc = t.get(sx, sy);
                if (cc.a > 0) img.blendPx(int(c.x) + xx, int(c.y) + yy, cc, 1.0f);
            }
    }
    // approach lights beyond the threshold end (the end the game lands toward)
    for (int k = 1; k <= 5; ++k) {
        V2 p = g.at(hl + 6 + k * 8, 0);
        img.fill(circle(p.x, p.y, 1.4f), hex(0xfff4c2));
        if (k % 2 == 0)
            for (float s : {-1.0f, 1.0f}) {
                V2 q = g.at(hl + 6 + k * 8, s * 6);
                img.fill(circle(q.x, q.y, 1.1f), hex(0xffe08a));
            }
    }
}

// A small paved circle where a visiting head of state's flag is shown, with a flagpole base.
void flagPlaza(Img& img, float x, float y, Col paving, bool snowy = false) {
    img.shadow(circle(x + 2, y + 3, 30), 0, 0, 3, 0.35f);
    img.fill(circle(x, y, 30), paving);
    img.stroke(smooth({{x - 30, y}, {x, y - 30}, {x + 30, y}, {x, y + 30}}, 12, true), 1.5f, shade(paving, 0.75f), true);
    img.stroke(smooth({{x - 22, y}, {x, y - 22}, {x + 22, y}, {x, y + 22}}, 12, true), 1.0f, shade(paving, 0.85f), true);
    for (int i = 0; i < 8; ++i) {
        float a = i * PI / 4;
        if (snowy) pine(img, x + std::cos(a) * 36, y + std::sin(a) * 36, 5.5f, hex(0x2f5a45), true, uint32_t(i + x));
        else tree(img, x + std::cos(a) * 36, y + std::sin(a) * 36, 4.5f, hex(0x4d8a3c), uint32_t(i + x));
    }
}

void tower(Img& img, float x, float y) {
    img.shadow(circle(x + 6, y + 7, 9), 0, 0, 3, 0.5f);
    img.fill(circle(x, y, 9), radial({x - 3, y - 3}, 14, hex(0xeeeeea), hex(0x9a9c9e)));
    img.fill(circle(x, y, 6.5f), radial({x - 2, y - 2}, 9, hex(0x6fa3c8), hex(0x1d3b57)));
    img.fill(circle(x, y, 3), hex(0xd8d8d4));
    img.fill(circle(x, y, 1.2f), hex(0xd03030));
}

void apron(Img& img, const Shape& s, Col c, uint32_t seed) {
    img.fill(s, [&](float x, float y) {
        float n = fbm(x * 0.06f, y * 0.06f, seed, 3);
        float joints = (std::fmod(x, 16.0f) < 0.7f || std::fmod(y, 16.0f) < 0.7f) ? 0.94f : 1.0f;
        return shade(c, (0.94f + 0.1f * n) * joints);
    });
}

// Stand markings on an apron: yellow lead-in lines.
void standLines(Img& img, float x0, float y0, int n, float dx, float len, float dirY) {
    Mask m(img.w, img.h);
    for (int i = 0; i < n; ++i) {
        float x = x0 + i * dx;
        m.addStroke(smooth({{x, y0}, {x, y0 + dirY * len * 0.7f}, {x + 6, y0 + dirY * len}}, 6), 1.0f);
    }
    img.paint(m, hex(0xe8c547), 0.8f);
}

// True when (x, y) lies on a runway or its ground: within `across` of the centre line and
// `alongPast` beyond either end. Scattered trees, weeds and rocks keep clear of it.
bool nearRunways(const RunwayPair& rws, float x, float y, float alongPast, float across) {
    for (const RunwayGeo& rw : {rws.longRw, rws.shortRw}) {
        V2 d = V2{x, y} - rw.p;
        if (std::abs(d.x * rw.u.x + d.y * rw.u.y) < rw.len / 2 + alongPast && std::abs(d.x * rw.v.x + d.y * rw.v.y) < across)
            return true;
    }
    return false;
}

// The ground around a runway: `behind` past its far end, `beyond` past its threshold end
// (where the approach lights are) and `half` to each side of its centre line.
Shape runwayGround(const RunwayGeo& rw, float behind, float beyond, float half) {
    return poly({rw.at(-rw.len / 2 - behind, -half), rw.at(rw.len / 2 + beyond, -half), rw.at(rw.len / 2 + beyond, half),
                 rw.at(-rw.len / 2 - behind, half)});
}

// True within `margin` of the flag plaza's centre, on both axes.
bool nearFlag(const AirportRec& r, float x, float y, float margin) {
    return std::abs(x - r.flagX) < margin && std::abs(y - r.flagY) < margin;
}

// A darker band under the white display text in the top-left corner: `tint` at its alpha
// in the corner, fading out from fadeX to 260 across and from fadeY to 70 down.
void titleBand(Img& img, Col tint, float fadeX, float fadeY) {
    img.fill(rect(0, 0, 260, 70), [&](float x, float y) {
        return Col{tint.r, tint.g, tint.b, tint.a * (1 - sstep(fadeX, 260, x)) * (1 - sstep(fadeY, 70, y))};
    });
}

// ------------------------------------------------------------------------------------------

Img meadowfield(const AirportRec& r) {
    const RunwayPair rws = runways(r);
    Img img(W, H);
    groundNoise(img, hex(0x5d8a3e), hex(0x7da24a), 0.012f, 11);
    // patchwork of fields
    Rng rng(21);
    const Col crops[] = {hex(0xc9b35a), hex(0x8fae4c), hex(0x6f9a3e), hex(0xd8c26e), hex(0x9c7a4a), hex(0x7fa855),
                         hex(0xb5a255)};
    for (int gy = 0; gy < 5; ++gy)
        for (int gx = 0; gx < 7; ++gx) {
            float cx = 60 + gx * 118 + rng.f(-10, 10), cy = 50 + gy * 100 + rng.f(-8, 8);
            field(img, cx, cy, rng.f(90, 115), rng.f(72, 92), rng.f(-8, 8) + (gx % 2 ? 90 : 0),
                  crops[rng.i(0, 6)], uint32_t(gx * 7 + gy), rng.f(4, 7));
        }
    // keep the top-left calm and dark for the white display text
    titleBand(img, Col{0.12f, 0.22f, 0.1f, 0.35f}, 150, 40);
    // country lanes
    road(img, {{-10, 150}, {120, 160}, {300, 140}, {520, 170}, {810, 150}}, 6, hex(0xb79f74), hex(0x8c7a58));
    road(img, {{120, 160}, {140, 300}, {110, 490}}, 5, hex(0xb79f74), hex(0x8c7a58));
    road(img, {{700, 160}, {690, 300}, {720, 490}}, 5, hex(0xb79f74), hex(0x8c7a58));
    // a pond
    img.fill(ellipse(735, 75, 42, 26), hex(0x5b7c4a));
    img.fill(ellipse(735, 75, 38, 22), radial({725, 68}, 40, hex(0x6aa3c0), hex(0x2f6286)));
    // mown airfield grass around the runways, fading into the fields
    {
        Mask grass(W, H);
        for (auto rw : {rws.longRw, rws.shortRw})
            grass.add(runwayGround(rw, 36, 56, 36));
        grass.blur(4);
        img.paint(grass, [&](float x, float y) {
            return shade(hex(0x6f9c47), 0.95f + 0.1f * fbm(x * 0.05f, y * 0.05f, 5));
        });
    }
    // apron, terminal and hangars south of the long runway
    apron(img, rect(300, 292, 240, 40), hex(0xb8b6ae), 3);
    road(img, {{360, 266}, {360, 292}}, 10, hex(0x9a9890), hex(0x7a7870));
    road(img, {{480, 266}, {480, 292}}, 10, hex(0x9a9890), hex(0x7a7870));
    road(img, {{245, 300}, {300, 305}}, 10, hex(0x9a9890), hex(0x7a7870));
    standLines(img, 320, 332, 5, 44, 26, -1);
    building(img, 420, 352, 150, 34, 0, hex(0x8e6a52), false);
    img.fill(rect(350, 338, 140, 4), hex(0x6fa3c8));  // terminal glazing
    building(img, 310, 360, 44, 40, 0, hex(0xa33a2c));  // red barn hangars
    building(img, 540, 350, 40, 36, 90, hex(0xa33a2c));
    tower(img, 580, 318);
    road(img, {{420, 372}, {430, 420}, {560, 440}, {810, 430}}, 7, hex(0x8d8a84), hex(0x6e6b66));
    // parking with a few cars
    apron(img, rect(445, 380, 70, 30), hex(0x8d8a84), 9);
    Rng cars(5);
    for (int i = 0; i < 6; ++i)
        img.fill(roundRect(450 + i * 11, 385 + (i % 2) * 12, 7, 10, 2), hex(0xc0392b + cars.i(0, 3) * 0x151500));
    // farmstead in the north-west
    building(img, 70, 100, 46, 30, 8, hex(0xa33a2c));
    building(img, 115, 115, 30, 22, 8, hex(0x9b8a76));
    tank(img, 60, 140, 9, hex(0xc8c8c0));
    tank(img, 82, 145, 8, hex(0xc8c8c0));
    // an orchard, hay bales and a tractor at work
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 4; ++j) tree(img, 40 + i * 14 + (j % 2) * 7, 300 + j * 12, 5, hex(0x4f8f3a), uint32_t(i * 9 + j));
    Rng hay(78);
    for (int i = 0; i < 9; ++i) {
        float x = 420 + (i % 3) * 22 + hay.f(-4, 4), y = 40 + (i / 3) * 18 + hay.f(-3, 3);
        img.shadow(circle(x + 2, y + 2, 4.5f), 0, 0, 1.2f, 0.4f);
        img.fill(circle(x, y, 4.5f), radial({x - 1.5f, y - 1.5f}, 6, hex(0xf0d98a), hex(0xb89a4a)));
        img.stroke(smooth({{x - 2.5f, y}, {x, y - 2.5f}, {x + 2.5f, y}, {x, y + 2.5f}}, 4, true), 0.5f, Col{0.5f, 0.4f, 0.2f, 0.5f}, true);
    }
    {
        Xf t = Xf::translate(560, 100) * Xf::rotate(-10);
        img.shadow(transform(rect(-8, -5, 16, 10), t), 2, 3, 1.2f, 0.45f);
        img.fill(transform(roundRect(-2, -5, 12, 10, 2), t), hex(0xc0392b));       // body
        img.fill(transform(rect(-3, -4, 5, 8), t), hex(0x2d3e4f));                 // cab roof
        for (float sy : {-6.0f, 6.0f}) img.fill(transform(roundRect(-6, sy - 1.6f, 6, 3.2f, 1), t), hex(0x222222));
        Mask furrow(W, H);
        furrow.addStroke({t(V2{-10, -3}), t(V2{-90, -3})}, 1.5f, 0.4f);
        furrow.addStroke({t(V2{-10, 3}), t(V2{-90, 3})}, 1.5f, 0.4f);
        img.paint(furrow, hex(0x6b5233));
    }
    Rng tr(77);
    for (int i = 0; i < 70; ++i) {
        float x = tr.f(0, 800), y = tr.f(0, 480);
        bool clear = true;
        for (auto rw : {rws.longRw, rws.shortRw}) {
            V2 d = V2{x, y} - rw.p;
            float a = d.x * rw.u.x + d.y * rw.u.y, c = d.x * rw.v.x + d.y * rw.v.y;
            if (std::abs(a) < rw.len / 2 + 80 && std::abs(c) < 50) clear = false;
        }
        if (x > 280 && x < 600 && y > 280 && y < 450) clear = false;
        if (x > 30 && x < 140 && y > 80 && y < 160) clear = false;   // the farmstead
        if (x > 30 && x < 130 && y > 290 && y < 350) clear = false;  // the orchard
        if (x > 400 && x < 590 && y > 25 && y < 115) clear = false;  // hay and tractor
        if (nearFlag(r, x, y, 50)) clear = false;
        if (clear) tree(img, x, y, tr.f(5, 9), hex(0x3f7a32), uint32_t(i));
    }
    runway(img, rws.longRw, hex(0x4a4a4c), hex(0x8a8a80), 0.3f, 101);
    runway(img, rws.shortRw, hex(0x535350), hex(0x8a8a80), 0.4f, 102);
    flagPlaza(img, r.flagX, r.flagY, hex(0xcfc8b8));
    return img;
}

// Signed distance-ish helper for the coast: x of the shoreline at a given y.
float coastX(float y) { return 690 + 35 * std::sin(y * 0.012f) + 18 * std::sin(y * 0.031f + 1.0f) - 40 * std::exp(-((y - 40) * (y - 40)) / 4000.0f); }

// Grass and heath under everything.
void seasideGround(Img& img) {
    groundNoise(img, hex(0x6f9646), hex(0x97ad5c), 0.015f, 31);
}

void seasideCoast(Img& img) {
    // sea, beach and surf
    img.fillAll([&](float x, float y) {
        float cx = coastX(y);
        float d = x - cx;
        if (d < -26) return Col{0, 0, 0, 0};
        float n = fbm(x * 0.03f, y * 0.03f, 33, 4);
        if (d < 0) {  // dunes and sand
            float t = sstep(-26, -14, d);
            return mix(Col{0.85f, 0.78f, 0.55f, t}, hex(0xe9dcae), 0.3f + 0.5f * n);
        }
        float depth = sstep(0, 90, d + n * 20);
        Col water = mix(hex(0x4fc0c8), hex(0x1d5f93), depth);
        float foam = (1 - sstep(0, 7, d)) + 0.5f * (1 - sstep(0, 3, std::abs(d - 14 - 6 * std::sin(y * 0.05f))));
        water = mix(water, hex(0xf4fbfb), std::clamp(foam * (0.6f + 0.4f * n), 0.0f, 1.0f));
        float wave = std::pow(std::max(0.0f, std::sin((d + n * 30) * 0.25f)), 16.0f) * 0.15f * depth;
        return shade(water, 1.0f + wave);
    });
}

void seasideOldTown(Img& img, const AirportRec& r) {
    // old town in the south-west, colourful roofs
    Rng t(41);
    img.fill(poly({{0, 300}, {200, 320}, {250, 480}, {0, 480}}), hex(0xb9ad98));
    for (int i = 0; i < 40; ++i) {
        float x = t.f(10, 230), y = t.f(330, 470);
        if (x > 0.8f * (y - 300) + 180) continue;
        if (nearFlag(r, x, y, 45)) continue;
        const uint32_t roofs[] = {0xc0563a, 0xd9774a, 0xe0b25a, 0x6f8fb0, 0xb84c3c, 0xdcd3c0};
        building(img, x, y, t.f(14, 24), t.f(12, 18), t.f(-10, 10), hex(roofs[t.i(0, 5)]));
    }
    road(img, {{0, 310}, {120, 330}, {230, 380}, {330, 460}, {360, 490}}, 7, hex(0x9f9c96), hex(0x7d7a74));
}

void seasideTerminal(Img& img, const RunwayPair& rws) {
    // the long runway's ground and the terminal between the runways
    for (auto rw : {rws.longRw, rws.shortRw})
        img.fill(runwayGround(rw, 30, 30, 36),
                 [&](float x, float y) { return shade(hex(0x86a65a), 0.95f + 0.1f * fbm(x * 0.05f, y * 0.05f, 8)); });
    apron(img, box(437, 343, 130, 64, -15), hex(0xc7c3b8), 4);
    road(img, {{428.7f, 312}, {388.5f, 242.4f}}, 10, hex(0x9a9890), hex(0x7a7870));
    road(img, {{499.8f, 326}, {525.9f, 311}}, 10, hex(0x9a9890), hex(0x7a7870));
    {
        Xf t = Xf::translate(437, 343) * Xf::rotate(-15);
        Mask lines(W, H);
        for (int i = 0; i < 4; ++i) {
            float x = -45 + i * 30.0f;
            lines.addStroke(smooth({t(V2{x, 30}), t(V2{x, 0}), t(V2{x + 8, -20})}, 6), 1.0f);
        }
        img.paint(lines, hex(0xe8c547), 0.8f);
    }
    building(img, 449, 388, 120, 26, -15, hex(0xe8e2d4), false);
    {
        Xf t = Xf::translate(449, 388) * Xf::rotate(-15);
        img.stroke({t(V2{-58, -11}), t(V2{58, -11})}, 2.5f, hex(0x5fa0c8));
    }
    tower(img, 522, 388);
}

void seasideMarina(Img& img) {
    // marina: piers into the sea
    for (int i = 0; i < 4; ++i) {
        float y = 220 + i * 26;
        float x0 = coastX(y) - 4;
        img.fill(rect(x0, y, 60, 4), hex(0x8a6f4e));
        for (int k = 0; k < 3; ++k)
            img.fill(transform(poly({{0, -3}, {12, 0}, {0, 3}, {-2, 0}}), Xf::translate(x0 + 14 + k * 16, y + (k % 2 ? 9 : -5))),
                     hex(0xfafafa));
    }
}

void seasideBeach(Img& img) {
    // parasols on the beach and sailing boats with their wakes
    Rng bp(57);
    const uint32_t parasol[] = {0xe74c3c, 0xf1c40f, 0x3498db, 0xffffff, 0xe67e22, 0x1abc9c};
    for (int i = 0; i < 22; ++i) {
        float y = bp.f(20, 470), x = coastX(y) - bp.f(7, 20);
        if (y > 205 && y < 310) continue;   // the marina
        img.shadow(circle(x + 1.5f, y + 2, 3), 0, 0, 1, 0.35f);
        img.fill(circle(x, y, 3), hex(parasol[bp.i(0, 5)]));
        img.fill(circle(x, y, 0.8f), hex(0xffffff));
    }
    for (int i = 0; i < 5; ++i) {
        float y = 40.0f + i * 92 + bp.f(-10, 10), x = coastX(y) + bp.f(45, 95);
        if (x > 790) continue;
        Mask wake(W, H);
        wake.addStroke({{x - 4, y}, {x - 26, y - 5}}, 1.2f, 0.8f);
        wake.addStroke({{x - 4, y}, {x - 26, y + 5}}, 1.2f, 0.8f);
        wake.blur(0.8f);
        img.paint(wake, hex(0xffffff), 0.6f);
        img.fill(poly({{x - 6, y - 2.2f}, {x + 3, y - 2.2f}, {x + 7, y}, {x + 3, y + 2.2f}, {x - 6, y + 2.2f}}), hex(0xfdfdfd));
        img.fill(poly({{x - 3, y - 0.5f}, {x + 3, y - 0.5f}, {x - 2, y - 7}}), Col{1, 1, 1, 0.85f});
    }
}

void seasideGreenery(Img& img, const RunwayPair& rws) {
    // palms and dunes grass along the beach
    Rng p(55);
    for (int i = 0; i < 26; ++i) {
        float y = p.f(0, 480), x = coastX(y) - p.f(32, 70);
        bool clear = !nearRunways(rws, x, y, 60, 45);
        if (clear) palm(img, x, y, p.f(7, 10), uint32_t(i));
    }
    Rng tr(66);
    for (int i = 0; i < 50; ++i) {
        float x = tr.f(0, 640), y = tr.f(0, 300);
        bool clear = x < coastX(y) - 40 && !nearRunways(rws, x, y, 60, 48);
        if (clear) tree(img, x, y, tr.f(5, 8), hex(0x4a7d35), uint32_t(i + 300));
    }
}

Img seaside(const AirportRec& r) {
    const RunwayPair rws = runways(r);
    Img img(W, H);
    seasideGround(img);
    seasideCoast(img);
    seasideOldTown(img, r);
    seasideTerminal(img, rws);
    seasideMarina(img);
    seasideBeach(img);
    seasideGreenery(img, rws);
    // darker hedge under the display text in the top-left
    titleBand(img, Col{0.1f, 0.2f, 0.1f, 0.3f}, 150, 40);
    runway(img, rws.longRw, hex(0x505052), hex(0xcfc29a), 0.3f, 201);
    runway(img, rws.shortRw, hex(0x555557), hex(0xcfc29a), 0.3f, 202);
    flagPlaza(img, r.flagX, r.flagY, hex(0xe3d9c2));
    return img;
}

void arcticSnow(Img& img) {
    // wind-blown snow with blue shadows in the drifts
    img.fillAll([&](float x, float y) {
        float n = fbm(x * 0.01f + y * 0.004f, y * 0.02f, 61, 5);
        float drift = std::pow(std::max(0.0f, std::sin((x * 0.3f + y * 1.0f) * 0.05f + n * 6)), 3.0f);
        Col c = mix(hex(0xf4f8fc), hex(0xc9d7e8), sstep(0.35f, 0.8f, n) * 0.8f + drift * 0.2f);
        float g = (noise2(x * 1.3f, y * 1.3f, 62) - 0.5f) * 0.03f;
        return Col{c.r + g, c.g + g, c.b + g, 1};
    });
}

void arcticLake(Img& img) {
    // frozen lake in the south-west with a ragged shore
        std::vector<V2> shore;
        for (int i = 0; i < 64; ++i) {
            float a = i * 2 * PI / 64;
            float k = 0.85f + 0.3f * fbm(std::cos(a) * 2 + 5, std::sin(a) * 2 + 5, 64, 3);
            shore.push_back({140 + std::cos(a) * 150 * k, 415 + std::sin(a) * 72 * k});
        }
        Shape lake = poly(smooth(shore, 3, true));
        img.shadow(lake, 0, -2, 3, 0.15f);
        img.fill(transform(lake, Xf::translate(140, 415) * Xf::scale(1.04f, 1.08f) * Xf::translate(-140, -415)), hex(0xe3edf6));
        img.fill(lake, [&](float x, float y) {
            float n = fbm(x * 0.02f, y * 0.05f, 63, 4);
            float crack = std::pow(std::abs(std::sin(x * 0.05f + n * 8)), 40.0f);
            float snowPatch = sstep(0.55f, 0.7f, fbm(x * 0.03f, y * 0.03f, 65, 3));
            Col ice = mix(mix(hex(0xa8cde4), hex(0x7fb0d2), n), hex(0xffffff), crack * 0.6f);
            return mix(ice, hex(0xf2f6fa), snowPatch * 0.8f);
        });
        // fishing huts on the ice
        const uint32_t huts[] = {0xc0392b, 0x2f6f9a, 0xe0a030};
        for (int i = 0; i < 3; ++i) building(img, 90.0f + i * 48, 420.0f + (i % 2) * 18, 10, 8, i * 12.0f, hex(huts[i]));
}

void arcticRocks(Img& img, const AirportRec& r) {
    // rocky outcrops dusted with snow
    Rng rk(66);
    for (int i = 0; i < 14; ++i) {
        float x = rk.f(0, 800), y = rk.f(0, 480);
        if ((x > 200 && x < 640 && y > 260 && y < 340) || (x > 560 && x < 640 && y < 300) || (x > 350 && x < 560 && y > 100 && y < 280))
            continue;
        if (x < 260 && y < 70) continue;
        if (nearFlag(r, x, y, 50)) continue;
        if (std::pow((x - 140) / 185, 2) + std::pow((y - 415) / 95, 2) < 1) continue;
        std::vector<V2> pts;
        float rr = rk.f(5, 11);
        for (int k = 0; k < 7; ++k) {
            float a = k * 2 * PI / 7;
            pts.push_back({x + std::cos(a) * rr * rk.f(0.7f, 1.2f), y + std::sin(a) * rr * rk.f(0.6f, 1.0f)});
        }
        img.shadow(poly(pts), 2, 3, 1.5f, 0.35f);
        img.fill(poly(pts), linear({x - rr, y - rr}, hex(0x8d939b), {x + rr, y + rr}, hex(0x4f555d)));
        img.fill(transform(poly(pts), Xf::translate(x - 1, y - 1.5f) * Xf::scale(0.6f, 0.5f) * Xf::translate(-x, -y)), Col{1, 1, 1, 0.9f});
    }
}

void arcticTracks(Img& img, const AirportRec& r) {
    // vehicle tracks over the snow
    Mask tracks(W, H);
    for (float off : {-2.0f, 2.0f}) {
        tracks.addStroke(smooth({{455, 140}, {430, 100}, {330, 70}, {250, 110}, {r.flagX + 30, r.flagY}}, 10), 1.2f, 0.5f);
        tracks.addStroke(smooth({{370 + off, 262}, {300 + off, 330}, {230 + off, 360}, {190 + off, 400}}, 10), 1.2f, 0.5f);
        tracks.addStroke(smooth({{640, 180 + off}, {700, 200 + off}, {760, 260 + off}, {810, 300 + off}}, 10), 1.2f, 0.5f);
    }
    img.paint(tracks, hex(0x9fb4c8));
}

void arcticBanks(Img& img, const RunwayPair& rws) {
    // ploughed banks along the runways
    for (auto rw : {rws.longRw, rws.shortRw}) {
        img.fill(runwayGround(rw, 20, 50, 30),
                 hex(0xe6edf5));
        for (float s : {-1.0f, 1.0f}) {
            Mask m(W, H);
            m.addStroke({rw.at(-rw.len / 2 - 16, s * 27), rw.at(rw.len / 2 + 16, s * 27)}, 5);
            m.blur(1.5f);
            img.paint(m, hex(0xffffff), 0.9f);
            img.shadow(m, 2, 3, 2, 0.15f);
        }
    }
}

void arcticBase(Img& img) {
    // the research base between the runways
    apron(img, rect(370, 140, 170, 120), hex(0xb8c2cc), 7);
    road(img, {{455, 260}, {455, 286}}, 12, hex(0x8e96a0), hex(0x737b86));
    road(img, {{540, 180}, {586, 180}}, 12, hex(0x8e96a0), hex(0x737b86));
    // gabled huts with snow lying on their roofs: a smooth cover that leaves the eaves, the
    // gable ends and the ridge showing, thicker on the lee (south) side
    auto snowyHut = [&](float cx, float cy, float w, float h, Col roof) {
        building(img, cx, cy, w, h, 0, roof);
        img.fill(rect(cx - w / 2, cy - h / 2, w, h), [&](float x, float y) {
            bool lee = y > cy;
            float wobble = (fbm(x * 0.09f, y * 0.09f, 67, 2) - 0.5f) * 3.0f;
            float eave = lee ? (cy + h / 2 - y) : (y - (cy - h / 2));
            float a = sstep(lee ? 1.5f : 3.5f, lee ? 3.0f : 5.5f, eave + wobble);
            a *= sstep(0.6f, 1.8f, std::abs(y - cy) + (lee ? 0.8f : 0.0f));
            a *= sstep(1.0f, 2.5f, std::min(x - (cx - w / 2), cx + w / 2 - x) + wobble * 0.5f);
            Col snow = lee ? Col{0.90f, 0.93f, 0.98f, 1} : Col{0.98f, 0.99f, 1.0f, 1};
            snow.a = a * 0.96f;
            return snow;
        });
        img.stroke({{cx - w / 2 + 2, cy}, {cx + w / 2 - 2, cy}}, 1.0f, Col{0.5f, 0.55f, 0.62f, 0.35f});
    };
    snowyHut(410, 170, 60, 30, hex(0xd0463a));
    snowyHut(410, 215, 60, 26, hex(0xe0a030));
    snowyHut(500, 225, 50, 34, hex(0x5d7a96));
    // radar dome
    img.shadow(circle(490, 168, 20), 4, 5, 3, 0.5f);
    img.fill(circle(490, 168, 20), radial({482, 160}, 30, hex(0xffffff), hex(0xaab6c4)));
    for (int i = -2; i <= 2; ++i) img.stroke(smooth({{471, 168 + i * 7.0f}, {490, 166 + i * 7.0f}, {509, 168 + i * 7.0f}}, 6), 0.6f, Col{0.4f, 0.5f, 0.6f, 0.4f});
    tank(img, 380, 120, 10, hex(0xd6dde4));
    tank(img, 404, 118, 10, hex(0xd6dde4));
    tower(img, 548, 140);
}

void arcticPines(Img& img, const AirportRec& r, const RunwayPair& rws) {
    // forests of snowy pines
    Rng tr(71);
    for (int i = 0; i < 260; ++i) {
        float x = tr.f(0, 800), y = tr.f(0, 480);
        bool clear = !nearRunways(rws, x, y, 70, 48);
        if (x > 350 && x < 560 && y > 100 && y < 280) clear = false;
        if (std::pow((x - 140) / 175, 2) + std::pow((y - 415) / 90, 2) < 1) clear = false;
        if (nearFlag(r, x, y, 50)) clear = false;
        if (x < 250 && y < 60) clear = false;   // the display text stays on plain snow
        float dens = fbm(x * 0.01f, y * 0.01f, 72, 3);
        if (clear && dens > 0.47f) pine(img, x, y, tr.f(6, 10), hex(0x2f5a45), true, uint32_t(i));
    }
}

void arcticSnowOnRunways(Img& img, const RunwayPair& rws) {
    // a dusting of snow over the asphalt edges
    Rng dust(9);
    for (int i = 0; i < 260; ++i) {
        auto& rw = (i % 2) ? rws.longRw : rws.shortRw;
        float a = dust.f(-rw.len / 2, rw.len / 2), c = (dust.f() < 0.5f ? -1 : 1) * dust.f(13, 15);
        V2 p = rw.at(a, c);
        img.fill(circle(p.x, p.y, dust.f(0.8f, 1.6f)), Col{1, 1, 1, 0.55f});
    }
}

Img arctic(const AirportRec& r) {
    const RunwayPair rws = runways(r);
    Img img(W, H);
    arcticSnow(img);
    arcticLake(img);
    arcticRocks(img, r);
    arcticTracks(img, r);
    arcticBanks(img, rws);
    arcticBase(img);
    arcticPines(img, r, rws);
    runway(img, rws.longRw, hex(0x3f4448), hex(0xd5dde6), 0.2f, 301);
    runway(img, rws.shortRw, hex(0x44494e), hex(0xd5dde6), 0.2f, 302);
    arcticSnowOnRunways(img, rws);
    flagPlaza(img, r.flagX, r.flagY, hex(0xc4ccd6), true);
    return img;
}

void portGround(Img& img) {
    // old cracked concrete with stains and weeds
    img.fillAll([&](float x, float y) {
        float n = fbm(x * 0.015f, y * 0.015f, 81, 5);
        float stain = sstep(0.55f, 0.8f, fbm(x * 0.03f, y * 0.03f, 82, 3));
        float weeds = sstep(0.6f, 0.78f, fbm(x * 0.09f, y * 0.09f, 83, 4)) * 0.7f;
        Col c = mix(hex(0x9a958a), hex(0xb3ad9f), n);
        c = mix(c, hex(0x6d6a60), stain * 0.5f);
        c = mix(c, hex(0x6f7f45), weeds * 0.8f);
        // slab joints
        bool joint = std::fmod(x + 3 * std::sin(y * 0.01f), 40.0f) < 0.8f || std::fmod(y, 40.0f) < 0.8f;
        if (joint) c = shade(c, 0.85f);
        float g = (noise2(x * 1.1f, y * 1.1f, 84) - 0.5f) * 0.05f;
        return Col{c.r + g, c.g + g, c.b + g, 1};
    });
}

void portCracks(Img& img) {
    // cracks
    Rng cr(85);
    Mask cm(W, H);
    for (int i = 0; i < 40; ++i) {
        V2 p{cr.f(0, 800), cr.f(0, 480)};
        std::vector<V2> pts{p};
        float a = cr.f(0, 2 * PI);
        for (int k = 0; k < 6; ++k) {
            a += cr.f(-0.8f, 0.8f);
            p = p + V2{std::cos(a), std::sin(a)} * cr.f(5, 14);
            pts.push_back(p);
        }
        cm.addStroke(pts, 0.8f, 0.6f);
    }
    img.paint(cm, hex(0x4a463e));
}

void portRails(Img& img) {
    // old rail tracks along the quay and into the warehouses
    auto rails = [&](const std::vector<V2>& pts) {
        auto sm = smooth(pts, 12);
        Mask bed(W, H), steel(W, H);
        bed.addStroke(sm, 9, 0.8f);
        img.paint(bed, hex(0x6a6258));
        for (size_t i = 1; i < sm.size(); ++i) {
            V2 d = sm[i] - sm[i - 1];
            float l = len(d);
            if (l < 1e-3f) continue;
            V2 n{-d.y / l, d.x / l};
            for (float t = 0; t < l; t += 4) {
                V2 p = sm[i - 1] + d * (t / l);
                steel.addStroke({p - n * 4.2f, p + n * 4.2f}, 1.4f, 0.6f);
            }
        }
        img.paint(steel, hex(0x4a3a2a));
        Mask rl(W, H);
        std::vector<V2> a, b;
        for (size_t i = 0; i < sm.size(); ++i) {
            V2 d = sm[std::min(i + 1, sm.size() - 1)] - sm[i == 0 ? 0 : i - 1];
            float l = std::max(1e-3f, len(d));
            V2 n{-d.y / l, d.x / l};
            a.push_back(sm[i] + n * 2.6f);
            b.push_back(sm[i] - n * 2.6f);
        }
        rl.addStroke(a, 1.0f);
        rl.addStroke(b, 1.0f);
        img.paint(rl, hex(0x9a8f84));
    };
    rails({{290, 480}, {345, 408}, {460, 386}, {515, 348}, {640, 346}, {700, 316}, {810, 310}});
    rails({{700, 316}, {712, 262}, {720, 226}});
}

void portHarbour(Img& img) {
    // harbour basin in the south-east with the quay wall
    std::vector<V2> quay = {{330, 480}, {360, 420}, {470, 400}, {520, 360}, {640, 360}, {700, 330}, {800, 325}, {800, 480}};
    img.shadow(poly(quay), -3, -4, 2, 0.4f);
    img.fill(poly(quay), [&](float x, float y) {
        float n = fbm(x * 0.02f, y * 0.05f, 86, 4);
        Col c = mix(hex(0x2f5d6e), hex(0x1b3c4c), n);
        float ripple = std::pow(std::max(0.0f, std::sin(y * 0.5f + n * 10)), 12.0f) * 0.12f;
        return shade(c, 1 + ripple);
    });
    img.stroke(quay, 3.0f, hex(0x5c564c));
    // piers and a moored freighter
    for (float x : {560.0f, 700.0f}) img.fill(rect(x, 355, 14, 90), hex(0x7d7466));
    img.shadow(roundRect(600, 395, 90, 28, 12), 3, 4, 3, 0.5f);
    img.fill(poly({{600, 395}, {672, 395}, {692, 409}, {672, 423}, {600, 423}}), hex(0x7a2e26));
    img.fill(rect(606, 399, 40, 20), hex(0x3c4a57));
    img.fill(rect(648, 400, 16, 18), hex(0xe8e2d4));
    for (int i = 0; i < 3; ++i) img.fill(rect(608 + i * 13, 401, 11, 16), hex(i == 1 ? 0x2f6f9a : 0xb85a30));
    // rusting cranes along the quay (top-down: rails, cab and jib)
    auto crane = [&](float x, float y, float ang) {
        Xf t = Xf::translate(x, y) * Xf::rotate(ang);
        img.shadow(transform(rect(-4, -40, 8, 70), t), 6, 7, 2, 0.45f);
        img.fill(transform(rect(-9, -9, 18, 18), t), hex(0xa4532c));
        img.fill(transform(rect(-3, -40, 6, 70), t), hex(0xc7672f));
        for (int k = -36; k < 28; k += 6) img.stroke({t(V2{-3, float(k)}), t(V2{3, float(k + 6)})}, 0.7f, hex(0x7a3a1c));
        img.fill(transform(rect(-5, 22, 10, 10), t), hex(0x5a5148));
    };
    crane(470, 385, 20);
    crane(600, 345, 0);
    crane(740, 315, -10);
}

void portWarehouses(Img& img) {
    // warehouses in the north-east and west, with rusty roofs
    building(img, 720, 60, 120, 48, 0, hex(0x8c5a3c), false);
    building(img, 720, 200, 110, 44, 0, hex(0x6f7c6a), false);
    building(img, 80, 150, 50, 130, 0, hex(0x8a4a34), false);
    building(img, 60, 290, 70, 44, 0, hex(0x7a6e5e), false);
    // container stacks
    Rng ct(87);
    const uint32_t boxes[] = {0xb33a2a, 0x2f6f9a, 0xd09a2a, 0x3d7a4a, 0x8a8a8a};
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 3; ++j) {
            float x = 140 + i * 26 + ct.f(-1, 1), y = 30 + j * 11;
            img.shadow(rect(x, y, 24, 9), 3, 3, 1.5f, 0.4f);
            img.fill(rect(x, y, 24, 9), [&, c = hex(boxes[ct.i(0, 4)])](float xx, float) {
                return shade(c, 0.9f + 0.15f * (std::fmod(xx, 3.0f) < 1.5f));
            });
        }
}

void portGrassStrips(Img& img, const RunwayPair& rws) {
    // grass strips along the runways, patchy and overgrown
    for (auto rw : {rws.longRw, rws.shortRw})
        img.fill(runwayGround(rw, 20, 40, 32),
                 [&](float x, float y) {
                     float n = fbm(x * 0.05f, y * 0.05f, 88, 4);
                     return mix(hex(0x7d8a55), hex(0x9a9a70), n);
                 });
}

void portTerminal(Img& img, const RunwayPair& rws) {
    // apron with an old terminal, lighthouse on the pier head
    apron(img, poly({{380, 300}, {520, 300}, {520, 345}, {380, 345}}), hex(0xa7a294), 89);
    road(img, {{rws.longRw.at(-20, 16).x, rws.longRw.at(-20, 16).y}, {430, 300}}, 10, hex(0x8a867c), hex(0x6e6a60));
    building(img, 450, 330, 120, 22, 0, hex(0x9b8f7a), false);
    img.fill(circle(560, 430, 8), hex(0xe8e2d4));
    img.fill(circle(560, 430, 4), hex(0xc0392b));
    tower(img, 360, 330);
}

void portWeeds(Img& img, const AirportRec& r, const RunwayPair& rws) {
    // weeds and shrubs pushing through
    Rng wd(90);
    for (int i = 0; i < 60; ++i) {
        float x = wd.f(0, 800), y = wd.f(0, 480);
        bool clear = !nearRunways(rws, x, y, 50, 40);
        if (y > 320 && x > 350) clear = false;
        if (nearFlag(r, x, y, 45)) clear = false;
        if (clear) tree(img, x, y, wd.f(3, 6), hex(0x5b6e35), uint32_t(i + 500));
    }
}

Img port(const AirportRec& r) {
    const RunwayPair rws = runways(r);
    Img img(W, H);
    portGround(img);
    portCracks(img);
    portRails(img);
    portHarbour(img);
    portWarehouses(img);
    portGrassStrips(img, rws);
    portTerminal(img, rws);
    portWeeds(img, r, rws);
    // darker band under the display text
    titleBand(img, Col{0.1f, 0.1f, 0.08f, 0.35f}, 170, 45);
    runway(img, rws.longRw, hex(0x56534e), hex(0x8f8a7e), 0.8f, 401);
    runway(img, rws.shortRw, hex(0x5a5752), hex(0x8f8a7e), 0.9f, 402);
    flagPlaza(img, r.flagX, r.flagY, hex(0xb9b2a2));
    return img;
}

// Colour grading and a soft vignette that give each airport its light of day.
void grade(Img& img, Col tint, float amount, float vignette) {
    img.map([&](Col c, int x, int y) {
        Col g{c.r * (1 - amount) + c.r * tint.r * 1.1f * amount, c.g * (1 - amount) + c.g * tint.g * 1.1f * amount,
              c.b * (1 - amount) + c.b * tint.b * 1.1f * amount, 1};
        float d = std::hypot((x - 400) / 400.0f, (y - 240) / 240.0f) / 1.41f;
        float v = 1 - vignette * d * d;
        return Col{std::min(1.0f, g.r * v), std::min(1.0f, g.g * v), std::min(1.0f, g.b * v), 1};
    });
}

// The storm picture: the same port, dark and wet, with rain.
Img stormVariant(const Img& src) {
    Img img = src;
    img.map([](Col c, int x, int y) {
        float lum = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
        Col g{lum, lum, lum, 1};
        Col d = mix(c, g, 0.55f);
        d = {d.r * 0.48f, d.g * 0.52f, d.b * 0.62f, 1};
        float wet = sstep(0.5f, 0.75f, fbm(x * 0.02f, y * 0.02f, 91, 4));
        d = mix(d, hex(0x6d7f93), wet * 0.25f);
        float vign = 1 - 0.35f * std::pow(std::hypot((x - 400) / 400.0f, (y - 240) / 240.0f) / 1.41f, 2.0f);
        return Col{d.r * vign, d.g * vign, d.b * vign, 1};
    });
    Rng r(92);
    Mask rain(W, H);
    for (int i = 0; i < 900; ++i) {
        float x = r.f(-40, 820), y = r.f(-20, 480), l = r.f(8, 18);
        rain.addStroke({{x, y}, {x - l * 0.3f, y + l}}, 0.7f, r.f(0.25f, 0.6f));
    }
    img.paint(rain, hex(0xc8d4e0), 0.45f);
    // puddle rings
    for (int i = 0; i < 40; ++i) {
        float x = r.f(0, 800), y = r.f(0, 480), rr = r.f(2, 5);
        img.stroke(smooth({{x - rr, y}, {x, y - rr * 0.6f}, {x + rr, y}, {x, y + rr * 0.6f}}, 6, true), 0.6f, Col{0.8f, 0.85f, 0.9f, 0.3f}, true);
    }
    return img;
}

}  // namespace

Img airportPicture(const std::string& name) {
    std::lock_guard<std::mutex> lock(g_mu);
    auto it = g_pictures.find(name);
    if (it == g_pictures.end()) throw std::runtime_error("no airport picture " + name);
    return it->second;
}

const std::vector<AirportArt>& airportArt() {
    static const std::vector<AirportArt> table = {
        {0, "farmville.png", meadowfield, {0xfff0d0, 0.35f, 0.22f},  // warm afternoon
         "", "farmville", "airport_1.png", "farmville.png"},
        {1, "seaside.png", seaside, {0xfff8e8, 0.2f, 0.18f},         // bright summer
         "", "seaside", "airport_2.png", "seaside.png"},
        {2, "arctic_circle.png", arctic, {0xe8f0ff, 0.3f, 0.12f},    // cold light
         "", "arctic", "airport_3.png", "arctic.png"},
        {3, "forgotton_port_1.png", port, {0xffe6c8, 0.3f, 0.25f},   // dusty evening
         "forgotton_port_2.png", "port", "", ""},
    };
    return table;
}

void genAirports(const std::vector<AirportRec>& recs) {
    const auto& table = airportArt();
    std::vector<Img> pictures(table.size()), storms(table.size());
    std::vector<std::function<void()>> jobs;
    for (size_t i = 0; i < table.size(); ++i)
        jobs.push_back([&, i] {
            const AirportArt& art = table[i];
            Img a = art.paint(recordOf(art, recs));
            grade(a, hex(art.grading.tint), art.grading.amount, art.grading.vignette);
            if (!art.stormPicture.empty()) storms[i] = stormVariant(a);
            pictures[i] = std::move(a);
        });
    runParallel(jobs);
    auto keep = [](const std::string& name, const Img& img) {
        saveImage("airport/" + name, img);
        std::lock_guard<std::mutex> lock(g_mu);
        g_pictures[name] = img;
    };
    for (size_t i = 0; i < table.size(); ++i) {
        keep(table[i].picture, pictures[i]);
        if (!table[i].stormPicture.empty()) keep(table[i].stormPicture, storms[i]);
    }
}

}  // namespace ag
