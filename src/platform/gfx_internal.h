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
