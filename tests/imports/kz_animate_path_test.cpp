#include <gtest/gtest.h>

#include <cmath>

#include "imports/kz_animate_path.h"
#include "imports/kz_spline.h"
#include "platform/sys.h"

namespace {
KZ_pathPtr pathOf(std::initializer_list<Vector> pts) {
    auto p = std::make_shared<KZ_path>();
    for (const auto& v : pts) p->addPointVector(v);
    return p;
}

int updatesUntilIdle(KZ_animate_path& a, int limit = 100000) {
    int n = 0;
    while (a.isActive() && n < limit) {
        a.update();
        ++n;
    }
    return n;
}
}  // namespace

TEST(KZ_path, CursorAndCounts) {
    auto one = pathOf({{5, 5}});
    EXPECT_FALSE(one->nextPoint().has_value());
    auto four = pathOf({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    EXPECT_EQ(four->fromEndPoint(), 4);
    EXPECT_EQ(*four->nextPoint(), Vector(1, 0));  // point 0 is never handed out
    EXPECT_EQ(four->getIndex(), 1);
    four->nextPoint();
    four->nextPoint();
    EXPECT_FALSE(four->nextPoint().has_value());
    EXPECT_EQ(four->getIndex(), 3);
    four->resetPath();
    EXPECT_EQ(four->fromEndPoint(), 4);
}

TEST(KZ_path, OverrunPointFarAlongTheLastStep) {
    auto p = pathOf({{0, 0}, {100, 0}, {103, 0}});
    p->addOverrunPoint();
    ASSERT_EQ(p->count(), 4);
    EXPECT_EQ((*p->getPoints())[3], Vector(103 + 3 * 5000, 0));
    auto single = pathOf({{1, 1}});
    single->addOverrunPoint();  // needs two points: nothing happens
    EXPECT_EQ(single->count(), 1);
}

TEST(KZ_path, AppendingNeverTouchesAnImportedCurve) {
    KZ_spline c;
    c.addPoint(Vector(0, 0));
    c.addPoint(Vector(10, 0));
    KZ_path p;
    p.importArray(c.getCurvePoints());
    EXPECT_EQ(p.getPoints(), c.getCurvePoints());
    p.addOverrunPoint();
    p.addPoint(1, 2);
    EXPECT_EQ(c.getCurvePoints()->size(), 11u);
    EXPECT_EQ(p.count(), 13);
}

TEST(KZ_animate_path, TwoLegsAtSpeedOne) {
    auto path = pathOf({{0, 0}, {0, 0}, {10, 0}, {20, 0}});
    auto a = KZ_animate_path::Create(path, 0);
    EXPECT_EQ(*a->getPosition(), Vector(0, 0));
    EXPECT_EQ(a->getPathIndex(), 1);
    a->setSpeed(1.0f);
    a->start();
    EXPECT_EQ(a->getMotion()->getTimer(), 10);
    for (int i = 0; i < 10; ++i) a->update();
    EXPECT_NEAR(a->getPosition()->x, 10.0, 1e-9);
    EXPECT_EQ(a->getPathIndex(), 3);  // the next leg started in the same frame
    EXPECT_EQ(a->getMotion()->getTimer(), 10);
    for (int i = 0; i < 9; ++i) a->update();
    EXPECT_EQ(a->isActive(), 1);
    a->update();
    EXPECT_EQ(a->isActive(), 0);
    EXPECT_NEAR(a->getPosition()->x, 20.0, 1e-9);
    EXPECT_EQ(a->fromEndPoint(), 1);
}

TEST(KZ_animate_path, FloatSpeedSetsTheLegTimer) {
    // 0.4 as a float is slightly above 0.4: a 10-pixel leg takes 24 updates, not 25.
    for (auto [speed, updates] : {std::pair{0.5f, 20}, std::pair{0.4f, 24}}) {
        auto a = KZ_animate_path::Create(pathOf({{0, 0}, {0, 0}, {0, 10}}), 0);
        EXPECT_FLOAT_EQ(a->getSpeed(), 0.4f);
        a->setSpeed(speed);
        a->start();
        EXPECT_EQ(a->getMotion()->getTimer(), updates);
        const Vector step = *a->getVelocity();
        EXPECT_NEAR(step.x, 0.0, 1e-7);
        EXPECT_NEAR(step.y, speed, 1e-7);
        EXPECT_EQ(updatesUntilIdle(*a), updates);
        EXPECT_NEAR(a->getPosition()->y, speed * updates, 1e-5);
        EXPECT_GT(a->getAngle(), 80.0f);  // turning toward straight down
    }
}

TEST(KZ_animate_path, StopsShortAndStartsTheNextLegFromThere) {
    auto a = KZ_animate_path::Create(pathOf({{0, 0}, {0, 0}, {10, 0}, {10, 9}}), 0);
    a->setSpeed(3.0f);
    a->start();
    EXPECT_EQ(a->getMotion()->getTimer(), 3);
    for (int i = 0; i < 2; ++i) a->update();
    a->update();
    // 9 pixels flown of 10; the leg toward (10, 9) starts from (9, 0).
    EXPECT_NEAR(a->getPosition()->x, 9.0, 1e-6);
    EXPECT_EQ(a->getMotion()->getTimer(), int(std::sqrt(1.0 + 81.0) / 3.0));
}

TEST(KZ_animate_motion, ZeroLengthLegKeepsTheHeading) {
    KZ_animate_motion m;
    m.setPosition(Vector(0, 0));
    m.run(Vector(0, 10), 1.0f, 1.0f);
    for (int i = 0; i < 10; ++i) m.update();
    ASSERT_FLOAT_EQ(m.getAngle(), 90.0f);
    m.run(*m.getPosition(), 1.0f, 1.0f);  // a leg to where it already is
    EXPECT_EQ(m.getTimer(), 0);
    EXPECT_EQ(m.getTurnFrames(), 0);
    for (int i = 0; i < 5; ++i) m.update();
    EXPECT_FLOAT_EQ(m.getAngle(), 90.0f);
    EXPECT_NEAR(m.getVelocity()->y, 1.0, 1e-7);  // still pointing the way it flew

    // A turn under way is not cut off by a zero-length leg: it goes on to the heading of
    // the leg actually being flown.
    KZ_animate_motion t;
    t.setPosition(Vector(0, 0));
    t.run(Vector(0, 10), 1.0f, 1.0f);
    for (int i = 0; i < 3; ++i) t.update();
    t.run(*t.getPosition(), 1.0f, 1.0f);
    EXPECT_EQ(t.getTurnFrames(), 7);
    for (int i = 0; i < 7; ++i) t.update();
    EXPECT_FLOAT_EQ(t.getAngle(), 90.0f);
}

TEST(KZ_animate_path, OverrunFliesOnStraightPastTheEnd) {
    KZ_spline c;
    c.addPoint(Vector(0, 0));
    c.addPoint(Vector(100, 0));
    auto path = std::make_shared<KZ_path>();
    path->importArray(c.getCurvePoints());
    auto a = KZ_animate_path::Create(path, 1);
    a->setSpeed(2.0f);
    a->start();
    EXPECT_EQ(c.getCurvePoints()->size(), 11u);  // the curve keeps its own samples
    EXPECT_EQ(path->count(), 12);
    int n = 0;
    while (a->getPathIndex() < 11 && n < 1000) {
        a->update();
        ++n;
    }
    EXPECT_NEAR(a->getPosition()->x, 100.0, 2.0);
    for (int i = 0; i < 2000; ++i) a->update();
    EXPECT_EQ(a->isActive(), 1);
    EXPECT_GT(a->getPosition()->x, 4000.0);
    EXPECT_NEAR(a->getPosition()->y, 0.0, 1e-6);
}

TEST(KZ_animate_path, ContinuePathKeepsCursorAndLegUnderWay) {
    KZ_spline c;
    c.addPoint(Vector(0, 0));
    c.addPoint(Vector(100, 0));
    auto path = std::make_shared<KZ_path>();
    path->importArray(c.getCurvePoints());
    auto a = KZ_animate_path::Create(path, 1);
    a->setSpeed(1.0f);
    a->start();
    for (int i = 0; i < 25; ++i) a->update();
    const int cursor = a->getPathIndex();
    const int timer = a->getMotion()->getTimer();
    const Vector step = *a->getVelocity();

    c.addPoint(Vector(100, 100));  // the player draws on
    path->importArray(c.getCurvePoints());
    a->continuePath(path);
    EXPECT_EQ(a->getPathIndex(), cursor);
    EXPECT_EQ(a->getMotion()->getTimer(), timer);
    EXPECT_EQ(*a->getVelocity(), step);
    EXPECT_EQ(path->count(), 22);  // 21 samples and the overrun point
    EXPECT_EQ(c.getCurvePoints()->size(), 21u);

    for (int n = 0; a->getPathIndex() < 21 && n < 1000; ++n) a->update();
    EXPECT_NEAR(a->getPosition()->x, 100.0, 1.0);  // followed the grown curve
    EXPECT_NEAR(a->getPosition()->y, 100.0, 1.0);
}

TEST(KZ_animate_path, ShortPathsAreHarmless) {
    auto empty = KZ_animate_path::Create(std::make_shared<KZ_path>(), 1);
    EXPECT_EQ(*empty->getPosition(), Vector(0, 0));
    empty->start();
    empty->update();
    EXPECT_EQ(empty->isActive(), 0);

    auto single = KZ_animate_path::Create(pathOf({{7, 8}}), 1);
    EXPECT_EQ(*single->getPosition(), Vector(7, 8));
    single->start();
    EXPECT_EQ(single->isActive(), 0);

    auto none = KZ_animate_path::Create(nullptr, 0);
    none->start();
    EXPECT_EQ(none->fromEndPoint(), 0);

    // A path whose only leg target is point 1: no leg is ever run, yet the owner reads a
    // position and a standing step every frame.
    auto two = KZ_animate_path::Create(pathOf({{1, 2}, {3, 4}}), 0);
    two->start();
    two->update();
    ASSERT_NE(two->getVelocity(), nullptr);
    EXPECT_EQ(*two->getVelocity(), Vector(0, 0));
    EXPECT_EQ(*two->getPosition(), Vector(3, 4));

    KZ_animate_motion bare;
    ASSERT_NE(bare.getPosition(), nullptr);
    ASSERT_NE(bare.getVelocity(), nullptr);
    bare.update();
    EXPECT_EQ(*bare.getPosition(), Vector(0, 0));
}

TEST(KZ_animate_path, NonPositiveSpeedEndsLegsWithoutMoving) {
    for (float speed : {0.0f, -1.0f}) {
        auto a = KZ_animate_path::Create(pathOf({{0, 0}, {0, 0}, {10, 0}, {20, 0}}), 0);
        a->setSpeed(speed);
        a->start();
        EXPECT_EQ(a->getMotion()->getTimer(), 0);
        EXPECT_LE(updatesUntilIdle(*a), 3);
        EXPECT_EQ(*a->getPosition(), Vector(0, 0));
        EXPECT_EQ(*a->getVelocity(), Vector(0, 0));
    }
}

TEST(KZ_animate_motion, TurnsTheShortWayOverTenUpdates) {
    KZ_animate_motion m;
    m.setPosition(Vector(0, 0));
    m.run(Vector::fromAngle(170).multiplyScalarCopy(100), 1.0f, 1.0f);
    for (int i = 0; i < 10; ++i) m.update();
    EXPECT_NEAR(m.getAngle(), 170.0f, 1e-3);
    m._rotationUpdate(Vector::fromAngle(-170));
    EXPECT_EQ(m.getTurnFrames(), 10);
    EXPECT_NEAR(m.getTurnDelta(), 2.0f, 1e-4);
    for (int i = 0; i < 10; ++i) m.update();
    EXPECT_NEAR(m.getAngle(), 190.0f, 1e-3);  // the heading is not wrapped

    KZ_animate_motion q;
    q._rotationUpdate(Vector(0, 1));
    EXPECT_EQ(q.getTurnFrames(), 10);
    EXPECT_EQ(q.getTurnDelta(), 9.0f);
}

TEST(KZ_animate_motion, OneDegreeTurnTakesNineUpdates) {
    // The float step 0.1 is slightly above 0.1, so 1 / step in double falls below 10.
    KZ_animate_motion m;
    m._rotationUpdate(Vector::fromAngle(1));
    EXPECT_EQ(m.getTurnDelta(), 0.1f);
    EXPECT_EQ(m.getTurnFrames(), 9);
    KZ_animate_motion same;
    same._rotationUpdate(Vector(1, 0));
    EXPECT_EQ(same.getTurnFrames(), 0);
}

TEST(KZ_animate_motion, ManyCirclesStillTurnTheShortWay) {
    KZ_animate_motion m;
    m.setPosition(Vector(0, 0));
    // Circle clockwise twice in 90-degree legs so the heading drifts past 540.
    const Vector corners[] = {{0, 100}, {-100, 0}, {0, -100}, {100, 0}};
    for (int lap = 0; lap < 2; ++lap)
        for (const auto& c : corners) {
            m.run(c.AddCopy(*m.getPosition()), 10.0f, 1.0f);
            for (int i = 0; i < 10; ++i) m.update();
        }
    EXPECT_NEAR(m.getAngle(), 720.0f, 1e-2);
    m._rotationUpdate(Vector::fromAngle(-170));
    EXPECT_NEAR(m.getTurnDelta(), -17.0f, 1e-4);  // -170 from 720 (that is 0), not -530
    EXPECT_EQ(m.getTurnFrames(), 10);
}

// The heading and the per-update step of a leg are rounded to floats; positions and
// leg counts downstream are built from these exact values.
TEST(KZ_animate_motion, LegHeadingAndStepAreFloats) {
    KZ_animate_motion m;
    m.setPosition(Vector(0, 0));
    m.run(Vector(30, 40), 0.7f, 1.0f);
    const float a = float(plat::atan2Deg(40.0, 30.0));
    EXPECT_EQ(m.getVelocity()->x, double(float(double(0.7f) * plat::cosDeg(a))));
    EXPECT_EQ(m.getVelocity()->y, double(float(double(0.7f) * plat::sinDeg(a))));
    EXPECT_NE(m.getVelocity()->x, 0.7 * 0.6);
    EXPECT_EQ(m.getTimer(), 71);  // 50 / 0.7f = 71.43
    m.update();
    EXPECT_EQ(*m.getPosition(), *m.getVelocity());
}

TEST(KZ_animate_path, FirstLegTurnsFromAGivenHeading) {
    // A follower started on a rightward path: from heading 0 no turn at all; handed the
    // heading 90 it turns back over the usual ten updates.
    for (float from : {0.0f, 90.0f}) {
        auto a = KZ_animate_path::Create(pathOf({{0, 0}, {0, 0}, {100, 0}}), 0);
        a->setSpeed(1.0f);
        a->setAngle(from);
        a->start();
        a->update();
        EXPECT_FLOAT_EQ(a->getAngle(), from * 0.9f) << from;
        for (int i = 0; i < 9; ++i) a->update();
        EXPECT_NEAR(a->getAngle(), 0.0f, 1e-4f);
    }
}
