// A boxed integer, so that maps of objects can hold numbers.
#pragma once
#include <memory>

#include "imports/object.h"

class Integer : public Object {
public:
    static std::shared_ptr<Integer> Create(int value);
    int value = 0;
};
using IntegerPtr = std::shared_ptr<Integer>;
