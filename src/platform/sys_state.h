// State shared between the system services and their test seams.
#pragma once
#include <functional>

namespace plat::detail {

// Fake clock: while on, millisecs() returns fakeNowMs and nothing waits.
extern bool fakeClock;
extern long long fakeNowMs;

// Scripted random draws (tests only); empty functions mean the generator is used.
extern std::function<int(int, int)> randScript;
extern std::function<double(double, double)> rndScript;

}  // namespace plat::detail
