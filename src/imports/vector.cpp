#include "imports/vector.h"

#include <cmath>
#include <sstream>

#include "platform/canvas.h"
#include "platform/stream.h"
#include "platform/sys.h"

Vector Vector::fromStream(plat::Stream& stream) {
    double vx = 0.0, vy = 0.0;
    if (!stream.readDouble(vx) || !stream.readDouble(vy)) return Vector();
    return Vector(vx, vy);
}

Vector Vector::fromAngle(double angle) { return Vector(plat::cosDeg(angle), plat::sinDeg(angle)); }

double Vector::pointsDistanceSqr(float x1, float y1, float x2, float y2) {
    double dx = double(x1) - double(x2);
    double dy = double(y1) - double(y2);
    return dx * dx + dy * dy;
}

void Vector::toStream(plat::Stream& stream) const {
    stream.writeDouble(x);
    stream.writeDouble(y);
}

// Only the null vector has no direction; a vector like (1, -1) has one.
int Vector::noAngle() const { return (x == 0.0 && y == 0.0) ? 1 : 0; }

int Vector::xyIsWithinArea(float x1, float y1, float x2, float y2) const {
    return (x >= x1 && x <= x2 && y >= y1 && y <= y2) ? 1 : 0;
}

std::vector<float> Vector::squareFromVector(float side) const { return rectFromVector(side, side); }

std::vector<float> Vector::rectFromVector(float width, float height) const {
    const float hw = width / 2.0f;
    const float hh = height / 2.0f;
    const float l = float(x - hw), r = float(x + hw), t = float(y - hh), b = float(y + hh);
    return {l, t, r, t, r, b, l, b, l, t};
}

void Vector::debugShowSquare(float side) const { debugShowRect(side, side); }

void Vector::debugShowRect(float width, float height) const {
    plat::drawRect(float(x - width / 2.0f), float(y - height / 2.0f), width, height);
}

void Vector::rotate(float angle) {
    // The sine at float precision and the cosine at double: lane and runway positions
    // depend on these exact values.
    const float s = float(plat::sinDeg(angle));
    const double c = plat::cosDeg(angle);
    const double ox = x, oy = y;
    x = ox * c - oy * s;
    y = ox * s + oy * c;
}

void Vector::divideScalar(double s) {
    if (s == 0.0) return;
    x /= s;
    y /= s;
}

double Vector::distanceTo(const Vector& o) const { return std::sqrt(distanceSqrTo(o)); }

double Vector::distanceSqrTo(const Vector& o) const {
    const double dx = x - o.x, dy = y - o.y;
    return dx * dx + dy * dy;
}

float Vector::normalise() {
    const double len = std::sqrt(x * x + y * y);
    if (len == 0.0) return 0.0f;
    x /= len;
    y /= len;
    return float(len);
}

void Vector::rebound(const Vector& n) {
    const double k = 2.0 * n.dotProduct(*this);
    subtract(n.multiplyScalarCopy(k));
}

double Vector::toAngle() const { return plat::atan2Deg(y, x); }

void Vector::Debug(int) const {
    std::ostringstream s;
    s.precision(17);
    s << x << "  " << y;
    plat::printLine(s.str());
}
