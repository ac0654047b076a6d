// Test seams for drawing and input: the offscreen canvas and scripted input.
#include <SDL.h>

#include "platform/canvas.h"
#include "platform/gfx_internal.h"
#include "platform/image.h"
#include "platform/testing.h"
#include "platform/testing/testing_internal.h"

namespace plat::testing {

void useOffscreen() { gfx::setOffscreenMode(true); }

void setMouse(int x, int y) {
    gfx::scripted().moved = true;
    gfx::scripted().x = x;
    gfx::scripted().y = y;
}

void setButton(bool down) {
    gfx::scripted().buttonSet = true;
    gfx::scripted().button = down;
}

void tap() { gfx::scripted().tapped = true; }

void typeChar(int code) { gfx::scripted().chars.push_back(code); }

void pushButtonEvent(bool down, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

bool saveCanvas(const std::string& path) { return savePNG(canvas().pixels(), path, 6); }

void resetAll() {
    resetSystem();
    gfx::forgetWindow();
    gfx::forgetInput();
    canvas() = Canvas(800, 480);
}

}  // namespace plat::testing
