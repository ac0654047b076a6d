// Free helpers for text formatting, numbers and small arrays.
#pragma once
#include <string>
#include <vector>

#include "platform/sys.h"

// H:MM:SS of a frame count at fps frames a second, truncated to whole seconds; hours are
// not limited. A negative count shows 0:00:00, and so does an fps of 0 or less.
std::string formatFrameCountForTime(int frames, int fps);
// Zero-padded decimal text of at least `width` characters; a sign stays in front of the
// zeros ("-05"), and a longer text is never cut.
std::string fixWidthInt(int n, int width);

// Truncates toward zero, saturating at the int range instead of overflowing; NaN gives 0.
int truncToInt(double v);

// A random entry of the list; an empty list gives a default (null) value.
template <class T>
T selectRndFromList(const std::vector<T>& list) {
    if (list.empty()) return T{};
    int i = plat::Rand(0, int(list.size()) - 1);
    if (i < 0 || i >= int(list.size())) i = 0;
    return list[size_t(i)];
}

// A chance of one in (top + 1) a try: one draw of Rand(0, top), a hit when it gives `hit`.
// The hit value itself is arbitrary, but it and the bounds are the draws the game has
// always made, which scripted tests and recorded runs depend on.
struct Chance {
    int top;
    int hit;
    bool draw() const { return plat::Rand(0, top) == hit; }
};

// (value div grid) x grid; a grid of 0 leaves the value as it is.
int gridAlign(int value, int grid);
std::string formatForTime(int milliseconds);
float varTracking(float current, float target, float maxStep);
std::string fixPointFloat(float value, int n);
std::string convertFileTime(int time);
std::vector<float> getArrayFromSquare(float w, float h);
std::string convert24hto12h(int hour, int minute, int second);
// A whole of 0 gives 0 percent.
std::string getPercentage(float part, float whole, int decimals);
float CtoF(float celsius);
float degreeToRad(float degrees);
float radToDegree(float radians);
std::string intArrayToString(const std::vector<int>& values, const std::string& separator);
std::vector<int> strArrayToIntArray(const std::vector<std::string>& texts);
std::vector<float> strArrayToFloatArray(const std::vector<std::string>& texts);
