#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>

#include "imports/vector.h"
#include "platform/stream.h"

TEST(Vector, DistancesAndAngles) {
    EXPECT_DOUBLE_EQ(Vector::Create(3, 4).distanceTo(Vector::Create(0, 0)), 5.0);
    EXPECT_DOUBLE_EQ(Vector::Create(3, 4).distanceSqrTo(Vector::Create(0, 0)), 25.0);
    EXPECT_DOUBLE_EQ(Vector::pointsDistanceSqr(3, 4, 0, 0), 25.0);
    EXPECT_DOUBLE_EQ(Vector::Create(0, 1).toAngle(), 90.0);
    EXPECT_DOUBLE_EQ(Vector::Create(-1, 0).toAngle(), 180.0);
    EXPECT_DOUBLE_EQ(Vector::Create(0, -1).toAngle(), -90.0);
    Vector f = Vector::fromAngle(90);
    EXPECT_NEAR(f.x, 0.0, 1e-12);
    EXPECT_NEAR(f.y, 1.0, 1e-12);
}

TEST(Vector, RotationTurnsClockwiseOnScreen) {
    Vector v(1, 0);
    v.rotate(90);
    EXPECT_NEAR(v.x, 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(v.y, 1.0);
    // The sine is held as a float, the cosine is not.
    Vector w(0, 10);
    w.rotate(30);
    EXPECT_DOUBLE_EQ(w.x, -10.0 * double(float(0.5)));
    EXPECT_DOUBLE_EQ(w.y, 10.0 * std::cos(30.0 * M_PI / 180.0));
}

TEST(Vector, NoAngleOnlyForTheNullVector) {
    EXPECT_EQ(Vector::Create(0, 0).noAngle(), 1);
    EXPECT_EQ(Vector::Create(1, -1).noAngle(), 0);
    EXPECT_EQ(Vector::Create(1, 0).noAngle(), 0);
}

TEST(Vector, AreaBoundsAreInclusive) {
    const float x1 = 10, y1 = 20, x2 = 30, y2 = 40;
    for (auto p : {Vector(10, 25), Vector(30, 25), Vector(15, 20), Vector(15, 40), Vector(10, 20), Vector(30, 40)})
        EXPECT_EQ(p.xyIsWithinArea(x1, y1, x2, y2), 1) << p.x << "," << p.y;
    for (auto p : {Vector(9.99, 25), Vector(30.01, 25), Vector(15, 19.99), Vector(15, 40.01)})
        EXPECT_EQ(p.xyIsWithinArea(x1, y1, x2, y2), 0) << p.x << "," << p.y;
}

TEST(Vector, ClosedOutlines) {
    EXPECT_EQ(Vector(100, 50).squareFromVector(10),
              (std::vector<float>{95, 45, 105, 45, 105, 55, 95, 55, 95, 45}));
    EXPECT_EQ(Vector(0, 0).rectFromVector(4, 2), (std::vector<float>{-2, -1, 2, -1, 2, 1, -2, 1, -2, -1}));
}

TEST(Vector, InPlaceAndCopyingArithmetic) {
    Vector v(3, 4);
    EXPECT_FLOAT_EQ(v.normalise(), 5.0f);
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_DOUBLE_EQ(v.y, 0.8);

    Vector r(1, 1);
    r.rebound(Vector(0, -1));
    EXPECT_EQ(r, Vector(1, -1));
    EXPECT_EQ(Vector(1, 0).calcNormal(), Vector(0, 1));

    Vector a(1, 2);
    a.addScalar(2, 3);
    EXPECT_EQ(a, Vector(3, 5));
    const Vector b = a.addScalarCopy(1, 1);
    EXPECT_EQ(a, Vector(3, 5));
    EXPECT_EQ(b, Vector(4, 6));
    EXPECT_EQ(a.SubtractCopy(b), Vector(-1, -1));
    EXPECT_EQ(a.multiplyScalarCopy(2), Vector(6, 10));
    EXPECT_EQ(a.subtractScalarCopy(3, 5), Vector(0, 0));
}

TEST(Vector, DegenerateCasesStayFinite) {
    Vector z;
    EXPECT_EQ(z.normalise(), 0.0f);
    EXPECT_EQ(z, Vector(0, 0));
    Vector d(4, 6);
    d.divideScalar(0);
    EXPECT_EQ(d, Vector(4, 6));
}

namespace {
// A minimal in-memory stream, so the test does not depend on the platform's banks.
class MemStream : public plat::Stream {
public:
    std::vector<uint8_t> bytes;
    size_t at = 0;
    size_t read(void* dst, size_t n) override {
        n = std::min(n, bytes.size() - at);
        std::memcpy(dst, bytes.data() + at, n);
        at += n;
        return n;
    }
    size_t write(const void* src, size_t n) override {
        const auto* b = static_cast<const uint8_t*>(src);
        bytes.insert(bytes.end(), b, b + n);
        return n;
    }
    bool seek(long long pos) override { at = size_t(pos); return true; }
    long long pos() const override { return (long long)at; }
    long long size() const override { return (long long)bytes.size(); }
    bool eof() const override { return at >= bytes.size(); }
    void close() override {}
};
}  // namespace

TEST(Vector, StreamFormIsTwoLittleEndianDoubles) {
    MemStream out;
    Vector(1, 2).toStream(out);
    const std::vector<uint8_t> expect{0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40};
    EXPECT_EQ(out.bytes, expect);

    MemStream s;
    const Vector odd(0.1 + 0.2, -1.0 / 3.0);
    odd.toStream(s);
    const Vector back = Vector::fromStream(s);
    EXPECT_EQ(std::memcmp(&back.x, &odd.x, 8), 0);
    EXPECT_EQ(std::memcmp(&back.y, &odd.y, 8), 0);
    // A short stream gives the null vector instead of half-read garbage.
    EXPECT_EQ(Vector::fromStream(s), Vector(0, 0));
}

TEST(Vector, SharedObjectChangesAreSeenByEveryHolder) {
    VectorPtr p = makeVector(1, 1);
    std::vector<VectorPtr> holder{p};
    p->Add(Vector(2, 3));
    EXPECT_EQ(*holder[0], Vector(3, 4));
}
