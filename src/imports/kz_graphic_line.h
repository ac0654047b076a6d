// A drawable line segment that keeps its unit normal.
#pragma once
#include <array>
#include <memory>

#include "imports/vector.h"
#include "imports/object.h"

class KZ_graphic_line;
using KZ_graphic_linePtr = std::shared_ptr<KZ_graphic_line>;

class KZ_graphic_line : public Object {
public:
    KZ_graphic_line() = default;

    static KZ_graphic_linePtr Create(float x1, float y1, float x2, float y2);
    std::array<float, 4>& getPoints() { return _points; }
    // (0, 0) for a segment of zero length, which has no direction.
    const Vector& getNormal() const { return _normal; }
    void render() const;
    void _updateNormal();

private:
    std::array<float, 4> _points{};
    Vector _normal;
};
