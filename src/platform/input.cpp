// Placeholder until input lands.
#include "platform/input.h"
namespace plat {
void pollEvents() {}
int mouseX() { return 0; }
int mouseY() { return 0; }
bool mouseDown() { return false; }
int getChar() { return 0; }
void flushKeys() {}
}  // namespace plat
