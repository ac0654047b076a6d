// Polled input from SDL events (or the scripted seam): mouse, left button with its tap
// latch, and the queue of typed characters.
#include "platform/input.h"

#include <deque>
#include <optional>

#include <SDL.h>

#include "platform/gfx_internal.h"
#include "platform/text.h"

namespace plat {

namespace {

struct InputState {
    int x = 0, y = 0;
    bool down = false;
    bool latch = false;     // a press seen since the last poll
    bool reported = false;  // mouseDown() as the last poll left it
    std::optional<SDL_Event> waiting;  // a press held back for a later poll
    std::deque<int> chars;
};

InputState& in() {
    static InputState s;
    return s;
}

// Typing nobody reads must not pile up without end.
constexpr size_t MAX_QUEUED = 256;

void queueChar(int c) {
    if (in().chars.size() < MAX_QUEUED) in().chars.push_back(c);
}

// Handles one event; false for a press that must wait for a later poll (it is kept and
// nothing more is read). A press that would merge with the one the poller last saw held,
// or with a tap already latched in this poll, waits until a poll has shown the button up:
// otherwise a release and a new press between two polls read as one long hold.
bool handleSdl(const SDL_Event& e) {
    InputState& s = in();
    switch (e.type) {
    case SDL_QUIT: gfx::noteCloseRequest(); break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) gfx::noteCloseRequest();
        break;
    case SDL_MOUSEMOTION:
        s.x = e.motion.x;
        s.y = e.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button == SDL_BUTTON_LEFT) {
            if (!s.down && (s.reported || s.latch)) return false;
            s.x = e.button.x;
            s.y = e.button.y;
            s.down = true;
            s.latch = true;
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT) {
            s.x = e.button.x;
            s.y = e.button.y;
            s.down = false;
        }
        break;
    case SDL_KEYDOWN:
        switch (e.key.keysym.sym) {
        case SDLK_ESCAPE: queueChar(27); break;
        case SDLK_BACKSPACE: queueChar(8); break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: queueChar(13); break;
        default: break;
        }
        break;
    case SDL_TEXTINPUT:
        for (uint32_t cp : utf8Decode(e.text.text))
            if (cp >= 32 && cp != 127) queueChar(int(cp));
        break;
    default: break;
    }
    return true;
}

void pumpSdl() {
    InputState& s = in();
    if (s.waiting) {
        if (!handleSdl(*s.waiting)) return;
        s.waiting.reset();
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (!handleSdl(e)) {
            s.waiting = e;
            return;
        }
    }
}

}  // namespace

namespace gfx {
ScriptedInput& scripted() {
    static ScriptedInput s;
    return s;
}
}  // namespace gfx

void gfx::forgetInput() {
    in() = InputState{};
    scripted() = ScriptedInput{};
}

void pollEvents() {
    InputState& s = in();
    s.latch = false;
    if (gfx::realWindowOpen()) pumpSdl();
    gfx::ScriptedInput& sc = gfx::scripted();
    if (sc.moved) {
        s.x = sc.x;
        s.y = sc.y;
        sc.moved = false;
    }
    if (sc.buttonSet) {
        if (sc.button && !s.down) s.latch = true;
        s.down = sc.button;
        sc.buttonSet = false;
    }
    if (sc.tapped) {
        s.latch = true;
        sc.tapped = false;
    }
    for (int c : sc.chars) queueChar(c);
    sc.chars.clear();
    s.reported = s.down || s.latch;
}

int mouseX() { return in().x; }
int mouseY() { return in().y; }
bool mouseDown() { return in().down || in().latch; }

int getChar() {
    InputState& s = in();
    if (s.chars.empty()) return 0;
    const int c = s.chars.front();
    s.chars.pop_front();
    return c;
}

void flushKeys() { in().chars.clear(); }

}  // namespace plat
