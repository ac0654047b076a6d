// Numbers, time and process services.
#pragma once
#include <string>

namespace plat {

void seedRnd(unsigned int seed);
int Rand(int lo, int hi);             // both bounds included; order of bounds free
double Rnd(double lo, double hi);     // from lo up to hi
double sinDeg(double a);
double cosDeg(double a);
double atan2Deg(double y, double x);
// Milliseconds of a monotonic clock (the fake clock under the test seam).
long long millisecs();
void delayMs(int ms);
// True while a test runs on the fake clock (no real waiting anywhere).
bool clockIsFake();
// "09 Dec 2026": two-digit day, English three-letter month, four-digit year.
std::string currentDate();

void printLine(const std::string& s);
// Prints the message on standard output and ends the program with status 1.
[[noreturn]] void fatal(const std::string& message);
[[noreturn]] void endProgram(int status);

}  // namespace plat
