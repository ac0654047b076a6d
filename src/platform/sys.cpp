#include "platform/sys.h"

#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "platform/audio.h"
#include "platform/sys_state.h"

namespace plat {

namespace detail {
bool fakeClock = false;
long long fakeNowMs = 0;
std::function<int(int, int)> randScript;
std::function<double(double, double)> rndScript;
// The one random generator: splitmix64. It is fixed here so that a seeded run gives the
// same draws on every machine and with every standard library.
uint64_t rngState = RNG_START;
}  // namespace detail

static uint32_t next32() {
    uint64_t z = (detail::rngState += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return uint32_t(z >> 32);
}

void seedRnd(unsigned int seed) { detail::rngState = seed; }

int Rand(int lo, int hi) {
    if (lo > hi) std::swap(lo, hi);
    if (detail::randScript) {
        int v = detail::randScript(lo, hi);
        return v < lo ? lo : v > hi ? hi : v;
    }
    // The span may be 2^32 (the whole int range), so it is counted in 64 bits.
    uint64_t span = uint64_t(int64_t(hi) - int64_t(lo)) + 1;
    uint64_t r = (uint64_t(next32()) * span) >> 32;
    return int(int64_t(lo) + int64_t(r));
}

double Rnd(double lo, double hi) {
    if (detail::rndScript) return detail::rndScript(lo, hi);
    // 53 random bits give a fraction in [0, 1).
    uint64_t bits = (uint64_t(next32()) << 21) ^ (next32() >> 11);
    double u = double(bits) / 9007199254740992.0;
    return lo + (hi - lo) * u;
}

static constexpr double DEG = 3.14159265358979323846 / 180.0;
double sinDeg(double a) { return std::sin(a * DEG); }
double cosDeg(double a) { return std::cos(a * DEG); }
double atan2Deg(double y, double x) { return std::atan2(y, x) / DEG; }

long long millisecs() {
    if (detail::fakeClock) return detail::fakeNowMs;
    struct timespec ts;
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

void delayMs(int ms) {
    if (detail::fakeClock || ms <= 0) return;
    struct timespec req{ms / 1000, (ms % 1000) * 1000000L};
    while (::nanosleep(&req, &req) != 0 && errno == EINTR) {
    }
}

bool clockIsFake() { return detail::fakeClock; }

std::string currentDate() {
    static const char* const MONTHS[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    time_t now = ::time(nullptr);
    struct tm t;
    if (!::localtime_r(&now, &t)) ::gmtime_r(&now, &t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d %s %04d", t.tm_mday, MONTHS[t.tm_mon % 12],
                  t.tm_year + 1900);
    return buf;
}

void printLine(const std::string& s) {
    std::cout.flush();
    std::fwrite(s.data(), 1, s.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Ends at once, without running destructors that could race the audio thread; every file
// the game writes is already complete on disk (saves are atomic).
void endProgram(int status) {
    std::cout.flush();
    std::fflush(nullptr);
    closeAudio();
    std::_Exit(status);
}

void fatal(const std::string& message) {
    printLine(message);
    endProgram(1);
}

}  // namespace plat
