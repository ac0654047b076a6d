#include "imports/kz_graphic_line.h"

#include "platform/canvas.h"

KZ_graphic_linePtr KZ_graphic_line::Create(float x1, float y1, float x2, float y2) {
    auto line = std::make_shared<KZ_graphic_line>();
    line->_points = {x1, y1, x2, y2};
    line->_updateNormal();
    return line;
}

void KZ_graphic_line::render() const { plat::drawLine(_points[0], _points[1], _points[2], _points[3]); }

void KZ_graphic_line::_updateNormal() {
    const Vector d(double(_points[2]) - _points[0], double(_points[3]) - _points[1]);
    _normal = d.calcNormal();
    _normal.normalise();
}
