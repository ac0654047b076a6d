// The window, frame presentation and pacing, and the close request.
#pragma once
#include <string>

namespace plat {

void setAppTitle(const std::string& title);
// Opens the window (or, under the test seam, the offscreen canvas) and creates the canvas.
// Returns false when no window can be opened. Without a desktop display (SDL fell back to
// its offscreen or dummy driver, SDL_VIDEODRIVER unset) it ends the program with a message.
bool openWindow(int width, int height, int fps);
bool windowOpen();
// Presents the canvas and waits for the next frame slot. Offscreen or on the fake clock
// it does not wait.
void flip();
// Window close, quit, SIGINT, SIGTERM, or SIGHUP unless it was ignored at start (the
// handlers are installed by openWindow).
bool closeRequested();
void requestClose();
int presentedFrames();

// Frame slots at `fps` a second: 33, 33, 34 ms at 30. A frame that ends past its slot
// restarts the schedule from that moment; there is no catch-up.
class FramePacer {
public:
    explicit FramePacer(int fps);
    // Given the clock now (ms), returns how long to wait before presenting the next frame
    // and advances the schedule.
    int nextWait(long long nowMs);
private:
    int fps_;
    long long start_ = -1;   // schedule origin
    long long index_ = 0;    // frames since origin
};

}  // namespace plat
