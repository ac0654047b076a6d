#include "platform/sys_audio.h"
#include "platform/sys_state.h"
#include "platform/testing.h"
#include "platform/testing/testing_internal.h"

namespace plat::testing {

void useFakeClock(long long startMs) {
    detail::fakeClock = true;
    detail::fakeNowMs = startMs;
}

void advanceClock(long long ms) { detail::fakeNowMs += ms; }

void scriptRand(std::function<int(int, int)> draw) { detail::randScript = std::move(draw); }
void scriptRnd(std::function<double(double, double)> draw) { detail::rndScript = std::move(draw); }

void resetSystem() {
    detail::fakeClock = false;
    detail::fakeNowMs = 0;
    detail::randScript = nullptr;
    detail::rndScript = nullptr;
    detail::rngState = detail::RNG_START;
    closeAudio();
    auto& m = detail::mixer();
    std::lock_guard<std::mutex> g(m.lock);
    m.active.clear();
    m.silent = false;
    m.log.clear();
}

}  // namespace plat::testing

// The silent sink: no device is opened, and each play leaves a record. A record's volume
// follows later setVolume calls on its channel until that channel plays again, so it
// shows what the listener would hear (the volume is set right after every start).
namespace plat::testing {

void useSilentAudio() {
    closeAudio();
    auto& m = detail::mixer();
    std::lock_guard<std::mutex> g(m.lock);
    m.silent = true;
}

std::vector<PlayRecord> playLog() {
    auto& m = detail::mixer();
    std::lock_guard<std::mutex> g(m.lock);
    std::vector<PlayRecord> out;
    for (auto& r : m.log) out.push_back(*r);
    return out;
}

void clearPlayLog() {
    auto& m = detail::mixer();
    std::lock_guard<std::mutex> g(m.lock);
    m.log.clear();
}

}  // namespace plat::testing
