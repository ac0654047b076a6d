// Placeholder until the drawing and input seams land.
#include "platform/testing.h"
namespace plat::testing {
void useOffscreen() {}
void setMouse(int, int) {}
void setButton(bool) {}
void tap() {}
void typeChar(int) {}
bool saveCanvas(const std::string&) { return false; }
}  // namespace plat::testing
