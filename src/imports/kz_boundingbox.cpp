#include "imports/kz_boundingbox.h"

#include "platform/canvas.h"

KZ_boundingBoxPtr KZ_boundingBox::Create(const Vector& v0, const Vector& v1, const Vector& v2, const Vector& v3) {
    auto box = std::make_shared<KZ_boundingBox>();
    box->_bbArray = {makeVector(v0), makeVector(v1), makeVector(v2), makeVector(v3)};
    box->_vectorToFloat();
    return box;
}

void KZ_boundingBox::_vectorToFloat() {
    for (size_t i = 0; i < 4; ++i) {
        if (!_bbArray[i]) continue;
        _floatArray[2 * i] = float(_bbArray[i]->x);
        _floatArray[2 * i + 1] = float(_bbArray[i]->y);
    }
}

void KZ_boundingBox::move(const Vector& v) {
    for (auto& c : _bbArray)
        if (c) c->Add(v);
    _vectorToFloat();
}

void KZ_boundingBox::rotate(float angle, const Vector& centre) {
    for (auto& c : _bbArray) {
        if (!c) continue;
        c->subtract(centre);
        c->rotate(angle);
        c->Add(centre);
    }
    _vectorToFloat();
}

void KZ_boundingBox::Debug() const {
    for (size_t i = 0; i < 4; ++i) {
        const size_t j = (i + 1) % 4;
        plat::drawLine(_floatArray[2 * i], _floatArray[2 * i + 1], _floatArray[2 * j], _floatArray[2 * j + 1]);
    }
}
