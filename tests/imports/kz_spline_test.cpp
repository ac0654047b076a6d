#include <gtest/gtest.h>

#include <filesystem>

#include "imports/kz_animate_path.h"
#include "imports/kz_spline.h"
#include "platform/image.h"
#include "platform/canvas.h"

namespace {
KZ_splinePtr curveOf(std::initializer_list<Vector> pts, int res = 10) {
    auto c = std::make_shared<KZ_spline>();
    c->setRes(res);
    for (const auto& p : pts) c->addPoint(p);
    return c;
}
}  // namespace

TEST(KZ_splineLayout, FirstAndLastPointsStandTwice) {
    KZ_spline c;
    EXPECT_TRUE(c.getCurvePoints()->empty());
    auto p0 = makeVector(0, 0), p1 = makeVector(10, 0), p2 = makeVector(20, 0);
    c.addPoint(p0);
    EXPECT_EQ(c.getPointsArray().size(), 2u);
    EXPECT_TRUE(c.getCurvePoints()->empty());
    c.addPoint(p1);
    ASSERT_EQ(c.getPointsArray().size(), 4u);
    EXPECT_EQ(c.getPointsArray()[0], p0);
    EXPECT_EQ(c.getPointsArray()[1], p0);
    EXPECT_EQ(c.getPointsArray()[2], p1);
    EXPECT_EQ(c.getPointsArray()[3], p1);
    ASSERT_EQ(c.getCurvePoints()->size(), 11u);
    EXPECT_EQ(c.getCurvePoints()->front(), Vector(0, 0));
    EXPECT_EQ(c.getCurvePoints()->back(), Vector(10, 0));

    c.addPoint(p2);
    const auto& e = c.getPointsArray();
    ASSERT_EQ(e.size(), 5u);
    // p1 stays the caller's object at index 2; the old trailing entry now holds a copy
    // of p2, and p2 itself trails.
    EXPECT_EQ(e[2], p1);
    EXPECT_NE(e[3], p2);
    EXPECT_EQ(*e[3], Vector(20, 0));
    EXPECT_EQ(e[4], p2);
    ASSERT_EQ(c.getCurvePoints()->size(), 21u);
    EXPECT_EQ((*c.getCurvePoints())[10], Vector(10, 0));
    EXPECT_EQ((*c.getCurvePoints())[20], Vector(20, 0));
}

TEST(KZ_splineLayout, SamplesHitEveryControlPoint) {
    auto c = curveOf({{0, 0}, {50, 10}, {90, 80}, {30, 120}}, 60);
    ASSERT_EQ(c->getCurvePoints()->size(), 181u);
    const auto& s = *c->getCurvePoints();
    EXPECT_EQ(s[0], Vector(0, 0));
    EXPECT_NEAR(s[60].x, 50, 1e-9);
    EXPECT_NEAR(s[60].y, 10, 1e-9);
    EXPECT_NEAR(s[120].x, 90, 1e-9);
    EXPECT_NEAR(s[180].y, 120, 1e-9);
}

TEST(KZ_splineLayout, RecomputingNeverChangesAnArrayHandedOut) {
    auto c = curveOf({{0, 0}, {10, 0}});
    const VectorListPtr before = c->getCurvePoints();
    c->addPoint(Vector(20, 5));
    EXPECT_EQ(before->size(), 11u);
    EXPECT_EQ(before->back(), Vector(10, 0));
    EXPECT_NE(before, c->getCurvePoints());
}

TEST(KZ_splineLayout, CallersObjectMovesTheCurveAtTheNextRecomputation) {
    KZ_spline c;
    auto p0 = makeVector(0, 0), p1 = makeVector(10, 0);
    c.addPoint(p0);
    c.addPoint(p1);
    p1->x = 30;
    EXPECT_EQ(c.getCurvePoints()->back(), Vector(10, 0));
    c._updateCurve();
    EXPECT_EQ(c.getCurvePoints()->back(), Vector(30, 0));
}

TEST(KZ_splineHandles, BoxOfFourPixelsAroundEachEntry) {
    auto c = curveOf({{100, 100}, {200, 100}, {300, 100}});
    EXPECT_EQ(c->getHandleIndex(Vector(104, 96)), 0);  // near the start: the first twin
    EXPECT_EQ(c->getHandleIndex(Vector(204, 100)), 2);
    EXPECT_EQ(c->getHandleIndex(Vector(200, 104)), 2);
    EXPECT_EQ(c->getHandleIndex(Vector(204.5, 100)), -1);
    EXPECT_EQ(c->getHandleIndex(Vector(200, 95.5)), -1);
    EXPECT_EQ(c->getHandleIndex(Vector(300, 100)), 3);  // the copy, before the trailing entry
}

TEST(KZ_splineAux, OutOfRangeReadsZeroAndWritesAreIgnored) {
    auto c = curveOf({{0, 0}, {10, 0}, {20, 0}});
    c->setPointAuxData(2, 0.5f);
    EXPECT_EQ(c->getPointAuxData(2), 0.5f);
    EXPECT_EQ(c->getPointAuxData(-1), 0.0f);
    EXPECT_EQ(c->getPointAuxData(5), 0.0f);
    c->setPointAuxData(99, 1.0f);
    c->setPointAuxData(-3, 1.0f);
    EXPECT_EQ(c->getPointAuxData(99), 0.0f);
    // Adding points keeps the values by index.
    c->addPoint(Vector(30, 0));
    EXPECT_EQ(c->getPointAuxData(2), 0.5f);
    EXPECT_EQ(c->getPointAuxData(5), 0.0f);
}

TEST(KZ_splineTrim, AtTheLastIndexNothingIsCut) {
    auto c = curveOf({{0, 0}, {10, 0}, {20, 0}});
    const auto before = c->getPointsArray();
    const VectorListPtr samples = c->getCurvePoints();
    c->trimTo(4, nullptr);
    EXPECT_EQ(c->getPointsArray(), before);
    EXPECT_NE(c->getCurvePoints(), samples);  // still recomputed
    EXPECT_EQ(c->getCurvePoints()->size(), 21u);
}

TEST(KZ_splineTrim, NullDoublesTheEntryAtTheIndex) {
    auto c = curveOf({{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    ASSERT_EQ(c->getPointsArray().size(), 6u);
    c->trimTo(2, nullptr);
    const auto& e = c->getPointsArray();
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[2], e[3]);
    EXPECT_EQ(*e[3], Vector(10, 0));
    EXPECT_EQ(c->getCurvePoints()->back(), Vector(10, 0));
}

TEST(KZ_splineTrim, GivenPointBecomesTheSharedEnd) {
    auto c = curveOf({{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    auto td = makeVector(15, 5);
    c->trimTo(3, td);
    const auto& e = c->getPointsArray();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[3], td);
    EXPECT_EQ(e[4], td);
    EXPECT_EQ(c->getCurvePoints()->back(), Vector(15, 5));
}

// Every trim index, then one added point: the curve must end on that point, as a
// runway's approach does when it trims to the touch-down point and adds the centre.
TEST(KZ_splineTrim, PointAddedAfterAnyTrimIsReached) {
    for (int index = 0; index <= 4; ++index) {
        for (bool withPoint : {true, false}) {
            auto c = curveOf({{0, 0}, {40, 0}, {80, 0}, {120, 0}});
            if (withPoint)
                c->trimTo(index, makeVector(60, 30));
            else
                c->trimTo(index, nullptr);
            c->addPoint(Vector(200, 200));
            const auto& e = c->getPointsArray();
            ASSERT_GE(e.size(), 4u) << index;
            EXPECT_EQ(c->getCurvePoints()->back(), Vector(200, 200)) << "index " << index << " point " << withPoint;
            // Only a trim at index 0 replaces the start itself.
            EXPECT_EQ(*e[0], index == 0 && withPoint ? Vector(60, 30) : Vector(0, 0)) << index;
            EXPECT_EQ(e[e.size() - 1]->x, 200) << index;
            EXPECT_EQ(e[e.size() - 2]->x, 200) << index;
        }
    }
}

TEST(KZ_splineTrim, IndexOneKeepsTheStartAndReachesTheNewEnd) {
    auto c = curveOf({{0, 0}, {40, 0}});
    auto td = makeVector(100, 0);
    c->trimTo(1, td);
    ASSERT_EQ(c->getPointsArray().size(), 4u);
    EXPECT_EQ(c->getCurvePoints()->front(), Vector(0, 0));
    EXPECT_EQ(c->getCurvePoints()->back(), Vector(100, 0));
    c->addPoint(Vector(150, 0));
    ASSERT_EQ(c->getCurvePoints()->size(), 21u);
    EXPECT_EQ((*c->getCurvePoints())[10], Vector(100, 0));
    EXPECT_EQ(c->getCurvePoints()->back(), Vector(150, 0));
}

// Cut back to the doubled start alone, the curve has nothing left to show: the old
// samples must not stay on as a path that is no longer there.
TEST(KZ_splineTrim, CutToTheStartLeavesNoStaleSamples) {
    for (int index : {0, 1}) {
        auto c = curveOf({{0, 0}, {40, 0}, {80, 0}});
        const VectorListPtr before = c->getCurvePoints();
        c->trimTo(index, nullptr);
        EXPECT_EQ(c->getPointsArray().size(), 2u) << index;
        EXPECT_TRUE(c->getCurvePoints()->empty()) << index;
        EXPECT_EQ(before->size(), 21u);  // the array handed out earlier is untouched
    }
}

TEST(KZ_splineTrim, ClearsSlowDownMarksFromTheIndexOn) {
    auto c = curveOf({{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    for (int i = 0; i < 7; ++i) c->setPointAuxData(i, 0.5f);
    c->trimTo(3, makeVector(25, 0));
    EXPECT_EQ(c->getPointAuxData(2), 0.5f);
    EXPECT_EQ(c->getPointAuxData(3), 0.0f);
    EXPECT_EQ(c->getPointAuxData(4), 0.0f);
    c->addPoint(Vector(50, 0));
    c->addPoint(Vector(60, 0));
    for (int i = 3; i < int(c->getPointsArray().size()); ++i) EXPECT_EQ(c->getPointAuxData(i), 0.0f) << i;
}

TEST(KZ_splineMove, EndMovesBothCopiesAndOthersMoveAlone) {
    KZ_spline small;
    small.addPoint(Vector(0, 0));
    small.movePoint(0, 5, 5);
    EXPECT_EQ(*small.getPointsArray()[0], Vector(0, 0));

    auto c = curveOf({{0, 0}, {10, 0}, {20, 0}});
    auto trailing = c->getPointsArray()[4];
    c->movePoint(4, 25, 7);
    const auto& e = c->getPointsArray();
    EXPECT_EQ(*e[3], Vector(25, 7));
    EXPECT_EQ(*e[4], Vector(25, 7));
    EXPECT_NE(e[3], e[4]);
    EXPECT_EQ(*trailing, Vector(20, 0));  // the caller's object is left alone
    EXPECT_EQ(c->getCurvePoints()->back(), Vector(25, 7));

    c->movePoint(0, -3, 0);
    EXPECT_EQ(*e[0], Vector(-3, 0));
    EXPECT_EQ(*e[1], Vector(0, 0));
}

TEST(KZ_splineRender, LeavesWhiteOpaqueState) {
    auto c = curveOf({{0, 0}, {10, 0}, {20, 0}});
    c->setDspColor(10, 20, 30);
    c->setLine_width(4);
    plat::setColor(1, 2, 3);
    plat::setAlpha(0.5f);
    c->render(1);
    int r, g, b;
    plat::getColor(r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 255);
    EXPECT_EQ(plat::getAlpha(), 1.0f);
    EXPECT_EQ(plat::getLineWidth(), 1.0f);
}

TEST(KZ_splineRes, ResolutionBelowOneIsTakenAsOne) {
    auto c = curveOf({{0, 0}, {10, 0}}, 0);
    EXPECT_EQ(c->getRes(), 1);
    EXPECT_EQ(c->getCurvePoints()->size(), 2u);
}

namespace {
struct Rgb {
    int r, g, b;
};
Rgb pixelAt(int x, int y) {
    const uint32_t p = plat::canvas().pixels().readPixel(x, y);
    return {int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
}
}  // namespace

TEST(KZ_splineRender, HandlesSkipTheStartAndFlaggedOnesAreYellow) {
    plat::canvas().clear(0xFF000000u);
    auto c = curveOf({{100, 100}, {200, 100}, {300, 100}, {400, 100}});
    c->setDspColor(0, 0, 255);
    c->setLine_width(1);
    c->setPointAuxData(3, 0.5f);  // p2
    c->render(1);
    EXPECT_EQ(pixelAt(100, 103).b, 0) << "no handle on the start";
    const Rgb plain = pixelAt(200, 103);
    EXPECT_EQ(plain.r, 0);
    EXPECT_NEAR(plain.b, 64, 2);  // blue at a quarter
    const Rgb flagged = pixelAt(300, 103);
    EXPECT_NEAR(flagged.r, 191, 2);  // yellow at three quarters
    EXPECT_NEAR(flagged.g, 191, 2);
    EXPECT_EQ(flagged.b, 0);
    EXPECT_NEAR(pixelAt(400, 103).b, 64, 2);  // the end point has its handle
    EXPECT_NEAR(pixelAt(150, 100).b, 64, 2);  // the line itself
}

TEST(KZ_splineRender, FlownPartAndItsHandlesAreHidden) {
    plat::canvas().clear(0xFF000000u);
    auto c = curveOf({{100, 100}, {200, 100}, {300, 100}, {400, 100}});
    c->setDspColor(0, 0, 255);
    c->setLine_width(1);
    c->setMinIndex(12);
    c->render(1);
    EXPECT_EQ(pixelAt(150, 100).b, 0);
    EXPECT_EQ(pixelAt(200, 103).b, 0);  // p1 passed
    EXPECT_NEAR(pixelAt(300, 103).b, 64, 2);  // p2 lies ahead
    EXPECT_NEAR(pixelAt(400, 103).b, 64, 2);
    EXPECT_NEAR(pixelAt(350, 100).b, 64, 2);
}

// Writes a picture a person can look at: a drawn path with its handles (one flagged) and
// the dots a follower leaves along it, flying on past the end with overrun.
TEST(KZ_splineRender, CurveWithHandlesAndFollowerTrailPicture) {
    plat::canvas().clear(0xFF203040u);
    auto c = curveOf({{60, 400}, {160, 300}, {200, 160}, {340, 90}, {470, 200}, {560, 330}, {700, 300}});
    c->setDspColor(0, 255, 255);
    c->setLine_width(4);
    c->setPointAuxData(4, 0.5f);
    c->render(1);

    auto path = std::make_shared<KZ_path>();
    path->importArray(c->getCurvePoints());
    auto follower = KZ_animate_path::Create(path, 1);
    follower->setSpeed(3.0f);
    follower->start();
    plat::setColor(255, 80, 80);
    for (int frame = 0; frame < 400; ++frame) {
        follower->update();
        if (frame % 6 == 0) {
            const Vector& p = *follower->getPosition();
            plat::drawRect(float(p.x - 1), float(p.y - 1), 3, 3);
        }
    }
    plat::setColor(255, 255, 255);
    const Vector& end = *follower->getPosition();
    EXPECT_GT(end.x, 700.0);  // flew on past the last point
    EXPECT_NEAR(pixelAt(340, 90).r, 255, 60);  // the trail runs through the points
    std::filesystem::create_directories(TARN_TEST_OUT);
    EXPECT_TRUE(plat::savePNG(plat::canvas().pixels(), std::string(TARN_TEST_OUT) + "/kz_spline_follower.png", 5));
}
