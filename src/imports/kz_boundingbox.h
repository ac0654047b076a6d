// A four-corner box that can be moved and rotated; it keeps its outline as the flat
// float polygon the collision tests take.
#pragma once
#include <array>
#include <memory>

#include "imports/vector.h"
#include "imports/object.h"

class KZ_boundingBox;
using KZ_boundingBoxPtr = std::shared_ptr<KZ_boundingBox>;

class KZ_boundingBox : public Object {
public:
    KZ_boundingBox() = default;

    static KZ_boundingBoxPtr Create(const Vector& v0, const Vector& v1, const Vector& v2, const Vector& v3);
    std::array<VectorPtr, 4>& getBBarray() { return _bbArray; }
    void _vectorToFloat();
    void move(const Vector& v);
    // Outline x0, y0 ... x3, y3, not closed; always equal to the corners.
    const std::array<float, 8>& getFloatArray() const { return _floatArray; }
    void rotate(float angle, const Vector& centre);
    void Debug() const;

private:
    std::array<VectorPtr, 4> _bbArray{};
    std::array<float, 8> _floatArray{};
};
