// Polled input: mouse position, left button, and the queue of typed characters.
#pragma once

namespace plat {

// Pumps window events; called by the poller once per frame before it reads anything.
void pollEvents();
int mouseX();
int mouseY();
// True while the left button is down, and also once after a press and release that both
// fell between two polls (a tap shorter than a frame still counts as a press). A release
// and a new press between two polls show the button up for one poll before the new press.
bool mouseDown();
// Next typed character code (Esc 27, Backspace 8, Return 13, printable text), 0 when none.
int getChar();
void flushKeys();

}  // namespace plat
