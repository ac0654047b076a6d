// Round icon buttons, menu buttons, banners, the reset button and the phase lamps. Mid-tone
// faces: the game draws a hovered button twice (additively) and a disabled one at alpha 0.25.
#include <algorithm>
#include <cmath>

#include "gen.h"

namespace ag {

namespace {

const Col NAVY = hex(0x1f3550);
const Col NAVY_LIGHT = hex(0x3a5f86);
const Col GOLD = hex(0xe7b84a);

Img iconButton(Col base, const std::function<void(Img&, Mask&)>& glyph) {
    Img img(56, 56);
    roundButton(img, base, 28, 27, 24);
    Mask m(56, 56);
    glyph(img, m);
    img.shadow(m, 0, 1.5f, 1.2f, 0.45f);
    img.paint(m, hex(0xffffff));
    return img;
}

// A label plate: gloss, bevel and the label in bold sans.
Img plate(int w, int h, const std::string& label, Col top, Col bottom, int px, Col accent) {
    Img img(w, h);
    img.shadow(roundRect(2, 3, w - 4, h - 5, 9), 0, 1.5f, 2.0f, 0.5f);
    img.fill(roundRect(1, 1, w - 2, h - 4, 9), shade(bottom, 0.6f));
    img.fill(roundRect(2, 2, w - 4, h - 6, 8), linear({0, 2}, top, {0, float(h - 4)}, bottom));
    // gloss on the upper half
    img.fill(roundRect(5, 4, w - 10, (h - 8) * 0.45f, 6), Col{1, 1, 1, 0.14f});
    // accent bar on the left
    img.fill(roundRect(10, h * 0.5f - 9, 5, 16, 2.5f), accent);
    float tw = textWidth(label, FACE_SANS_BOLD, px);
    float x = (w - tw) * 0.5f + 6;
    float base = h * 0.5f - 2 + px * 0.36f;
    drawText(img, label, FACE_SANS_BOLD, px, x, base, hex(0xf7f4ea), 0.55f);
    return img;
}

}  // namespace

void roundButton(Img& img, Col base, float cx, float cy, float r) {
    img.shadow(circle(cx, cy + 1.5f, r), 0, 1.5f, 2.2f, 0.55f);
    img.fill(circle(cx, cy, r + 1.2f), shade(base, 0.45f));
    img.fill(circle(cx, cy, r), linear({cx, cy - r}, shade(base, 1.25f), {cx, cy + r}, shade(base, 0.72f)));
    img.fill(circle(cx, cy, r - 3.2f), linear({cx, cy - r}, shade(base, 0.85f), {cx, cy + r}, shade(base, 1.1f)));
    // gloss
    img.fill(ellipse(cx, cy - r * 0.45f, r * 0.62f, r * 0.36f), Col{1, 1, 1, 0.18f});
}

void banner(Img& img, const std::string& title) {
    int w = img.w, h = img.h;
    img.shadow(rect(0, 2, float(w), h - 6.0f), 0, 2, 3, 0.5f);
    img.fill(rect(0, 0, float(w), h - 5.0f), linear({0, 0}, NAVY_LIGHT, {0, h - 5.0f}, NAVY));
    img.fill(rect(0, h - 7.0f, float(w), 2.5f), GOLD);
    img.fill(rect(0, 2, float(w), 1.0f), Col{1, 1, 1, 0.18f});
    // a faint chevron pattern to the right
    for (int i = 0; i < 12; ++i) {
        float x = w - 300.0f + i * 26;
        img.fill(poly({{x, 0}, {x + 12, 0}, {x + 26, (h - 7) * 0.5f}, {x + 12, h - 7.0f}, {x, h - 7.0f}, {x + 14, (h - 7) * 0.5f}}),
                 Col{1, 1, 1, 0.035f + 0.004f * i});
    }
    // small aircraft emblem before the title
    Mask m(w, h);
    m.add(transform(poly({{0, -1.2f}, {9, -1.2f}, {11, 0}, {9, 1.2f}, {0, 1.2f}}) +
                        poly({{5, -1}, {1.5f, -9}, {0, -9}, {1.5f, -1}}) + poly({{5, 1}, {1.5f, 9}, {0, 9}, {1.5f, 1}}) +
                        poly({{0.5f, -0.8f}, {-2, -4}, {-3, -4}, {-1.5f, 0}, {-3, 4}, {-2, 4}, {0.5f, 0.8f}}),
                    Xf::translate(30, (h - 5) * 0.5f) * Xf::rotate(-20) * Xf::scale(1.3f, 1.3f)));
    img.paint(m, GOLD);
    drawText(img, title, FACE_SANS_BOLD, 24, 52, (h - 5) * 0.5f + 9, hex(0xffffff), 0.6f);
}

void genButtons() {
    const Col green = hex(0x3f9a4e), red = hex(0xc0453b), blue = hex(0x3b6fa8), slate = hex(0x56667a);
    // OK: a check mark
    saveImage("btn_play.png", iconButton(green, [](Img&, Mask& m) {
        m.addStroke({{17.5f, 28}, {24.5f, 35}, {38.5f, 19.5f}}, 5.6f);
    }));
    saveImage("btn_cancel.png", iconButton(red, [](Img&, Mask& m) {
        m.addStroke({{19, 18}, {37, 36}}, 5.6f);
        m.addStroke({{37, 18}, {19, 36}}, 5.6f);
    }));
    auto arrow = [](float dir) {
        return [dir](Img&, Mask& m) {
            float cx = 28, cy = 27;
            m.add(transform(poly({{-11, 0}, {0, -11}, {0, -5}, {11, -5}, {11, 5}, {0, 5}, {0, 11}}),
                            Xf::translate(cx, cy) * Xf::scale(dir, 1)));
        };
    };
    saveImage("btn_back.png", iconButton(blue, arrow(1)));
    saveImage("btn_left.png", iconButton(slate, arrow(1)));
    saveImage("btn_right.png", iconButton(slate, arrow(-1)));
    // menu: a little house
    saveImage("btn_menu.png", iconButton(blue, [](Img&, Mask& m) {
        m.add(poly({{28, 14.5f}, {41, 26}, {37.5f, 26}, {37.5f, 38}, {31, 38}, {31, 31}, {25, 31}, {25, 38}, {18.5f, 38},
                    {18.5f, 26}, {15, 26}}));
    }));

    Img reset = plate(120, 40, "RESET", hex(0xd0614f), hex(0x8e2f25), 15, hex(0xffd36e));
    saveImage("screens/score_board/btn_reset.png", reset);

    const struct { const char* file; const char* label; Col accent; } menu[] = {
        {"menu/continue.png", "CONTINUE", hex(0x7fd27a)},
        {"menu/new_game.png", "NEW GAME", hex(0xffd36e)},
        {"menu/top_scores.png", "TOP SCORES", hex(0x7cc6f2)},
        {"menu/help.png", "HELP", hex(0xf29b6b)},
        {"menu/credits.png", "CREDITS", hex(0xc9a6f0)},
    };
    for (auto& b : menu) saveImage(b.file, plate(260, 44, b.label, hex(0x41668f), hex(0x203a5a), 18, b.accent));

    const struct { const char* file; const char* title; } banners[] = {
        {"screens/airport_select/banner.png", "SELECT AIRPORT"},
        {"screens/score_board/banner.png", "TOP SCORES"},
        {"screens/help/banner.png", "HELP"},
        {"screens/credits/banner.png", "CREDITS"},
    };
    for (auto& b : banners) {
        Img img(800, 50);
        banner(img, b.title);
        saveImage(b.file, img);
    }

    // Phase lamps: a light face that black digits read on.
    for (int on = 0; on < 2; ++on) {
        Img img(48, 36);
        img.shadow(roundRect(3, 3, 42, 30, 7), 0, 1.5f, 1.8f, 0.6f);
        img.fill(roundRect(2, 2, 44, 31, 8), hex(on ? 0x7a5a12 : 0x3a3f46));
        if (on) {
            img.fill(roundRect(4, 4, 40, 27, 6), radial({24, 15}, 26, hex(0xfff3b0), hex(0xf2a526)));
            img.fill(roundRect(7, 6, 34, 9, 4), Col{1, 1, 1, 0.35f});
        } else {
            img.fill(roundRect(4, 4, 40, 27, 6), linear({0, 4}, hex(0xd4d8dd), {0, 31}, hex(0x9aa1a9)));
            img.fill(roundRect(7, 6, 34, 9, 4), Col{1, 1, 1, 0.2f});
        }
        saveImage(on ? "screens/story_break/phase_on.png" : "screens/story_break/phase_off.png", img);
    }
}

}  // namespace ag
