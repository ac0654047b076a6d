// Runways: geometry at the worked headings, the threshold box at its edges, the light
// sweep, one light's flash, and the final approach a drawn path is turned into (on the
// curve alone and flown by an aircraft through the fleet to its touchdown).
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/airport/runway.h"
#include "game/airport/runwaylights.h"
#include "game/airport/shapelight.h"
#include "game/sim_env.h"
#include "vostrel/screenmanager.h"

namespace {

class RunwayTest : public ::testing::Test {};

void expectNear(const Vector& got, double x, double y, const char* what) {
    EXPECT_NEAR(got.x, x, 1e-4) << what;
    EXPECT_NEAR(got.y, y, 1e-4) << what;
}

}  // namespace

TEST_F(RunwayTest, GeometryAtHeadingsZeroAndNinety) {
    struct Case {
        int heading, length;
        double td1x, td1y, td2x, td2y;
        double boxX0, boxX1, boxY0, boxY1;
    };
    const Case cases[] = {
        {0, 330, 400, 135, 400, 151, 385, 415, 135, 231},
        {90, 226, 513, 300, 497, 300, 417, 513, 285, 315},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        auto rw = Runway::Create(Vector(400, 300), c.heading, c.length, 1);
        EXPECT_EQ(rw->getLength(), c.length);
        EXPECT_EQ(rw->getWidth(), 30);
        EXPECT_EQ(rw->getClass(), 1);
        expectNear(rw->getPosition(), 400, 300, "centre");
        expectNear(rw->getTouchDownVector1(), c.td1x, c.td1y, "touch-down 1");
        expectNear(rw->getTouchDownVector2(), c.td2x, c.td2y, "touch-down 2");
        const auto& box = rw->getHotspot1()->getFloatArray();
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
        for (int i = 0; i < 8; i += 2) {
            x0 = std::min(x0, double(box[i])), x1 = std::max(x1, double(box[i]));
            y0 = std::min(y0, double(box[i + 1])), y1 = std::max(y1, double(box[i + 1]));
        }
        EXPECT_NEAR(x0, c.boxX0, 1e-3);
        EXPECT_NEAR(x1, c.boxX1, 1e-3);
        EXPECT_NEAR(y0, c.boxY0, 1e-3);
        EXPECT_NEAR(y1, c.boxY1, 1e-3);

        // Half a pixel inside each edge is in the box, half a pixel beyond it is out.
        const double mx = (c.boxX0 + c.boxX1) / 2, my = (c.boxY0 + c.boxY1) / 2;
        const Vector in[] = {{c.boxX0 + 0.5, my}, {c.boxX1 - 0.5, my}, {mx, c.boxY0 + 0.5}, {mx, c.boxY1 - 0.5},
                             {c.boxX0 + 0.5, c.boxY0 + 0.5}, {c.boxX1 - 0.5, c.boxY1 - 0.5}};
        const Vector out[] = {{c.boxX0 - 0.5, my}, {c.boxX1 + 0.5, my}, {mx, c.boxY0 - 0.5}, {mx, c.boxY1 + 0.5}};
        for (const Vector& p : in) EXPECT_EQ(rw->inThreshold(p), 1) << p.x << "," << p.y;
        for (const Vector& p : out) EXPECT_EQ(rw->inThreshold(p), 0) << p.x << "," << p.y;
        EXPECT_EQ(rw->inThreshold(rw->getPosition()), 0) << "the runway centre lies beyond the box";
    }
}

TEST_F(RunwayTest, ScaleAppliesToSizeButNotToTheFixedOffsets) {
    Runway::set_Scale(2.0f);
    auto rw = Runway::Create(Vector(200, 150), 0, 330, 0);
    expectNear(rw->getPosition(), 400, 300, "centre");
    EXPECT_EQ(rw->getLength(), 660);
    EXPECT_EQ(rw->getWidth(), 60);
    expectNear(rw->getTouchDownVector1(), 400, -30, "touch-down 1");
    expectNear(rw->getTouchDownVector2(), 400, -14, "touch-down 2: 16 px on, unscaled");
    EXPECT_EQ(rw->inThreshold(Vector(400, -30 + 95)), 1);
    EXPECT_EQ(rw->inThreshold(Vector(400, -30 + 97)), 0) << "the box is 96 px deep, unscaled";
}

// The pairs that come on in each step of the sweep, read from the lights that turn active.
TEST_F(RunwayTest, LightsSweepFromTheThresholdPairToPairOneAndStartAgain) {
    struct Case { int length, pairs; };
    for (const Case c : {Case{330, 16}, Case{226, 11}, Case{80, 4}}) {
        SCOPED_TRACE(c.length);
        auto rw = Runway::Create(Vector(400, 300), 0, c.length, 0);
        auto lights = rw->getRuwayLights();
        ASSERT_EQ(lights->getLightCount(), c.pairs);
        const auto& all = lights->getLightsArray();
        ASSERT_EQ(int(all.size()), 2 * (c.pairs + 1));
        // Pair 0 at the far-end corners, pair n nearest the threshold, 20 px apart.
        expectNear(all[0]->getPosition(), 385, 300 + c.length / 2, "pair 0 left");
        expectNear(all[1]->getPosition(), 415, 300 + c.length / 2, "pair 0 right");
        expectNear(all[2 * c.pairs]->getPosition(), 385, 300 + c.length / 2 - 20 * c.pairs, "pair n left");
        for (const auto& l : all) EXPECT_EQ(l->getG(), 255);

        // The pairs that come on, frame by frame (-1 where none does).
        auto sweep = [&](int frames) {
            std::vector<int> lit;
            for (int f = 0; f < frames; ++f) {
                std::vector<int> before;
                for (const auto& l : all) before.push_back(l->isActive());
                lights->update();
                int pair = -1;
                for (size_t i = 0; i < all.size(); i += 2) {
                    if (!before[i] && all[i]->isActive()) {
                        EXPECT_TRUE(!before[i + 1] && all[i + 1]->isActive()) << "both lights of a pair";
                        EXPECT_EQ(pair, -1) << "one pair a step";
                        pair = int(i / 2);
                    }
                }
                lit.push_back(pair);
            }
            return lit;
        };
        EXPECT_EQ(sweep(10), std::vector<int>(10, -1)) << "idle until on";
        lights->on();
        // A pair at once, then one every 3 frames: n, n - 1, ..., 1, then n again.
        std::vector<int> expected;
        for (int p = c.pairs; p >= 1; --p) expected.insert(expected.end(), {p, -1, -1});
        expected.push_back(c.pairs);
        EXPECT_EQ(sweep(3 * c.pairs + 1), expected);
        // Off mid-sweep, then on: dark at once and the sweep starts over at the threshold.
        sweep(4);
        lights->off();
        for (const auto& l : all) EXPECT_EQ(l->isActive(), 0);
        lights->on();
        EXPECT_EQ(sweep(1), std::vector<int>{c.pairs});
    }
}

TEST_F(RunwayTest, ARunwayShorterThanTheSpacingHasOnePairLitAgainAtEveryStep) {
    auto rw = Runway::Create(Vector(400, 300), 0, 19, 0);
    auto lights = rw->getRuwayLights();
    ASSERT_EQ(lights->getLightCount(), 0);
    ASSERT_EQ(lights->getLightsArray().size(), 2u);
    lights->on();
    int relit = 0, prev = 0;
    for (int f = 0; f < 40; ++f) {
        lights->update();
        const int now = lights->getLightsArray()[0]->isActive();
        EXPECT_EQ(now, lights->getLightsArray()[1]->isActive());
        if (now && !prev) ++relit;
        prev = now;
    }
    EXPECT_GE(relit, 3) << "the single pair goes dark after its fade and comes on again";
}

TEST_F(RunwayTest, OneShotLightIsFullAfterOneUpdateAndDarkTenLater) {
    auto light = ShapeLight::Create(Vector(5, 5), 3, 0, 255, 0);
    light->update();
    EXPECT_EQ(light->getAlpha(), 0.0f) << "nothing happens before on";
    light->on();
    light->update();
    EXPECT_EQ(light->getAlpha(), 1.0f);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(light->isActive(), 1) << i;
        light->update();
    }
    EXPECT_EQ(light->isActive(), 0);
    EXPECT_EQ(light->getAlpha(), 0.0f);
    EXPECT_EQ(light->getDir(), 1);
}

namespace {

// Heavy runway at (400, 300) heading 0: T = (400, 135), box x 385..415, y 135..231.
struct FinalCase {
    const char* name;
    std::vector<Vector> drawn;     // the player's beads, the last one in the box
    std::vector<Vector> expected;  // the drawn points of the joined path
};

const Vector T(400, 135), P(400, 300);

std::vector<FinalCase> finalCases() {
    return {
        {"2 far", {{400, 40}, {400, 150}}, {{400, 40}, T, P}},
        {"2 near", {{400, 110}, {400, 150}}, {T, P}},
        {"3 far", {{300, 0}, {400, 60}, {400, 150}}, {{300, 0}, T, P}},
        {"3 near", {{300, 0}, {400, 110}, {400, 150}}, {{300, 0}, T, P}},
        {"4 far", {{200, 0}, {300, 20}, {400, 60}, {400, 150}}, {{200, 0}, {300, 20}, T, P}},
        {"4 near", {{200, 0}, {300, 20}, {400, 110}, {400, 150}}, {{200, 0}, T, P}},
    };
}

// The drawn points of a curve: its entries without the doubled start and end.
std::vector<Vector> drawnPoints(const KZ_spline& s) {
    std::vector<Vector> out;
    const auto& e = s.getPointsArray();
    for (size_t i = 1; i + 1 < e.size(); ++i) out.push_back(*e[i]);
    return out;
}

}  // namespace

TEST_F(RunwayTest, JoinedPathEndsAtTheTouchdownPointThenTheCentre) {
    auto rw = Runway::Create(P, 0, 330, 1);
    for (const FinalCase& c : finalCases()) {
        SCOPED_TRACE(c.name);
        KZ_spline path;
        for (const Vector& v : c.drawn) path.addPoint(v);
        ASSERT_EQ(rw->onFinal(path), 1);
        const int i = rw->finalBeadIndex(path);
        ASSERT_EQ(i, int(path.getPointsArray().size()) - 2);
        rw->joinFinal(path, i);
        EXPECT_EQ(drawnPoints(path), c.expected);
        // The curve runs through T and stops at P: no loop from T back to T.
        const VectorList& curve = *path.getCurvePoints();
        const int res = path.getRes();
        ASSERT_GT(int(curve.size()), res);
        expectNear(curve.back(), P.x, P.y, "curve end");
        expectNear(curve[curve.size() - 1 - size_t(res)], T.x, T.y, "start of the last segment");
        EXPECT_GT(curve[curve.size() - 2].y, T.y + 100) << "the last segment rolls towards the centre";
    }
}

TEST_F(RunwayTest, HeadOfStateApproachAppendsBothTouchdownPointsAndTheCentre) {
    auto rw = Runway::Create(Vector(400, 300), 90, 226, 0);
    KZ_spline path;
    path.addPoint(Vector(100, 100));
    rw->addVectorFinal(path);
    const std::vector<Vector> expected = {{100, 100}, rw->getTouchDownVector1(), rw->getTouchDownVector2(), {400, 300}};
    EXPECT_EQ(drawnPoints(path), expected);
}

namespace {

class FinalFlightTest : public simtest::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        Airport::GetInstance()->_addRunway(Runway::Create(P, 0, 330, Aircraft::HEAVY));
        ScreenManager::GetInstance()->setScreen(std::make_shared<simtest::PlayScreen>());
    }
};

}  // namespace

// The whole landing: the aircraft flies the joined path, goes on final in the box,
// touches down with the heavy fee booked in that frame, and stops at the runway centre,
// also when it was already on its last drawn segment when the path was joined.
TEST_F(FinalFlightTest, AircraftOnAJoinedPathTouchesDownPaysAndEndsAtTheCentre) {
    auto airport = Airport::GetInstance();
    auto world = GameWorld::GetInstance();
    int run = 0;
    for (const FinalCase& c : finalCases()) {
        for (const bool onLastSegment : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (onLastSegment ? ", on its last segment" : ", at its start"));
            auto a = simtest::placeAircraft(Aircraft::HEAVY, c.drawn.front());
            auto path = std::make_shared<KZ_spline>();
            for (const Vector& v : c.drawn) path->addPoint(v);
            a->flyPath(path, 0.8f, 1);  // a heavy arrival's speed
            const int lastSegmentStart = (int(c.drawn.size()) - 2) * path->getRes() + 2;
            while (onLastSegment && a->getPathIndex() < lastSegmentStart) a->update();

            airport->setFunds(5000);
            RunwayPtr rw = airport->pathOnFinal(path);
            ASSERT_NE(rw, nullptr);
            rw->setPathForFinal(a);
            a->setPhase(Aircraft::APPROACH);
            expectNear(path->getPointsArray().back() ? *path->getPointsArray().back() : Vector(), P.x, P.y, "end");

            int touchdownFrame = -1, feeFrame = -1, feeFrames = 0, fee = 0;
            for (int f = 0; f < 3000 && !a->isInvalid(); ++f) {
                const int before = airport->getFunds();
                simtest::SimEnv::tick();
                const int gain = airport->getFunds() - before;
                if (gain > 0) feeFrame = f, fee = gain, ++feeFrames;
                if (touchdownFrame < 0 && a->getPhase() == Aircraft::TOUCHDOWN) touchdownFrame = f;
            }
            EXPECT_TRUE(a->isInvalid()) << "the fleet removes it once it has stopped";
            EXPECT_NE(touchdownFrame, -1) << "it touched down";
            EXPECT_EQ(feeFrame, touchdownFrame) << "the fee is booked at touchdown";
            EXPECT_EQ(feeFrames, 1);
            // The operating cost may fall due in the same frame.
            EXPECT_TRUE(fee == 1000 || fee == 980) << fee;
            EXPECT_LT(a->GetPosition().distanceTo(P), 0.8) << "it stops at the centre, short by less than a step";
            ASSERT_EQ(int(env.scenario->landed.size()), ++run);
            EXPECT_EQ(env.scenario->landed.back(), a);
            EXPECT_EQ(world->getAircraftList().size(), 0u);
        }
    }
}
