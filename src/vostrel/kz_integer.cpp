#include "vostrel/kz_integer.h"

std::shared_ptr<Integer> Integer::Create(int value) {
    auto box = std::make_shared<Integer>();
    box->value = value;
    return box;
}
