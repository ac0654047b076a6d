// State shared by the window, the input poller and the test seams.
#pragma once
#include <vector>

namespace plat::gfx {

// True once a test chose the offscreen canvas: no window, no display needed.
bool offscreenMode();
void setOffscreenMode(bool on);
// True while a real window is open and has events to pump.
bool realWindowOpen();
// The window's close button or the quit event.
void noteCloseRequest();
// Closes any real window and forgets the title, the frame count, the pacing and any close
// request or signal seen: the window as a fresh process has it (the test seams' reset).
void forgetWindow();
// Forgets the pointer, the button, the typed characters and the scripted input.
void forgetInput();

// Input a test scripts for the next poll.
struct ScriptedInput {
    bool moved = false;
    int x = 0, y = 0;
    bool buttonSet = false;
    bool button = false;
    bool tapped = false;
    std::vector<int> chars;
};
ScriptedInput& scripted();

}  // namespace plat::gfx
