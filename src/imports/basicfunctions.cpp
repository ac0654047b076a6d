#include "imports/basicfunctions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/text.h"

namespace {

// Decimal text of a float with nine significant digits and always a decimal point
// ("5.00000000", "0.100000001"), the form fixPointFloat cuts.
std::string floatText(float value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    const double v = value;
    int intDigits = 1;
    for (double a = std::fabs(v); a >= 10.0 && intDigits < 40; a /= 10.0) ++intDigits;
    const int decimals = intDigits >= 9 ? 1 : 9 - intDigits;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

}  // namespace

int truncToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return 2147483647;
    if (v <= -2147483648.0) return -2147483647 - 1;
    return int(v);
}

std::string formatFrameCountForTime(int frames, int fps) {
    if (fps <= 0 || frames < 0) frames = 0;
    const int s = fps > 0 ? frames / fps : 0;
    return std::to_string(s / 3600) + ":" + fixWidthInt((s % 3600) / 60, 2) + ":" + fixWidthInt(s % 60, 2);
}

std::string fixWidthInt(int n, int width) {
    const long long v = n;
    const std::string digits = std::to_string(v < 0 ? -v : v);
    const std::string sign = v < 0 ? "-" : "";
    const long long pad = (long long)width - (long long)(sign.size() + digits.size());
    return sign + (pad > 0 ? std::string(size_t(pad), '0') : std::string()) + digits;
}

int gridAlign(int value, int grid) {
    if (grid == 0) return value;
    if (grid == -1) return value;  // value / -1 can overflow for the most negative int
    return (value / grid) * grid;
}

std::string formatForTime(int milliseconds) {
    const int s = milliseconds / 1000;
    return std::to_string(s / 3600) + ":" + std::to_string((s % 3600) / 60) + ":" + std::to_string(s % 60);
}

float varTracking(float current, float target, float maxStep) {
    const float d = target - current;
    if (target > current) return d > maxStep ? maxStep : d;
    return d < -maxStep ? -maxStep : d;
}

std::string fixPointFloat(float value, int n) {
    const std::string text = floatText(value);
    const size_t dot = text.find('.');
    const std::string before = dot == std::string::npos ? text : text.substr(0, dot);
    std::string after = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    const size_t want = n > 0 ? size_t(n) : 0;
    if (after.size() > want)
        after.resize(want);
    else
        after.append(want - after.size(), ' ');
    return before + "." + after;
}

std::string convertFileTime(int time) {
    const std::time_t t = time;
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return "";
    return std::to_string(tm.tm_mon + 1) + "/" + std::to_string(tm.tm_mday) + "/" + std::to_string(tm.tm_year + 1900) +
           "   " + convert24hto12h(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

std::vector<float> getArrayFromSquare(float w, float h) { return {0, 0, w, 0, w, h, 0, h, 0, 0}; }

std::string convert24hto12h(int hour, int minute, int) {
    if (hour > 23) hour -= 24;
    int shown = hour;
    if (hour == 0)
        shown = 12;
    else if (hour >= 13 && hour <= 23)
        shown = hour - 12;
    const bool pm = hour >= 12 && hour <= 23;
    return std::to_string(shown) + ":" + fixWidthInt(minute, 2) + (pm ? "pm" : "am");
}

std::string getPercentage(float part, float whole, int decimals) {
    float p = whole == 0.0f ? 0.0f : part / whole * 100.0f;
    if (std::isnan(p)) p = 0.0f;
    if (decimals == 0) return std::to_string(truncToInt(p));
    return fixPointFloat(p, decimals);
}

float CtoF(float celsius) { return celsius * 1.8f + 32.0f; }

float degreeToRad(float degrees) { return degrees * 0.017453292f; }

float radToDegree(float radians) { return radians * 57.29578f; }

std::string intArrayToString(const std::vector<int>& values, const std::string& separator) {
    std::string s;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) s += separator;
        s += std::to_string(values[i]);
    }
    return s;
}

std::vector<int> strArrayToIntArray(const std::vector<std::string>& texts) {
    std::vector<int> out;
    out.reserve(texts.size());
    for (const auto& t : texts) out.push_back(plat::toInt(t));
    return out;
}

std::vector<float> strArrayToFloatArray(const std::vector<std::string>& texts) {
    std::vector<float> out;
    out.reserve(texts.size());
    for (const auto& t : texts) out.push_back(float(plat::toFloat(t)));
    return out;
}
