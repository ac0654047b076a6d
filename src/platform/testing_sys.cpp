// Placeholder until the clock and audio seams land.
#include "platform/testing.h"
namespace plat::testing {
void useFakeClock(long long) {}
void advanceClock(long long) {}
void useSilentAudio() {}
std::vector<PlayRecord> playLog() { return {}; }
void clearPlayLog() {}
}  // namespace plat::testing
