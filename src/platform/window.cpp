// The window: an SDL window whose one streaming texture receives the finished canvas each
// frame, frame pacing, and the close request (window close, quit, SIGINT, SIGTERM, SIGHUP).
#include "platform/window.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

#include <SDL.h>

#include "platform/canvas.h"
#include "platform/gfx_internal.h"
#include "platform/sys.h"

namespace plat {

namespace {

struct WindowState {
    std::string title;
    bool open = false;
    bool offscreen = false;
    bool closeRequested = false;
    int presented = 0;
    int fps = 30;
    FramePacer pacer{30};
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
};

WindowState& ws() {
    static WindowState s;
    return s;
}

volatile std::sig_atomic_t g_signalled = 0;

extern "C" void onSignal(int) { g_signalled = 1; }

void installSignalHandlers() {
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    // A closed terminal ends the game like SIGTERM, saving the game under way; started
    // under nohup the hangup stays ignored, as the player asked.
    struct sigaction hup {};
    if (sigaction(SIGHUP, nullptr, &hup) == 0 && hup.sa_handler != SIG_IGN) sigaction(SIGHUP, &sa, nullptr);
}

// Without X11 or Wayland, SDL falls back to a driver that shows nothing, and the game would
// play on unseen until killed. Only a driver the player named in SDL_VIDEODRIVER is taken
// as meant.
bool invisibleDriverByDefault() {
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (asked && *asked) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

void present() {
    WindowState& s = ws();
    if (!s.texture) return;
    const PixelBuffer& px = canvas().pixels();
    SDL_UpdateTexture(s.texture, nullptr, px.pixels.data(), px.width * 4);
    SDL_RenderClear(s.renderer);
    SDL_RenderCopy(s.renderer, s.texture, nullptr, nullptr);
    SDL_RenderPresent(s.renderer);
}

void closeSdlWindow() {
    WindowState& s = ws();
    if (s.texture) SDL_DestroyTexture(s.texture);
    if (s.renderer) SDL_DestroyRenderer(s.renderer);
    if (s.window) SDL_DestroyWindow(s.window);
    s.texture = nullptr;
    s.renderer = nullptr;
    s.window = nullptr;
}

}  // namespace

namespace gfx {
bool offscreenMode() { return ws().offscreen; }
void setOffscreenMode(bool on) { ws().offscreen = on; }
bool realWindowOpen() { return ws().window != nullptr; }
void noteCloseRequest() { ws().closeRequested = true; }
void forgetWindow() {
    if (ws().window) {
        closeSdlWindow();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    ws() = WindowState{};
    g_signalled = 0;
}
}  // namespace gfx

void setAppTitle(const std::string& title) {
    ws().title = title;
    if (ws().window) SDL_SetWindowTitle(ws().window, title.c_str());
}

bool openWindow(int width, int height, int fps) {
    WindowState& s = ws();
    if (width <= 0 || height <= 0) return false;
    s.fps = fps > 0 ? fps : 30;
    s.pacer = FramePacer(s.fps);
    PixelBuffer& px = canvas().pixels();
    if (px.width != width || px.height != height) px = PixelBuffer(width, height, PF_RGB, 0xFF000000u);
    canvas().clear();
    installSignalHandlers();
    if (s.offscreen) {
        s.open = true;
        return true;
    }
    closeSdlWindow();
    // The click that brings the window forward is also the player's first click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    if (invisibleDriverByDefault()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        fatal("No desktop display found: the game needs an X11 or Wayland desktop");
    }
    s.window = SDL_CreateWindow(s.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                SDL_WINDOW_SHOWN);
    if (s.window) {
        s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_ACCELERATED);
        if (!s.renderer) s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_SOFTWARE);
    }
    // A window forced to another size (by a window manager or a tool) shows the canvas
    // scaled and letterboxed, and SDL maps the mouse back onto the canvas the same way.
    if (s.renderer) {
        SDL_RenderSetLogicalSize(s.renderer, width, height);
        s.texture = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
    }
    if (!s.texture) {
        closeSdlWindow();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_StartTextInput();
    s.open = true;
    present();  // black from the first moment, not whatever the compositor had
    return true;
}

bool windowOpen() { return ws().open; }

void flip() {
    WindowState& s = ws();
    present();
    ++s.presented;
    // Nothing to pace for offscreen or on the fake clock: tests run as fast as they can.
    if (s.offscreen || clockIsFake()) return;
    const int wait = s.pacer.nextWait(millisecs());
    if (wait > 0) delayMs(wait);
}

bool closeRequested() { return ws().closeRequested || g_signalled != 0; }
void requestClose() { ws().closeRequested = true; }
int presentedFrames() { return ws().presented; }

FramePacer::FramePacer(int fps) : fps_(fps > 0 ? fps : 30) {}

int FramePacer::nextWait(long long nowMs) {
    if (start_ < 0) {
        start_ = nowMs;
        index_ = 0;
    }
    ++index_;
    // Slot ends at whole milliseconds of the exact schedule: 33, 66, 100 at 30 a second.
    const long long due = start_ + index_ * 1000 / fps_;
    if (nowMs > due) {
        // Late: present now and start a fresh schedule from here, without catching up.
        start_ = nowMs;
        index_ = 0;
        return 0;
    }
    return int(due - nowMs);
}

}  // namespace plat
