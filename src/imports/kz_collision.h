// Geometric tests on points, segments, rectangles and polygons. Polygons are flat float
// arrays x0, y0, x1, y1, ... (open or closed, either orientation). Results are 1 or 0.
#pragma once
#include <span>

#include "imports/vector.h"
#include "imports/object.h"

class Collision : public Object {
public:
    // The crossing point of the last hit found by LinesCross; kept on a miss.
    static inline int interSectX = 0;
    static inline int interSectY = 0;

    static int rectPoint(float x1, float y1, float x2, float y2, const Vector& v);
    static int rectVsRect(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2);
    static int LineToPoly(float x0, float y0, float x1, float y1, std::span<const float> poly, int ray);
    static int LinesCross(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3, int ray);
    static int PointInPoly(float x, float y, std::span<const float> poly);
    static int GetQuad(float px, float py, float vx, float vy);
};
