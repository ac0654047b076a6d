// Test seams: tests (never the game) switch the platform to an offscreen canvas, scripted
// input, a fake clock without pacing and a silent audio sink.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace plat::testing {

// Call before openWindow: the canvas is created without a window.
void useOffscreen();
// The clock only moves through advanceClock; flip() does not wait.
void useFakeClock(long long startMs = 0);
void advanceClock(long long ms);
// Replaces the random generator's draws (an empty function restores it): Rand's result is
// kept within its bounds; Rnd's is returned as it is.
void scriptRand(std::function<int(int lo, int hi)> draw);
void scriptRnd(std::function<double(double lo, double hi)> draw);
// The audio device is replaced by a sink that records each play: the sound's path and its
// channel's volume, which follows that channel's setVolume calls until it plays again.
// Nothing is mixed unless the test calls mixAudio itself.
void useSilentAudio();
struct PlayRecord { std::string path; float volume; };
std::vector<PlayRecord> playLog();
void clearPlayLog();

// Scripted input, read by the next pollEvents().
void setMouse(int x, int y);
void setButton(bool down);
void tap();                 // a press and release that both fall between two polls
void typeChar(int code);
// With a real window open: queues a left-button press or release at (x, y) on SDL's own event
// queue, as the desktop would, for the next pollEvents().
void pushButtonEvent(bool down, int x, int y);

// Writes the current canvas as a PNG file.
bool saveCanvas(const std::string& path);

// Puts the whole platform back as a fresh process has it: no window and not offscreen, an
// 800 x 480 black canvas with the default drawing state, no input, the real clock, the
// generator at its first draw, audio closed, not silent and with an empty play log.
void resetAll();

}  // namespace plat::testing
