// The 2D point and direction type: screen pixels, x to the right, y downward, angles in
// degrees measured from +x toward +y (so a positive rotation turns clockwise on screen).
//
// A Vector is a plain value of two doubles. Where several holders must see the same
// object change (a curve's control points, a follower's live position) the holders keep
// a VectorPtr instead.
#pragma once
#include <memory>
#include <vector>

namespace plat {
class Stream;
}

struct Vector {
    double x = 0.0;
    double y = 0.0;

    Vector() = default;
    Vector(double x_, double y_) : x(x_), y(y_) {}

    static Vector Create(double x, double y) { return Vector(x, y); }
    // Reads x then y, each an 8-byte little-endian double; a short read leaves (0, 0).
    static Vector fromStream(plat::Stream& stream);
    static Vector fromAngle(double angle);
    static double pointsDistanceSqr(float x1, float y1, float x2, float y2);

    void toStream(plat::Stream& stream) const;
    std::vector<double> ToArray() const { return {x, y}; }
    int noAngle() const;
    int xyIsWithinArea(float x1, float y1, float x2, float y2) const;
    // Closed outlines x0, y0, ... x4, y4 (first corner repeated), as 32-bit floats.
    std::vector<float> squareFromVector(float side) const;
    std::vector<float> rectFromVector(float width, float height) const;
    void debugShowSquare(float side) const;
    void debugShowRect(float width, float height) const;

    Vector Copy() const { return *this; }
    void Add(const Vector& o) { x += o.x; y += o.y; }
    void rotate(float angle);
    Vector AddCopy(const Vector& o) const { return Vector(x + o.x, y + o.y); }
    void addScalar(double dx, double dy) { x += dx; y += dy; }
    Vector addScalarCopy(double dx, double dy) const { return Vector(x + dx, y + dy); }
    void subtract(const Vector& o) { x -= o.x; y -= o.y; }
    Vector SubtractCopy(const Vector& o) const { return Vector(x - o.x, y - o.y); }
    Vector subtractScalarCopy(double dx, double dy) const { return Vector(x - dx, y - dy); }
    void MultiplyScalar(double s) { x *= s; y *= s; }
    Vector multiplyScalarCopy(double s) const { return Vector(x * s, y * s); }
    // Dividing by 0 leaves the vector as it is rather than filling it with infinities.
    void divideScalar(double s);
    double distanceTo(const Vector& o) const;
    double distanceSqrTo(const Vector& o) const;
    double dotProduct(const Vector& o) const { return x * o.x + y * o.y; }
    // Returns the length before normalising; a zero vector stays (0, 0) and returns 0.
    float normalise();
    Vector calcNormal() const { return Vector(-y, x); }
    void rebound(const Vector& n);
    double toAngle() const;
    void Debug(int unused = 0) const;

    bool operator==(const Vector& o) const = default;
};

using VectorPtr = std::shared_ptr<Vector>;
using VectorList = std::vector<Vector>;
// Sample arrays are handed out shared and never changed once built.
using VectorListPtr = std::shared_ptr<const VectorList>;

inline VectorPtr makeVector(double x, double y) { return std::make_shared<Vector>(x, y); }
inline VectorPtr makeVector(const Vector& v) { return std::make_shared<Vector>(v); }
