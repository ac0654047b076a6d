#include "imports/kz_collision.h"

#include <cmath>
#include <cstdlib>

#include "imports/basicfunctions.h"
#include "imports/singletonregistry.h"

namespace {

// The last crossing point is class-wide; a fresh process starts it at (0, 0).
[[maybe_unused]] const bool crossingForgotten =
    (SingletonRegistry::onReset([] { Collision::interSectX = Collision::interSectY = 0; }), true);

bool validPoly(std::span<const float> poly) { return poly.size() >= 6 && poly.size() % 2 == 0; }

}  // namespace

int Collision::rectPoint(float x1, float y1, float x2, float y2, const Vector& v) {
    return (v.x >= x1 && v.x <= x2 && v.y >= y1 && v.y <= y2) ? 1 : 0;
}

int Collision::rectVsRect(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2) {
    if (ax1 < bx1 && ax2 < bx1) return 0;
    if (ax1 > bx2 && ax2 > bx2) return 0;
    if (ay1 < by1 && ay2 < by1) return 0;
    if (ay1 > by2 && ay2 > by2) return 0;
    return 1;
}

int Collision::LineToPoly(float x0, float y0, float x1, float y1, std::span<const float> poly, int ray) {
    if (!validPoly(poly)) return 0;
    if (PointInPoly(x0, y0, poly)) return 1;
    const size_t n = poly.size() / 2;
    float sx = poly[2 * n - 2], sy = poly[2 * n - 1];
    for (size_t i = 0; i < n; ++i) {
        const float ex = poly[2 * i], ey = poly[2 * i + 1];
        if (LinesCross(x0, y0, x1, y1, sx, sy, ex, ey, ray)) return 1;
        sx = ex;
        sy = ey;
    }
    return 0;
}

int Collision::LinesCross(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3, int ray) {
    const float den = float((double(y3) - y2) * (double(x1) - x0) - (double(y1) - y0) * (double(x3) - x2));
    if (std::fabs(den) < 0.0001f) return 0;
    const float numA = float((double(x3) - x2) * (double(y0) - y2) - (double(y3) - y2) * (double(x0) - x2));
    const float ua = numA / den;
    const double ub = ((double(x1) - x0) * (double(y0) - y2) - (double(y1) - y0) * (double(x0) - x2)) / double(den);
    if (!(ua > 0.0f)) return 0;
    if (!ray && !(ua < 1.0f)) return 0;
    if (!(ub > 0.0 && ub < 1.0)) return 0;
    interSectX = truncToInt(double(x0) + double(ua) * (double(x1) - x0));
    interSectY = truncToInt(double(y0) + double(ua) * (double(y1) - y0));
    return 1;
}

// Winding number by quadrants: walking the outline around the point adds up to +4 or -4
// (one full turn) when the point is inside, 0 when it is outside.
int Collision::PointInPoly(float x, float y, std::span<const float> poly) {
    if (!validPoly(poly)) return 0;
    const size_t n = poly.size() / 2;
    double px = poly[2 * n - 2], py = poly[2 * n - 1];
    int q0 = GetQuad(x, y, float(px), float(py));
    int sum = 0;
    for (size_t i = 0; i < n; ++i) {
        const double vx = poly[2 * i], vy = poly[2 * i + 1];
        const int q = GetQuad(x, y, float(vx), float(vy));
        int delta = q - q0;
        if (delta == 2 || delta == -2) {
            // The edge jumps to the opposite quadrant: which way round depends on where it
            // meets the point's horizontal line.
            const double xi = vx - (vy - y) * (px - vx) / (py - vy);
            if (xi < x) delta = -delta;
        } else if (delta == 3) {
            delta = -1;
        } else if (delta == -3) {
            delta = 1;
        }
        sum += delta;
        q0 = q;
        px = vx;
        py = vy;
    }
    return std::abs(sum) == 4 ? 1 : 0;
}

int Collision::GetQuad(float px, float py, float vx, float vy) {
    if (vy < py) return vx < px ? 1 : 2;
    return vx < px ? 4 : 3;
}
