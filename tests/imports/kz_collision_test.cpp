#include <gtest/gtest.h>

#include <vector>

#include "imports/kz_boundingbox.h"
#include "imports/kz_collision.h"

namespace {
const std::vector<float> kSquare{0, 0, 10, 0, 10, 10, 0, 10};
const std::vector<float> kSquareReversed{0, 10, 10, 10, 10, 0, 0, 0};
const std::vector<float> kSquareClosed{0, 0, 10, 0, 10, 10, 0, 10, 0, 0};
}  // namespace

TEST(CollisionPointInPoly, InsideAndOutsideInBothOrientations) {
    for (const auto* poly : {&kSquare, &kSquareReversed, &kSquareClosed}) {
        EXPECT_EQ(Collision::PointInPoly(5, 5, *poly), 1);
        EXPECT_EQ(Collision::PointInPoly(15, 5, *poly), 0);
        EXPECT_EQ(Collision::PointInPoly(-1, 5, *poly), 0);
        EXPECT_EQ(Collision::PointInPoly(5, -1, *poly), 0);
        EXPECT_EQ(Collision::PointInPoly(5, 11, *poly), 0);
    }
}

TEST(CollisionPointInPoly, BoundaryBelongsToTheRightAndBottom) {
    for (const auto* poly : {&kSquare, &kSquareReversed, &kSquareClosed}) {
        EXPECT_EQ(Collision::PointInPoly(10, 5, *poly), 1) << "right edge";
        EXPECT_EQ(Collision::PointInPoly(5, 10, *poly), 1) << "bottom edge";
        EXPECT_EQ(Collision::PointInPoly(10, 10, *poly), 1) << "bottom-right corner";
        EXPECT_EQ(Collision::PointInPoly(0, 5, *poly), 0) << "left edge";
        EXPECT_EQ(Collision::PointInPoly(5, 0, *poly), 0) << "top edge";
        EXPECT_EQ(Collision::PointInPoly(0, 0, *poly), 0);
        EXPECT_EQ(Collision::PointInPoly(10, 0, *poly), 0);
        EXPECT_EQ(Collision::PointInPoly(0, 10, *poly), 0);
    }
}

TEST(CollisionPointInPoly, ShortOrOddArraysAreNeverHit) {
    EXPECT_EQ(Collision::PointInPoly(1, 1, std::vector<float>{0, 0, 10, 10}), 0);
    EXPECT_EQ(Collision::PointInPoly(1, 1, std::vector<float>{0, 0, 10, 0, 10, 10, 0}), 0);
    EXPECT_EQ(Collision::PointInPoly(1, 1, std::vector<float>{}), 0);
}

TEST(CollisionPointInPoly, ConcaveOutline) {
    // A U shape: the notch between the arms is outside.
    const std::vector<float> u{0, 0, 3, 0, 3, 7, 7, 7, 7, 0, 10, 0, 10, 10, 0, 10};
    EXPECT_EQ(Collision::PointInPoly(1, 5, u), 1);
    EXPECT_EQ(Collision::PointInPoly(9, 5, u), 1);
    EXPECT_EQ(Collision::PointInPoly(5, 3, u), 0);
    EXPECT_EQ(Collision::PointInPoly(5, 9, u), 1);
}

TEST(CollisionGetQuad, NumbersRunClockwise) {
    EXPECT_EQ(Collision::GetQuad(0, 0, -1, -1), 1);
    EXPECT_EQ(Collision::GetQuad(0, 0, 1, -1), 2);
    EXPECT_EQ(Collision::GetQuad(0, 0, 1, 1), 3);
    EXPECT_EQ(Collision::GetQuad(0, 0, -1, 1), 4);
    EXPECT_EQ(Collision::GetQuad(0, 0, -1, 0), 4);  // level counts as below
    EXPECT_EQ(Collision::GetQuad(0, 0, 0, -1), 2);  // straight above counts as right
}

TEST(CollisionLinesCross, HitsMissesAndStrictEnds) {
    Collision::interSectX = Collision::interSectY = -1;
    EXPECT_EQ(Collision::LinesCross(0, 0, 10, 0, 5, -5, 5, 5, 0), 1);
    EXPECT_EQ(Collision::interSectX, 5);
    EXPECT_EQ(Collision::interSectY, 0);

    Collision::interSectX = Collision::interSectY = -1;
    EXPECT_EQ(Collision::LinesCross(0, 0, 4, 0, 5, -5, 5, 5, 0), 0);
    EXPECT_EQ(Collision::interSectX, -1);  // kept on a miss
    EXPECT_EQ(Collision::LinesCross(0, 0, 4, 0, 5, -5, 5, 5, 1), 1);
    EXPECT_EQ(Collision::interSectX, 5);
    EXPECT_EQ(Collision::interSectY, 0);

    // Touching the other segment's end point is no hit.
    EXPECT_EQ(Collision::LinesCross(0, -5, 10, -5, 5, -5, 5, 5, 0), 0);
    // Nor is a crossing at the first segment's own start.
    EXPECT_EQ(Collision::LinesCross(5, 0, 10, 0, 5, -5, 5, 5, 0), 0);
    // Parallel, near or far.
    EXPECT_EQ(Collision::LinesCross(0, 0, 10, 0, 0, 1, 10, 1, 1), 0);
    EXPECT_EQ(Collision::LinesCross(0, 0, 10, 0, 0, 1000, 10, 1000, 0), 0);
    EXPECT_EQ(Collision::LinesCross(0, 0, 10, 0, 2, 0, 8, 0, 0), 0);
}

TEST(CollisionLineToPoly, StartInsideOrCrossingAnEdge) {
    EXPECT_EQ(Collision::LineToPoly(5, 5, 100, 100, kSquare, 0), 1);
    Collision::interSectX = Collision::interSectY = 0;
    EXPECT_EQ(Collision::LineToPoly(-5, 5, 5, 5, kSquare, 0), 1);
    EXPECT_EQ(Collision::interSectX, 0);
    EXPECT_EQ(Collision::interSectY, 5);
    EXPECT_EQ(Collision::LineToPoly(-5, 5, -1, 5, kSquare, 0), 0);
    EXPECT_EQ(Collision::LineToPoly(-5, 5, -1, 5, kSquare, 1), 1);
    EXPECT_EQ(Collision::LineToPoly(-5, 5, 5, 5, std::vector<float>{0, 0, 10, 0, 10}, 0), 0);
}

TEST(CollisionRects, PointAndOverlap) {
    EXPECT_EQ(Collision::rectPoint(0, 0, 10, 10, Vector(10, 0)), 1);
    EXPECT_EQ(Collision::rectPoint(0, 0, 10, 10, Vector(10.5, 0)), 0);
    EXPECT_EQ(Collision::rectVsRect(0, 0, 10, 10, 10, 0, 20, 10), 1);  // a shared edge
    EXPECT_EQ(Collision::rectVsRect(10, 10, 0, 0, 5, 5, 20, 20), 1);   // A's corners reversed
    EXPECT_EQ(Collision::rectVsRect(0, 0, 9, 10, 10, 0, 20, 10), 0);
    EXPECT_EQ(Collision::rectVsRect(21, 0, 30, 10, 10, 0, 20, 10), 0);
    EXPECT_EQ(Collision::rectVsRect(0, -10, 10, -1, 0, 0, 10, 10), 0);
    EXPECT_EQ(Collision::rectVsRect(0, 11, 10, 20, 0, 0, 10, 10), 0);
}

TEST(KZ_boundingBox, MovedAndRotated) {
    auto box = KZ_boundingBox::Create(Vector(-5, -5), Vector(5, -5), Vector(5, 5), Vector(-5, 5));
    box->move(Vector(100, 100));
    box->rotate(90, Vector(100, 100));
    const std::vector<float> expect{105, 95, 105, 105, 95, 105, 95, 95};
    for (size_t i = 0; i < 8; ++i) EXPECT_NEAR(box->getFloatArray()[i], expect[i], 1e-4) << i;
    EXPECT_NEAR(box->getBBarray()[0]->x, 105, 1e-9);
    EXPECT_EQ(Collision::PointInPoly(100, 100, box->getFloatArray()), 1);
    EXPECT_EQ(Collision::PointInPoly(106, 100, box->getFloatArray()), 0);
}

TEST(KZ_boundingBox, CornersAreCopiesAndEmptyBoxIsHarmless) {
    Vector c0(0, 0);
    auto box = KZ_boundingBox::Create(c0, Vector(1, 0), Vector(1, 1), Vector(0, 1));
    box->move(Vector(3, 3));
    EXPECT_EQ(c0, Vector(0, 0));
    KZ_boundingBox empty;
    empty.move(Vector(1, 1));
    empty.rotate(45, Vector(0, 0));
    for (float f : empty.getFloatArray()) EXPECT_EQ(f, 0.0f);
}
