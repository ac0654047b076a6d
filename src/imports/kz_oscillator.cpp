#include "imports/kz_oscillator.h"

#include <cmath>
#include <cstdio>

#include "platform/sys.h"

namespace {

// rate x period truncated toward zero, kept inside what a table can sensibly hold.
int stepCount(int rate, float period) {
    float product = static_cast<float>(rate) * period;
    if (!(product >= 1.0f)) return 0;  // negative, zero or NaN
    if (product > static_cast<float>(KZ_oscillator::MAX_STEPS)) return -1;
    return static_cast<int>(product);
}

}  // namespace

std::shared_ptr<KZ_oscillator> KZ_oscillator::createnew(int waveform, float period, float amplitude, float offset,
                                                        int rate) {
    auto osc = std::make_shared<KZ_oscillator>();
    osc->waveform = waveform;
    osc->period = period;
    osc->amplitude = amplitude;
    int n = stepCount(rate, period);
    if (n < 0) {
        // Too long to build: no table rather than an allocation that can't be met.
        osc->steps = 0;
        return osc;
    }
    osc->steps = n;

    if (waveform == TRIANGULAR) {
        int half = osc->steps / 2;
        if (half % 2 != 0) half += 1;
        if (half == 0) {
            osc->steps = 0;
            return osc;
        }
        osc->steps = 2 * half;
        osc->delta = amplitude / static_cast<float>(half);
        osc->dataArray.assign(osc->steps, 0.0f);
        for (int i = 0; i < half; ++i) {
            float rise = static_cast<float>(i) * osc->delta;
            osc->dataArray[i] = rise + offset;
            osc->dataArray[half + i] = (amplitude - rise) + offset;
        }
    } else if (waveform == SAWTOOTH) {
        int count = osc->steps;
        if (count % 2 != 0) count += 1;
        if (count == 0) return osc;
        osc->steps = count;
        osc->delta = amplitude / static_cast<float>(count);
        osc->dataArray.assign(count, 0.0f);
        for (int i = 0; i < count; ++i) osc->dataArray[i] = static_cast<float>(i) * osc->delta + offset;
    } else if (waveform == SINE) {
        int quarter = osc->steps / 4;
        if (quarter % 2 != 0) quarter += 1;
        if (quarter == 0) {
            osc->steps = 0;
            return osc;
        }
        osc->steps = 4 * quarter;
        osc->delta = 90.0f / static_cast<float>(quarter);
        std::vector<float>& t = osc->dataArray;
        t.assign(osc->steps, 0.0f);
        for (int i = 0; i < quarter; ++i)
            t[i] = static_cast<float>(plat::sinDeg(static_cast<float>(i) * osc->delta) * amplitude);
        // The other quarters mirror the first before it gets its offset.
        for (int i = 0; i < quarter; ++i) {
            t[quarter + i] = t[quarter - 1 - i] + offset;
            t[2 * quarter + i] = -t[i] + offset;
            t[3 * quarter + i] = -t[quarter - 1 - i] + offset;
        }
        for (int i = 0; i < quarter; ++i) t[i] += offset;
    }
    // Square and unknown forms get no table; stepping them leaves everything as it is.
    return osc;
}

float KZ_oscillator::update() {
    if (run != 1 || dataArray.empty()) return 0.0f;
    const int last = static_cast<int>(dataArray.size()) - 1;
    // The owner may have set the position anywhere; read only inside the table.
    if (position < 0 || position > last) position = (direction == 0) ? last : 0;
    output = dataArray[position];
    if (direction == 1) {
        position += 1;
        if (position > last) {
            position = 0;
            if (continuous == 0) run = 0;
        }
    } else if (direction == 0) {
        position -= 1;
        if (position < 0) {
            position = last;
            if (continuous == 0) run = 0;
        }
    }
    return 0.0f;
}

int KZ_oscillator::debugData() {
    char text[32];
    for (float v : dataArray) {
        std::snprintf(text, sizeof text, "%.9g", v);
        plat::printLine(text);
    }
    return 0;
}
