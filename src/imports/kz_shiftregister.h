// A fixed-length history of floats, newest first.
#pragma once
#include <memory>
#include <vector>

#include "imports/object.h"

class KZ_shiftRegister : public Object {
public:
    std::vector<float> dataArray;

    // A register of n floats, all 0.0; a count below 1 gives an empty register.
    static std::shared_ptr<KZ_shiftRegister> createNew(int n);
    // Every value moves one place toward the end, the last is dropped and v becomes entry 0.
    // An empty register keeps nothing.
    int shiftIn(float v);
};
