// Aircraft seen from above, nose toward +x, in light liveries so the game's red and blue
// tints read; and the geese.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "gen.h"

namespace ag {

namespace {

// Points given for the upper half (y < cy) mirrored to the lower half.
Shape mirrored(const std::vector<V2>& upper, float cy) {
    std::vector<V2> lower;
    for (auto it = upper.rbegin(); it != upper.rend(); ++it) lower.push_back({it->x, 2 * cy - it->y});
    return {upper, lower};
}
// Fuselage: rounded nose at x1, tapered tail at x0.
Shape fuselage(float x0, float x1, float cy, float hw, float nose, float tail, float tailHw = 0.8f) {
    std::vector<V2> c;
    int n = 10;
    // tail taper
    c.push_back({x0, cy - tailHw});
    c.push_back({x0 + tail, cy - hw});
    c.push_back({x1 - nose, cy - hw});
    for (int i = 1; i < n; ++i) {
        float a = PI / 2 * (1 - float(i) / n);
        c.push_back({x1 - nose + nose * std::cos(a), cy - hw * std::sin(a)});
    }
    c.push_back({x1, cy});
    for (int i = n - 1; i >= 1; --i) {
        float a = PI / 2 * (1 - float(i) / n);
        c.push_back({x1 - nose + nose * std::cos(a), cy + hw * std::sin(a)});
    }
    c.push_back({x1 - nose, cy + hw});
    c.push_back({x0 + tail, cy + hw});
    c.push_back({x0, cy + tailHw});
    return {c};
}

// Across-the-body shading: bright ridge along the centre line, darker edges.
PaintFn bodyShade(Col base, float cy, float hw) {
    return [=](float, float y) {
        float t = std::clamp(std::abs(y - cy + hw * 0.25f) / hw, 0.0f, 1.0f);
        return shade(base, 1.06f - 0.22f * t * t);
    };
}
PaintFn wingShade(Col base, float cy, float span) {
    return [=](float, float y) {
        float t = std::clamp(std::abs(y - cy) / span, 0.0f, 1.0f);
        return shade(base, 1.0f - 0.12f * t);
    };
}

void enginePod(Img& img, float x, float y, float lenx, float hw, Col c) {
    img.fill(roundRect(x - lenx / 2, y - hw, lenx, 2 * hw, hw * 0.9f), bodyShade(c, y, hw));
    // dark intake at the front
    img.fill(ellipse(x + lenx / 2 - 0.6f, y, 0.9f, hw * 0.75f), hex(0x3a3f47));
}

void propDisc(Img& img, float x, float y, float r) {
    img.fill(ellipse(x, y, r * 0.18f, r), Col{0.25f, 0.27f, 0.3f, 0.35f});
    img.fill(ellipse(x, y, 0.6f, r * 0.95f), Col{0.2f, 0.2f, 0.22f, 0.6f});
    img.fill(circle(x + 0.3f, y, 0.9f), hex(0x50555c));
}

void cockpit(Img& img, float xNose, float cy, float hw) {
    img.fill(poly({{xNose - 3.6f, cy - hw * 0.62f}, {xNose - 1.4f, cy - hw * 0.4f}, {xNose - 1.4f, cy + hw * 0.4f},
                   {xNose - 3.6f, cy + hw * 0.62f}, {xNose - 4.2f, cy}}),
             hex(0x2c3e55));
}

// Soft dark rim so the light liveries stand out on snow and concrete.
Img withRim(const Img& plane) {
    Img out(plane.w, plane.h);
    Mask m = plane.alphaMask();
    m.blur(0.9f);
    for (auto& v : m.a) v = std::min(1.0f, v * 2.2f);
    out.paint(m, hex(0x1d232b), 0.55f);
    out.draw(plane, 0, 0);
    return out;
}

// Navigation lights: red on the left (port) wing tip, green on the right; nose is +x, so the
// left wing is the one toward -y.
void navLights(Img& p, float x, float cy, float halfSpan) {
    p.fill(circle(x, cy - halfSpan, 0.9f), hex(0xff3b30));
    p.fill(circle(x, cy + halfSpan, 0.9f), hex(0x34d058));
}

// The vertical fin seen from above: a thin sliver on the centre line.
void fin(Img& p, float x0, float x1, float cy, Col c) {
    p.fill(poly({{x0, cy - 0.7f}, {x1, cy - 0.45f}, {x1 + 1.5f, cy}, {x1, cy + 0.45f}, {x0, cy + 0.7f}}), c);
}

const Col WHITE = hex(0xf4f6f8);
const Col WING = hex(0xd9dee4);
const Col ENGINE = hex(0xc4cad2);

Img md11() {
    Img p(70, 48);
    float cy = 24;
    // wings (swept), under the fuselage
    Shape wing = mirrored({{41, cy - 2}, {24, cy - 22.5f}, {20.5f, cy - 22.5f}, {29, cy - 3}}, cy);
    p.fill(wing, wingShade(WING, cy, 22));
    // flaps line
    p.stroke({{29.5f, cy - 4}, {22, cy - 19}}, 0.6f, Col{0.5f, 0.55f, 0.6f, 0.6f});
    p.stroke({{29.5f, cy + 4}, {22, cy + 19}}, 0.6f, Col{0.5f, 0.55f, 0.6f, 0.6f});
    // tail plane
    p.fill(mirrored({{14, cy - 1.5f}, {5, cy - 11}, {2.5f, cy - 11}, {6, cy - 1.5f}}, cy), wingShade(WING, cy, 11));
    // wing engines
    enginePod(p, 36, cy - 10.5f, 9, 2.0f, ENGINE);
    enginePod(p, 36, cy + 10.5f, 9, 2.0f, ENGINE);
    p.fill(fuselage(2, 68, cy, 3.8f, 7, 12, 1.2f), bodyShade(WHITE, cy, 3.8f));
    // livery: pale blue stripe along the spine and tail engine
    p.fill(roundRect(8, cy - 0.9f, 52, 1.8f, 0.9f), hex(0xa9c4de));
    enginePod(p, 10, cy, 9, 2.4f, ENGINE);
    cockpit(p, 68, cy, 3.8f);
    navLights(p, 21.8f, cy, 22.0f);
    fin(p, 2.2f, 7.5f, cy, hex(0x7fa6cc));
    return withRim(p);
}

Img tu154() {
    Img p(70, 48);
    float cy = 24;
    Shape wing = mirrored({{44, cy - 2}, {25, cy - 22.5f}, {21.5f, cy - 22.5f}, {31, cy - 3}}, cy);
    p.fill(wing, wingShade(WING, cy, 22));
    // wing fences
    for (float s : {-1.0f, 1.0f}) {
        p.stroke({{33, cy + s * 8}, {30, cy + s * 9}}, 0.6f, Col{0.45f, 0.5f, 0.55f, 0.7f});
        p.stroke({{28, cy + s * 14}, {25, cy + s * 15}}, 0.6f, Col{0.45f, 0.5f, 0.55f, 0.7f});
    }
    // main gear pods trailing the wing
    p.fill(roundRect(23, cy - 9.5f, 9, 2.4f, 1.2f), hex(0xcfd4da));
    p.fill(roundRect(23, cy + 7.1f, 9, 2.4f, 1.2f), hex(0xcfd4da));
    p.fill(fuselage(3, 68, cy, 3.5f, 9, 10, 1.0f), bodyShade(WHITE, cy, 3.5f));
    // side engines on the rear fuselage
    enginePod(p, 12, cy - 5.2f, 9, 1.9f, ENGINE);
    enginePod(p, 12, cy + 5.2f, 9, 1.9f, ENGINE);
    // T-tail on top of everything
    p.fill(mirrored({{9, cy - 1}, {3.5f, cy - 10.5f}, {1, cy - 10.5f}, {2.5f, cy - 1}}, cy), wingShade(WING, cy, 11));
    p.fill(roundRect(2, cy - 1.2f, 11, 2.4f, 1.2f), hex(0xdfe3e8));
    p.fill(roundRect(16, cy - 0.8f, 44, 1.6f, 0.8f), hex(0xe0b46a));
    cockpit(p, 68, cy, 3.5f);
    navLights(p, 22.8f, cy, 22.0f);
    return withRim(p);
}

Img a380() {
    Img p(74, 62);
    float cy = 31;
    Shape wing = mirrored({{44, cy - 3}, {25, cy - 29.5f}, {20.5f, cy - 29.5f}, {27, cy - 4}}, cy);
    p.fill(wing, wingShade(WING, cy, 29));
    for (float s : {-1.0f, 1.0f}) {   // wingtip fences
        p.fill(roundRect(19.5f, cy + s * 29.5f - 0.8f, 6.5f, 1.6f, 0.8f), hex(0xb8933e));
    }
    p.fill(mirrored({{14, cy - 2}, {4.5f, cy - 13}, {1.5f, cy - 13}, {5, cy - 2}}, cy), wingShade(WING, cy, 13));
    for (float s : {-1.0f, 1.0f}) {
        enginePod(p, 37, cy + s * 10.5f, 9, 2.2f, ENGINE);
        enginePod(p, 31, cy + s * 19, 8, 2.0f, ENGINE);
    }
    p.fill(fuselage(2, 72, cy, 5.0f, 9, 14, 1.4f), bodyShade(WHITE, cy, 5.0f));
    // state livery: royal blue spine with a gold cheat line
    p.fill(roundRect(10, cy - 1.9f, 54, 3.8f, 1.9f), hex(0x4a6fb0));
    p.fill(roundRect(10, cy - 2.7f, 54, 0.8f, 0.4f), hex(0xd9b45a));
    p.fill(roundRect(10, cy + 1.9f, 54, 0.8f, 0.4f), hex(0xd9b45a));
    // a small crest on the spine
    p.fill(star(52, cy, 1.8f, 0.8f, 5, 0), hex(0xf2d37a));
    cockpit(p, 72, cy, 5.0f);
    navLights(p, 22.0f, cy, 28.8f);
    fin(p, 2.2f, 15, cy, hex(0x2f4f8a));
    return withRim(p);
}

Img c130() {
    Img p(48, 46);
    float cy = 23;
    // straight high wing
    Shape wing = mirrored({{29, cy - 2}, {27, cy - 22.5f}, {23.5f, cy - 22.5f}, {22, cy - 2}}, cy);
    p.fill(wing, wingShade(hex(0xe6e9ec), cy, 22));
    // tail plane
    p.fill(mirrored({{8, cy - 1.5f}, {5, cy - 9.5f}, {2, cy - 9.5f}, {2, cy - 1.5f}}, cy), wingShade(WING, cy, 10));
    p.fill(fuselage(1, 46, cy, 3.9f, 6, 9, 1.5f), bodyShade(WHITE, cy, 3.9f));
    // nacelles and propellers
    for (float s : {-1.0f, 1.0f})
        for (float d : {7.5f, 15.0f}) {
            enginePod(p, 29, cy + s * d, 9, 1.5f, ENGINE);
            propDisc(p, 34.5f, cy + s * d, 4.2f);
        }
    // red crosses: on the spine and on each wing
    auto cross = [&](float x, float y, float a) {
        p.fill(rect(x - a, y - a / 3, 2 * a, 2 * a / 3), hex(0xd7262e));
        p.fill(rect(x - a / 3, y - a, 2 * a / 3, 2 * a), hex(0xd7262e));
    };
    p.fill(circle(16, cy, 3.4f), hex(0xffffff));
    cross(16, cy, 2.8f);
    cross(25.5f, cy - 18, 2.4f);
    cross(25.5f, cy + 18, 2.4f);
    cockpit(p, 46, cy, 3.9f);
    navLights(p, 25.0f, cy, 22.0f);
    fin(p, 1.5f, 9, cy, hex(0xd7262e));
    return withRim(p);
}

Img mooney() {
    Img p(38, 32);
    float cy = 16;
    Shape wing = mirrored({{22.5f, cy - 2}, {21, cy - 14.5f}, {17.5f, cy - 14.5f}, {16, cy - 2}}, cy);
    p.fill(wing, wingShade(hex(0xeef1f4), cy, 14));
    // wing tip colour
    for (float s : {-1.0f, 1.0f}) p.fill(rect(17.6f, cy + s * 13.0f - 1.5f, 3.4f, 3.0f), hex(0x3f7fc4));
    p.fill(mirrored({{7, cy - 1}, {5.5f, cy - 6.5f}, {2.5f, cy - 6.5f}, {2, cy - 1}}, cy), wingShade(WING, cy, 7));
    p.fill(fuselage(1.5f, 34, cy, 2.6f, 4, 9, 0.9f), bodyShade(WHITE, cy, 2.6f));
    // canopy
    p.fill(ellipse(24.5f, cy, 3.3f, 1.8f), hex(0x35506e));
    p.fill(ellipse(25.2f, cy - 0.6f, 1.4f, 0.6f), Col{1, 1, 1, 0.5f});
    p.fill(roundRect(6, cy - 0.5f, 15, 1.0f, 0.5f), hex(0x3f7fc4));
    propDisc(p, 34.8f, cy, 6.0f);
    navLights(p, 19.2f, cy, 14.0f);
    fin(p, 1.8f, 7.5f, cy, hex(0x3f7fc4));
    return withRim(p);
}

Img uav() {
    Img p(38, 32);
    float cy = 16;
    Col grey = hex(0xb9c0c8);
    // long thin straight wings
    Shape wing = mirrored({{21.5f, cy - 1.5f}, {20.5f, cy - 15}, {18.5f, cy - 15}, {17.5f, cy - 1.5f}}, cy);
    p.fill(wing, wingShade(grey, cy, 15));
    // V-tail
    p.fill(mirrored({{7, cy - 0.8f}, {3.2f, cy - 7}, {1.6f, cy - 7}, {3.5f, cy - 0.8f}}, cy), wingShade(grey, cy, 7));
    // slim body with the bulbous sensor nose
    p.fill(fuselage(3, 33, cy, 1.9f, 6, 12, 0.8f), bodyShade(hex(0xcdd3d9), cy, 1.9f));
    p.fill(ellipse(29.5f, cy, 3.6f, 2.3f), bodyShade(hex(0xd5dae0), cy, 2.3f));
    p.fill(circle(24, cy, 1.1f), hex(0x2b2f36));  // sensor turret
    p.fill(rect(11, cy - 0.4f, 10, 0.8f), hex(0xe07b2a));
    propDisc(p, 2.6f, cy, 3.2f);
    navLights(p, 19.5f, cy, 14.5f);
    return withRim(p);
}

}  // namespace

Img gooseFrame(int frame, float k) {
    int size = int(std::lround(64 * k));
    Img f(size, size);
    const Xf S = Xf::scale(k, k);
    auto put = [&](const Shape& sh, Col c) { f.fill(transform(sh, S), c); };
    // V formation around the rotation handle (29, 30), flying toward +x.
    struct G { float x, y, ph; };
    const G geese[] = {{45, 30, 0.0f}, {35, 21, 0.7f}, {35, 39, 1.1f}, {25, 12.5f, 1.6f}, {25, 47.5f, 2.0f},
                       {15, 5, 2.6f}, {14, 56, 3.1f}};
    for (const auto& g : geese) {
        float ph = frame * 2 * PI / 8 + g.ph;
        float c = std::cos(ph);
        // top-down the beat shows as span and shading: widest when level, short when up or down
        float span = 8.2f * (0.55f + 0.45f * std::abs(std::cos(ph * 0.5f + 0.3f)) * 0.8f + 0.2f * (c > 0 ? c : 0));
        float sweep = 1.6f * std::sin(ph);
        Col wingC = mix(hex(0x6b5f52), hex(0x9c8f80), 0.5f + 0.5f * c);
        Col tipC = hex(0x3a332c);
        for (float s : {-1.0f, 1.0f}) {
            Shape w = poly({{g.x + 1.8f, g.y + s * 1.0f},
                            {g.x + 0.6f + sweep, g.y + s * span},
                            {g.x - 1.8f + sweep, g.y + s * (span - 0.8f)},
                            {g.x - 1.6f, g.y + s * 1.0f}});
            put(w, wingC);
            put(poly({{g.x + 0.6f + sweep, g.y + s * span}, {g.x - 1.8f + sweep, g.y + s * (span - 0.8f)},
                         {g.x - 0.6f + sweep * 0.8f, g.y + s * (span - 3.2f)}}),
                   tipC);
        }
        put(ellipse(g.x - 0.5f, g.y, 4.2f, 1.7f), hex(0x8a7d6e));          // body
        put(ellipse(g.x - 4.4f, g.y, 1.3f, 1.1f), hex(0x2d2823));          // tail
        put(ellipse(g.x - 4.0f, g.y, 0.7f, 1.3f), hex(0xefe9df));          // white rump
        put(ellipse(g.x + 5.0f, g.y, 2.2f, 0.75f), hex(0x1f1c19));         // neck
        put(ellipse(g.x + 7.4f, g.y, 1.4f, 1.05f), hex(0x1f1c19));         // head
        put(ellipse(g.x + 7.2f, g.y + 0.5f, 0.6f, 0.4f), hex(0xf5f2ea));   // cheek
        put(poly({{g.x + 8.6f, g.y - 0.4f}, {g.x + 9.9f, g.y}, {g.x + 8.6f, g.y + 0.4f}}), hex(0x3b3631));
    }
    return f;
}

Img aircraftSprite(const std::string& kind) {
    if (kind == "md-11") return md11();
    if (kind == "tu-154") return tu154();
    if (kind == "a380") return a380();
    if (kind == "c130") return c130();
    if (kind == "mooney") return mooney();
    if (kind == "uav") return uav();
    throw std::runtime_error("unknown aircraft " + kind);
}

void genAircraft() {
    for (const char* k : {"md-11", "tu-154", "a380", "c130", "mooney", "uav"})
        saveImage(std::string("aircraft/") + k + ".png", aircraftSprite(k));
    std::vector<Img> frames;
    for (int i = 0; i < 8; ++i) frames.push_back(gooseFrame(i));
    saveImage("aircraft/birds.png", strip(frames));
}

}  // namespace ag
