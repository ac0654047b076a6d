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

// One piece of furniture with its soft shadow.
void piece(Img& img, const Shape& s, Col c) {
    img.shadow(s, 1, 1.5f, 1, 0.28f);
    img.fill(s, c);
}

// Chairs of a waiting area or a table: a seat with a darker backrest on the side `back`
// (0 up, 1 right, 2 down, 3 left).
void chair(Img& img, float x, float y, float sz, Col c, int back) {
    piece(img, roundRect(x - sz / 2, y - sz / 2, sz, sz, sz * 0.25f), c);
    float t = sz * 0.28f;
    Shape b = back == 0   ? rect(x - sz / 2, y - sz / 2, sz, t)
              : back == 1 ? rect(x + sz / 2 - t, y - sz / 2, t, sz)
              : back == 2 ? rect(x - sz / 2, y + sz / 2 - t, sz, t)
                          : rect(x - sz / 2, y - sz / 2, t, sz);
    img.fill(b, shade(c, 0.7f));
}

// The room's own furniture, seen from above, in the area below its sign.
void furnish(Img& img, const std::string& name, int w, int h, Col accent, uint32_t seed) {
    Rng r(seed);
    const Col wood = hex(0x9a6b42), steel = hex(0x8d969f), dark = hex(0x3a3f46);
    const Col cases[] = {hex(0xc0392b), hex(0x2e86c1), hex(0x27ae60), hex(0xf39c12), hex(0x34495e), hex(0x8e44ad)};
    if (name == "seating") {
        for (int row = 0; row < 3; ++row)
            for (int k = 0; k < 9; ++k) chair(img, 20 + k * 14.0f, 36 + row * 20.0f, 10, accent, row == 1 ? 2 : 0);
    } else if (name == "restroom") {
        for (int k = 0; k < 4; ++k) {
            float x = 10 + k * 19.0f;
            piece(img, rect(x, 25, 17, 20), hex(0xf4f6f8));
            img.fill(rect(x + 4, 27, 9, 7), hex(0xd6dde4));   // the bowl
            img.fill(rect(x, 43, 17, 2), shade(accent, 0.8f));  // the door
        }
        piece(img, roundRect(10, 50, w - 24.0f, 8, 3), hex(0xe8ecef));
        for (int k = 0; k < 4; ++k) img.fill(ellipse(18 + k * 19.0f, 54, 4, 2.5f), hex(0xb7c3cf));
    } else if (name == "baggage") {
        Mask belt(w, h);
        belt.addStroke(roundRect(16, 30, w - 38.0f, h - 44.0f, 14)[0], 9, 1, true);
        img.shadow(belt, 1, 2, 1.5f, 0.35f);
        img.paint(belt, dark);
        Mask slats(w, h);
        slats.addStroke(roundRect(16, 30, w - 38.0f, h - 44.0f, 14)[0], 6, 1, true);
        img.paint(slats, hex(0x555c66));
        img.fill(roundRect(26, 40, w - 58.0f, h - 64.0f, 6), steel);
        for (int k = 0; k < 7; ++k) {
            float x = 20 + r.f(0, w - 46.0f), top = r.f(0, 1) < 0.5f ? 27.0f : h - 18.0f;
            piece(img, roundRect(x, top, 9, 7, 1.5f), cases[r.i(0, 5)]);
        }
    } else if (name == "fastfood") {
        piece(img, rect(8, 24, w - 18.0f, 10), hex(0xb8462a));
        for (int k = 0; k < 3; ++k) img.fill(rect(16 + k * 26.0f, 26, 10, 5), dark);  // tills
        for (int k = 0; k < 3; ++k) {
            float x = 22 + k * 26.0f, y = k == 1 ? 60.0f : 50.0f;
            for (int a = 0; a < 4; ++a) {
                float ang = a * PI / 2 + PI / 4;
                piece(img, circle(x + 9 * std::cos(ang), y + 9 * std::sin(ang), 3), shade(accent, 1.15f));
            }
            piece(img, circle(x, y, 6), hex(0xf2f2f2));
        }
    } else if (name == "phones") {
        for (int k = 0; k < 3; ++k) {
            float x = 8 + k * 16.0f;
            piece(img, rect(x, 24, 14, 22), hex(0xeef1f3));
            img.fill(rect(x + 3, 25, 8, 6), dark);                     // the set on the wall
            img.fill(roundRect(x + 4, 32, 6, 2.5f, 1), hex(0x222222)); // its handset
            img.fill(rect(x + 13, 24, 1.5f, 22), shade(accent, 0.8f)); // the partition
        }
    } else if (name == "giftshop") {
        for (int k = 0; k < 3; ++k) {
            float y = 27 + k * 15.0f;
            piece(img, rect(10, y, 60, 7), hex(0xe9e2d6));
            for (int i = 0; i < 9; ++i) img.fill(rect(12 + i * 6.4f, y + 1.5f, 4, 4), cases[(i + k * 2) % 6]);
        }
        piece(img, rect(78, 26, 10, 42), wood);  // the counter
        img.fill(rect(80, 30, 6, 6), dark);
    } else if (name == "arcade") {
        for (int row = 0; row < 2; ++row)
            for (int k = 0; k < 4; ++k) {
                float x = 10 + k * 18.0f, y = 26 + row * 26.0f;
                piece(img, rect(x, y, 14, 16), hex(0x2b2640));
                const Col glow[] = {hex(0x4de0ff), hex(0xff5fa8), hex(0x9cff57), hex(0xffd24d)};
                img.fill(rect(x + 2, row ? y + 9.0f : y + 2.0f, 10, 5), glow[(k + row) % 4]);
                img.fill(circle(x + 7, row ? y + 4.0f : y + 12.0f, 1.6f), hex(0xff3b3b));  // the stick
            }
    } else if (name == "resturant") {
        for (int row = 0; row < 2; ++row)
            for (int k = 0; k < 4; ++k) {
                float x = 24 + k * 32.0f, y = 42 + row * 32.0f;
                chair(img, x, y - 11, 7, wood, 0);
                chair(img, x, y + 11, 7, wood, 2);
                chair(img, x - 11, y, 7, wood, 3);
                chair(img, x + 11, y, 7, wood, 1);
                piece(img, rect(x - 7, y - 7, 14, 14), hex(0xfbfaf6));
                img.fill(circle(x, y, 2), cases[(k + row) % 6]);  // a small vase
            }
    } else if (name == "car_rental") {
        piece(img, roundRect(10, 26, w - 22.0f, 12, 3), wood);
        for (int k = 0; k < 3; ++k) {
            float x = 20 + k * 28.0f;
            img.fill(rect(x, 28, 12, 4), dark);                  // screens on the desk
            chair(img, x + 6, 48, 9, shade(accent, 1.1f), 2);    // customers' chairs
        }
        // a key board on the wall beside a small car on show
        piece(img, roundRect(14, 58, 34, 14, 5), hex(0xd8473a));
        img.fill(roundRect(22, 60, 16, 10, 3), hex(0x9fc6e0));
        piece(img, rect(62, 60, 32, 10), hex(0xe9e2d6));
        for (int i = 0; i < 6; ++i) img.fill(circle(66 + i * 5.0f, 65, 1.3f), hex(0xd4a017));
    }
}

// A facility: a floor area of its own, its sign and its furniture.
Img facility(const std::string& name, int w, int h, const std::string& sign, Col floor, Col accent, uint32_t seed) {
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
    furnish(img, name, w, h, accent, seed);
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
        saveImage(std::string("airport/") + r.name + ".png", facility(r.name, r.w, r.h, r.sign, hex(r.floor), hex(r.accent), seed++));
}

}  // namespace ag
