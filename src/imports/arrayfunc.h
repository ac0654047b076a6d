// Index shuffle.
#pragma once
#include <vector>

#include "imports/object.h"

class ArrayFunc : public Object {
public:
    // A random order of 0 .. n - 1, drawing exactly n numbers from the shared random
    // source; n of 0 or less gives an empty array and draws nothing.
    static std::vector<int> randomize(int n);
};
