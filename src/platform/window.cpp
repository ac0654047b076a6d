// Placeholder until the window lands.
#include "platform/window.h"
namespace plat {
static bool g_close = false;
void setAppTitle(const std::string&) {}
bool openWindow(int, int, int) { return true; }
bool windowOpen() { return true; }
void flip() {}
bool closeRequested() { return g_close; }
void requestClose() { g_close = true; }
int presentedFrames() { return 0; }
FramePacer::FramePacer(int fps) : fps_(fps) {}
int FramePacer::nextWait(long long) { return 0; }
}  // namespace plat
