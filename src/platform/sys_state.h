// State shared between the system services and their test seams.
#pragma once
#include <cstdint>
#include <functional>

namespace plat::detail {

// Fake clock: while on, millisecs() returns fakeNowMs and nothing waits.
extern bool fakeClock;
extern long long fakeNowMs;

// Scripted random draws (tests only); empty functions mean the generator is used.
extern std::function<int(int, int)> randScript;
extern std::function<double(double, double)> rndScript;

// The random generator's state, and where it starts in every process.
constexpr uint64_t RNG_START = 0x853C49E6748FEA9BULL;
extern uint64_t rngState;

}  // namespace plat::detail
