#include "platform/sys_state.h"
#include "platform/testing.h"

namespace plat::testing {

void useFakeClock(long long startMs) {
    detail::fakeClock = true;
    detail::fakeNowMs = startMs;
}

void advanceClock(long long ms) { detail::fakeNowMs += ms; }

void scriptRand(std::function<int(int, int)> draw) { detail::randScript = std::move(draw); }
void scriptRnd(std::function<double(double, double)> draw) { detail::rndScript = std::move(draw); }

}  // namespace plat::testing

// Audio seams: placeholders until the mixer lands.
namespace plat::testing {
void useSilentAudio() {}
std::vector<PlayRecord> playLog() { return {}; }
void clearPlayLog() {}
}  // namespace plat::testing
