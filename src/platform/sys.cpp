// Placeholder until the system services land.
#include "platform/sys.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
namespace plat {
void seedRnd(unsigned int) {}
int Rand(int lo, int) { return lo; }
double Rnd(double lo, double) { return lo; }
double sinDeg(double a) { return std::sin(a * M_PI / 180.0); }
double cosDeg(double a) { return std::cos(a * M_PI / 180.0); }
double atan2Deg(double y, double x) { return std::atan2(y, x) * 180.0 / M_PI; }
long long millisecs() { return 0; }
void delayMs(int) {}
bool clockIsFake() { return false; }
std::string currentDate() { return "01 Jan 2026"; }
void printLine(const std::string& s) { std::printf("%s\n", s.c_str()); std::fflush(stdout); }
void fatal(const std::string& m) { printLine(m); std::exit(1); }
void endProgram(int s) { std::fflush(stdout); std::exit(s); }
}  // namespace plat
