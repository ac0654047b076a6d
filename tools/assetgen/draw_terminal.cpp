// The terminal building seen from above and its nine facility overlays, each sized to sit at
// its fixed place on the terminal picture.
#include <algorithm>
#include <cmath>

#include "gen.h"

namespace ag {

namespace {

Img terminalHall() {
    const int W = 800, H = 480;
    Img img(W, H);
    // polished floor tiles
    img.fillAll([](float x, float y) {
        bool tile = (int(x / 40) + int(y / 40)) & 1;
        float n = fbm(x * 0.02f, y * 0.02f, 201, 3);
        Col c = tile ? hex(0xd9d4c8) : hex(0xcfc9bb);
        c = shade(c, 0.96f + 0.08f * n);
        if (std::fmod(x, 40.0f) < 1 || std::fmod(y, 40.0f) < 1) c = shade(c, 0.9f);
        return c;
    });
    // outer walls, the glass front toward the apron at the top, gates along it
    Mask walls(W, H);
    walls.addStroke({{6, 6}, {794, 6}, {794, 474}, {6, 474}}, 10, 1, true);
    img.paint(walls, hex(0x5a5f66));
    img.fill(rect(40, 2, 720, 8), hex(0x8fc3e0));
    for (int g = 0; g < 6; ++g) {
        float x = 70 + g * 125.0f;
        img.fill(roundRect(x, 12, 70, 22, 4), hex(0x3f6f9a));
        drawText(img, "GATE " + std::to_string(g + 1), FACE_SANS_BOLD, 10, x + 35, 27, hex(0xffffff), 0, 0.5f);
    }
    // check-in counters along the bottom
    for (int c = 0; c < 8; ++c) {
        float x = 60 + c * 88.0f;
        img.shadow(roundRect(x, 440, 60, 16, 3), 2, 3, 2, 0.3f);
        img.fill(roundRect(x, 440, 60, 16, 3), hex(0x8a6a4a));
        img.fill(rect(x + 6, 444, 48, 4), hex(0x3a3f46));
    }
    // planters
    for (V2 p : {V2{220, 230}, V2{500, 230}, V2{720, 420}, V2{30, 440}}) {
        img.shadow(circle(p.x, p.y, 12), 2, 3, 2, 0.3f);
        img.fill(circle(p.x, p.y, 12), hex(0x7a5a3a));
        img.fill(star(p.x, p.y, 11, 5, 7), hex(0x3f8a3a));
    }
    return img;
}

// A facility: a carpeted floor area with a counter, a few icons and its sign.
Img facility(int w, int h, const std::string& sign, Col floor, Col accent, uint32_t seed) {
    Img img(w, h);
    img.shadow(roundRect(2, 2, w - 6.0f, h - 6.0f, 6), 2, 3, 3, 0.35f);
    img.fill(roundRect(2, 2, w - 6.0f, h - 6.0f, 6), [&](float x, float y) {
        float n = noise2(x * 0.5f, y * 0.5f, seed);
        return shade(floor, 0.95f + 0.1f * n);
    });
    Mask edge(w, h);
    edge.addStroke(roundRect(2.5f, 2.5f, w - 7.0f, h - 7.0f, 6)[0], 2, 1, true);
    img.paint(edge, shade(accent, 0.7f));
    img.fill(roundRect(6, 6, w - 14.0f, 14, 3), accent);
    drawText(img, sign, FACE_SANS_BOLD, 9, w / 2.0f - 2, 16.5f, hex(0xffffff), 0, 0.5f);
    // furniture: small rounded tables or stools
    Rng r(seed);
    int n = std::max(2, (w * h) / 1800);
    for (int i = 0; i < n; ++i) {
        float x = r.f(14, w - 18.0f), y = r.f(28, h - 14.0f);
        img.shadow(circle(x, y, 4), 1, 2, 1, 0.3f);
        img.fill(circle(x, y, 4), shade(accent, 1.25f));
    }
    return img;
}

}  // namespace

void genTerminal() {
    saveImage("airport/terminal.png", terminalHall());
    const struct { const char* name; int w, h; const char* sign; uint32_t floor, accent; } rooms[] = {
        {"restroom", 96, 66, "RESTROOMS", 0xdfe7ee, 0x3f7fc4},
        {"seating", 150, 90, "SEATING", 0xc9d3dc, 0x566a80},
        {"baggage", 120, 80, "BAGGAGE", 0xb8bec6, 0x4a5560},
        {"fastfood", 100, 80, "FAST FOOD", 0xf3e2c0, 0xd9542c},
        {"phones", 64, 60, "PHONES", 0xdde3e8, 0x2f8a6a},
        {"giftshop", 100, 80, "GIFT SHOP", 0xf2dde6, 0xb0407a},
        {"arcade", 92, 80, "ARCADE", 0xd9d2f0, 0x6a48b0},
        {"resturant", 150, 100, "RESTAURANT", 0xefe4d2, 0x8a5a2a},
        {"car_rental", 110, 80, "CAR RENTAL", 0xe4ecd6, 0x4f8a2f},
    };
    uint32_t seed = 300;
    for (const auto& r : rooms)
        saveImage(std::string("airport/") + r.name + ".png", facility(r.w, r.h, r.sign, hex(r.floor), hex(r.accent), seed++));
}

}  // namespace ag
