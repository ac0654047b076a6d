// Steps through a precomputed one-period table of a triangle, sine or sawtooth wave.
// The owner sets `run` to 1 to start it and reads each value from `output`.
#pragma once
#include <memory>
#include <vector>

#include "imports/object.h"

class KZ_oscillator : public Object {
public:
    static constexpr int SQUARE = 0;
    static constexpr int TRIANGULAR = 1;
    static constexpr int SINE = 2;
    static constexpr int SAWTOOTH = 3;
    // Tables longer than this are not built: the oscillator is left without a table.
    static constexpr int MAX_STEPS = 1 << 24;

    int steps = 0;
    int run = 0;
    float period = 0.0f;
    float amplitude = 0.0f;
    float delta = 0.0f;
    std::vector<float> dataArray;
    int waveform = 0;
    int position = 0;
    float output = 0.0f;
    int continuous = 1;
    int direction = 1;

    // A rate or period too small to give one step of the wave leaves the table empty
    // (steps 0, delta 0) instead of dividing by zero.
    static std::shared_ptr<KZ_oscillator> createnew(int waveform, float period, float amplitude, float offset,
                                                    int rate);
    // One step; with an empty table (a square wave, or too few steps) nothing changes.
    float update();
    int debugData();
};
