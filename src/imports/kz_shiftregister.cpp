#include "imports/kz_shiftregister.h"

std::shared_ptr<KZ_shiftRegister> KZ_shiftRegister::createNew(int n) {
    auto reg = std::make_shared<KZ_shiftRegister>();
    if (n > 0) reg->dataArray.assign(static_cast<size_t>(n), 0.0f);
    return reg;
}

int KZ_shiftRegister::shiftIn(float v) {
    if (dataArray.empty()) return 0;
    for (size_t i = dataArray.size() - 1; i > 0; --i) dataArray[i] = dataArray[i - 1];
    dataArray[0] = v;
    return 0;
}
