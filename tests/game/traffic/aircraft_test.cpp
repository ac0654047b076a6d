// Aircraft: classes and payloads, the per-frame update and its order, descent and
// touchdown, radar contact and lanes, explosion, engine failure, smoke and the hit box.
#include <gtest/gtest.h>

#include "game/sim_env.h"
#include "game/weather/cloudmanager.h"
#include "game/display/gameui.h"

using namespace simtest;

namespace {

class AircraftTest : public SimTest {
protected:
    // In the world, flying straight from `from` to `to` (and on) at `speed`.
    static AircraftPtr flying(int cls, Vector from, Vector to, float speed = 1.0f) {
        auto a = Aircraft::Create(cls, from);
        GameWorld::GetInstance()->addAircraft(a);
        a->flyDirect(to, speed);
        return a;
    }
    static bool inWorld(const AircraftPtr& a) {
        const auto& l = GameWorld::GetInstance()->getAircraftList();
        return std::find(l.begin(), l.end(), a) != l.end();
    }
};

}  // namespace

TEST_F(AircraftTest, EveryClassAndPayloadHasItsPictureHandleAndSettings) {
    struct Case {
        int cls, payload, rand;
        const char* key;
        int cx, cy, passengers, user, solid, transit;
    } cases[] = {
        {Aircraft::LIGHT, 0, 0, "Mooney", 19, 16, 2, 1, 1, 0},
        {Aircraft::HEAVY, 0, 1, "TU-154", 35, 24, 50, 1, 1, 0},
        {Aircraft::HEAVY, 0, 0, "MD-11", 35, 24, 50, 1, 1, 0},
        {Aircraft::BIRD, 0, 0, "Goose", 29, 30, 0, 0, 0, 1},
        {Aircraft::HEAVY, Aircraft::HOS, 0, "A380", 37, 31, 50, 1, 1, 0},
        {Aircraft::HEAVY, Aircraft::LIFEGUARD, 0, "C130", 24, 23, 12, 1, 1, 0},
        {Aircraft::LIGHT, Aircraft::UAV, 0, "uav", 19, 16, 2, 1, 1, 1},
    };
    auto rm = ResourceManager::GetInstance();
    for (const auto& c : cases) {
        env.rand.queue.clear();
        env.rand.push({c.rand});
        auto a = Aircraft::Create(c.cls, Vector(10, 20));
        if (c.payload) a->setPayload(c.payload);
        SCOPED_TRACE(c.key);
        EXPECT_EQ(a->getImage(), rm->retrieveImage(c.key));
        EXPECT_EQ(a->getImageCenterX(), c.cx);
        EXPECT_EQ(a->getImageCenterY(), c.cy);
        EXPECT_EQ(a->getImage()->handleX(), float(c.cx));
        EXPECT_EQ(a->getPassengerCount(), c.passengers);
        EXPECT_EQ(a->GetUserControlled(), c.user);
        EXPECT_EQ(a->isSolid(), c.solid);
        EXPECT_EQ(a->getTransitFlight(), c.transit);
        EXPECT_EQ(a->getPayload(), c.payload);
        EXPECT_EQ(a->GetHeight(), 1000.0f);
        EXPECT_EQ(a->GetPosition(), Vector(10, 20));
        EXPECT_EQ(a->getPhase(), Aircraft::INFLIGHT);
    }
    env.rand.queue.clear();
}

TEST_F(AircraftTest, DescentTouchesDownOnThe67thUpdateWithOneSoundAndOneFee) {
    struct Case { int cls; const char* sound; const char* other; int fee; } cases[] = {
        {Aircraft::LIGHT, "touchdown2.wav", "touchdown.wav", 120},
        {Aircraft::HEAVY, "touchdown.wav", "touchdown2.wav", 1000},
    };
    auto airport = Airport::GetInstance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sound);
        airport->setFunds(0);
        plat::testing::clearPlayLog();
        auto a = flying(c.cls, Vector(400, 100), Vector(400, 400));
        a->setWarning(1);
        a->setPhase(Aircraft::ONFINAL);
        EXPECT_EQ(a->getWarning(), 0);
        EXPECT_EQ(a->GetUserControlled(), 0);
        for (int i = 1; i <= 66; ++i) a->update();
        EXPECT_EQ(a->GetHeight(), 10.0f);
        EXPECT_EQ(a->getPhase(), Aircraft::ONFINAL);
        EXPECT_EQ(airport->getFunds(), 0);
        a->update();
        EXPECT_EQ(a->GetHeight(), 0.0f);
        EXPECT_EQ(a->getPhase(), Aircraft::TOUCHDOWN);
        for (int i = 0; i < 5; ++i) a->update();
        EXPECT_EQ(SimEnv::plays(c.sound), 1);
        EXPECT_EQ(SimEnv::plays(c.other), 0);
        EXPECT_EQ(airport->getFunds(), c.fee);
        EXPECT_EQ(SoundManager::GetInstance()->getNowPlaying(2), std::string(c.cls == Aircraft::HEAVY ? "touchdown heavy" : "touchdown light"));
    }
}

TEST_F(AircraftTest, EdgeSignUntilRadarContactAtTheScreenBounds) {
    struct Case { Vector from, to, sign; } cases[] = {
        {{-300, 240}, {400, 240}, {16, 240}},  // side lane
        {{-300, -200}, {400, 240}, {16, 16}},  // diagonal
        {{0, -100}, {0, 300}, {16, 16}},       // straight down the left edge
    };
    auto ui = GameUI::GetInstance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.x);
        ui->reset();
        auto a = flying(Aircraft::LIGHT, c.from, c.to, 3.0f);
        a->update();
        ASSERT_EQ(ui->getRadarContactList().size(), 1u);
        EXPECT_EQ(ui->getRadarContactList()[0], c.sign);
        int frames = 1;
        while (a->getRadarContact() == Aircraft::AIRSPACE_OUTSIDE && frames < 1000) {
            a->update();
            ++frames;
        }
        ASSERT_EQ(a->getRadarContact(), Aircraft::AIRSPACE_ENTERED);
        const Vector p = a->GetPosition();
        EXPECT_TRUE(p.x >= 0 && p.x <= 800 && p.y >= 0 && p.y <= 480);
        // One sign per frame outside, none from the contact frame on.
        EXPECT_EQ(int(ui->getRadarContactList().size()), frames - 1);
        EXPECT_EQ(a->getFlightTime(), 0);
    }
    // Along the top and the bottom edge (y exactly 0 and H) the contact comes with the
    // first x on the screen.
    for (double y : {0.0, 480.0}) {
        auto edge = y == 0.0 ? flying(Aircraft::LIGHT, Vector(-100, y), Vector(400, y), 1.0f)
                             : flying(Aircraft::LIGHT, Vector(900, y), Vector(400, y), 1.0f);
        Vector last;
        while (edge->getRadarContact() == Aircraft::AIRSPACE_OUTSIDE) {
            last = edge->GetPosition();
            edge->update();
        }
        EXPECT_EQ(edge->GetPosition().y, y);
        EXPECT_TRUE(last.x < 0.0 || last.x > 800.0);
        EXPECT_TRUE(edge->GetPosition().x >= 0.0 && edge->GetPosition().x <= 800.0);
    }
}

TEST_F(AircraftTest, LanesFollowTheAirspaceStateOnClockFramesAndOnRemoval) {
    auto fleet = FleetManager::GetInstance();
    auto world = GameWorld::GetInstance();
    auto lock = [&](int lane) {
        fleet->clearLane(lane);
        ASSERT_EQ(fleet->lockOppositeLane(FleetManager::oppositeLane(lane)), 1);
    };
    // Never on screen: removal frees the arrival lane.
    lock(3);
    auto never = Aircraft::Create(Aircraft::LIGHT, Vector(-300, 240));
    never->setHeadingIndex(3);
    world->addAircraft(never);
    world->removeAircraft(never);
    EXPECT_EQ(fleet->getLane(3), 0.0f);

    // 300 clock frames pass in a pause: the first update after it frees the lane; a later
    // removal frees nothing.
    lock(3);
    auto a = flying(Aircraft::LIGHT, Vector(400, 240), Vector(400, 400));
    a->setHeadingIndex(3);
    a->update();
    ASSERT_EQ(a->getRadarContact(), Aircraft::AIRSPACE_ENTERED);
    for (int i = 0; i < 300; ++i) SimEnv::tick();
    a->update();
    EXPECT_EQ(a->getRadarContact(), Aircraft::AIRSPACE_ENTERED);
    SimEnv::tick();
    a->update();
    EXPECT_EQ(a->getRadarContact(), Aircraft::AIRSPACE_IN);
    EXPECT_EQ(fleet->getLane(3), 0.0f);
    lock(3);
    world->removeAircraft(a);
    EXPECT_EQ(fleet->getLane(3), 1.0f);

    // A transit flight leaves by the opposite lane once it is granted, and frees it.
    auto bird = flying(Aircraft::BIRD, Vector(400, 240), Vector(400, 400));
    bird->setHeadingIndex(2);
    bird->update();
    for (int i = 0; i < 2301; ++i) SimEnv::tick();
    lock(6);
    bird->update();
    EXPECT_EQ(bird->getRadarContact(), Aircraft::AIRSPACE_IN);  // opposite lane still taken
    fleet->clearLane(6);
    bird->update();
    EXPECT_EQ(bird->getRadarContact(), Aircraft::AIRSPACE_LEAVING);
    EXPECT_EQ(fleet->getLane(6), 1.0f);
    world->removeAircraft(bird);
    EXPECT_EQ(fleet->getLane(6), 0.0f);

    // A drone whose explosion ends in the update that would lock its way out locks
    // nothing: nothing would be left to free that lane.
    auto drone = flying(Aircraft::LIGHT, Vector(400, 240), Vector(400, 400));
    drone->setPayload(Aircraft::UAV);
    drone->setHeadingIndex(2);
    drone->update();
    for (int i = 0; i < 2300; ++i) SimEnv::tick();
    drone->explode();
    for (int i = 0; i < 23; ++i) drone->update();  // in, but not yet due to leave
    SimEnv::tick();
    drone->update();  // due to leave, and the explosion ends
    ASSERT_FALSE(inWorld(drone));
    EXPECT_EQ(fleet->getLane(6), 0.0f);
}

TEST_F(AircraftTest, ExplosionRemovesAfter24UpdatesUnlessHeld) {
    for (int hold : {0, 1}) {
        SCOPED_TRACE(hold);
        auto a = flying(Aircraft::LIGHT, Vector(400, 100), Vector(400, 400));
        a->setPhase(Aircraft::APPROACH);
        a->setHoldOnExplosion(hold);
        a->explode();
        EXPECT_EQ(a->getPhase(), hold ? Aircraft::APPROACH : Aircraft::COLLISION);
        const Vector before = a->GetPosition();
        for (int i = 0; i < 23; ++i) a->update();
        EXPECT_TRUE(inWorld(a));
        EXPECT_GT(a->GetPosition().y, before.y);  // it keeps flying while it explodes
        a->update();
        EXPECT_EQ(inWorld(a), hold == 1);
        EXPECT_EQ(a->isInvalid(), hold == 1 ? 0 : 1);
        EXPECT_EQ(a->isExploding(), 0);
        EXPECT_EQ(a->getPhase(), hold ? Aircraft::APPROACH : Aircraft::COLLISION);
    }
}

TEST_F(AircraftTest, EngineFailureFliesStraightAtTheSlowSpeedAndSmokes) {
    auto a = Aircraft::Create(Aircraft::HEAVY, Vector(100, 100));
    GameWorld::GetInstance()->addAircraft(a);
    auto curve = std::make_shared<KZ_spline>();
    curve->addPoint(Vector(100, 100));
    curve->addPoint(Vector(300, 100));
    curve->addPoint(Vector(300, 300));
    a->flyPath(curve, 2.0f, 0);
    for (int i = 0; i < 40; ++i) a->update();
    const int idx = a->getPathIndex();
    const Vector target = (*curve->getCurvePoints())[size_t(idx + 2)];
    a->setWarning(1);
    a->engineFailure();
    EXPECT_EQ(a->getPhase(), Aircraft::ENGINE_FAILURE);
    EXPECT_EQ(a->GetUserControlled(), 0);
    EXPECT_EQ(a->getWarning(), 0);
    EXPECT_EQ(a->getSmoke(), 1);
    EXPECT_FLOAT_EQ(a->getMotion()->getSpeed(), 0.41f);
    a->update();
    const Vector start = a->GetPosition();
    Vector dir = target.SubtractCopy(start);
    dir.normalise();
    // Thousands of frames on the same line, past the target and on.
    for (int i = 0; i < 3000; ++i) a->update();
    Vector moved = a->GetPosition().SubtractCopy(start);
    EXPECT_GT(moved.distanceTo(Vector(0, 0)), 0.41 * 2990);
    EXPECT_NEAR(moved.x * dir.y - moved.y * dir.x, 0.0, 0.5);
    EXPECT_GT(moved.dotProduct(dir), 0.0);
    EXPECT_EQ(a->isActive(), 1);
}

TEST_F(AircraftTest, SmokePuffsOnTheFirstFrameThenEvery30) {
    auto a = flying(Aircraft::LIGHT, Vector(400, 100), Vector(400, 400));
    auto cm = CloudManager::GetInstance();
    a->setSmoke(1);
    const int checks[][2] = {{1, 1}, {2, 1}, {30, 1}, {31, 2}, {60, 2}, {61, 3}, {91, 4}};
    int frame = 0;
    for (const auto& c : checks) {
        while (frame < c[0]) {
            a->update();
            ++frame;
        }
        ASSERT_EQ(int(cm->getCloudList().size()), c[1]) << "frame " << frame;
    }
    const auto& puff = cm->getCloudList().back();
    EXPECT_EQ(puff->position, a->GetPosition());
    EXPECT_EQ(puff->velocity, Vector(0, 0));
    EXPECT_FLOAT_EQ(puff->alpha, 0.8f);
    EXPECT_FLOAT_EQ(puff->fadeRate, 0.0025f);
    EXPECT_EQ(puff->img, ResourceManager::GetInstance()->retrieveImage("smoke"));
}

TEST_F(AircraftTest, HitBoxIsOneAndAHalfPicturesAroundTheAircraft) {
    auto a = Aircraft::Create(Aircraft::LIGHT, Vector(100, 100));  // 38 x 32, handle (19, 16)
    struct Case { double x, y; int in; } cases[] = {
        {72, 76, 1}, {129, 124, 1}, {71.9, 100, 0}, {129.1, 100, 0},
        {100, 75.9, 0}, {100, 124.1, 0}, {100, 100, 1}, {72, 124, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(a->pointInArea(Vector(c.x, c.y)), c.in) << c.x << "," << c.y;
    // Between pixels the box keeps its fraction: 72.5 to 129.5 across, 76.5 to 124.5 down.
    a->SetPosition(Vector(100.5, 100.5));
    Case between[] = {{72, 100, 0}, {73, 100, 1}, {129, 100, 1}, {130, 100, 0}, {100, 76, 0}, {100, 124, 1}};
    for (const auto& c : between) EXPECT_EQ(a->pointInArea(Vector(c.x, c.y)), c.in) << c.x << "," << c.y;
}

TEST_F(AircraftTest, SlowDownUsesTheControlPointReachedWithoutFurtherOffset) {
    auto a = Aircraft::Create(Aircraft::HEAVY, Vector(0, 240));
    GameWorld::GetInstance()->addAircraft(a);
    auto curve = std::make_shared<KZ_spline>();
    for (int x : {0, 100, 200, 300}) curve->addPoint(Vector(x, 240));
    curve->setPointAuxData(2, 0.5f);  // entry 2 is the second control point (100, 240)
    a->flyPath(curve, 2.0f, 0);
    int slowFrames = 0;
    for (int f = 0; f < 200 && a->isActive(); ++f) {
        a->update();
        const int idx = a->getPathIndex();
        const float expected = (idx >= 10 && idx < 20) ? 1.0f : 2.0f;
        ASSERT_EQ(a->getMotion()->getSpeed(), expected) << "path index " << idx;
        if (expected == 1.0f) ++slowFrames;
        // Position, heading and flown part are taken after the follower's step.
        EXPECT_EQ(a->GetPosition(), *a->getMotion()->getPosition());
        EXPECT_EQ(a->GetAngle(), a->getMotion()->getAngle());
        EXPECT_EQ(curve->getMinIndex(), idx + 1);
    }
    EXPECT_GT(slowFrames, 40);
}

TEST_F(AircraftTest, NewPathTurnsFromTheCurrentHeading) {
    auto a = flying(Aircraft::LIGHT, Vector(400, 0), Vector(400, 400));
    for (int i = 0; i < 30; ++i) a->update();
    ASSERT_NEAR(a->GetAngle(), 90.0f, 0.5f);
    a->flyDirect(Vector(800, a->GetPosition().y), 1.0f);
    a->update();
    // Turning from 90 toward 0 by a tenth each frame, not snapped to 0 and swung back.
    EXPECT_NEAR(a->GetAngle(), 81.0f, 0.5f);
    for (int i = 0; i < 12; ++i) a->update();
    EXPECT_NEAR(a->GetAngle(), 0.0f, 0.5f);
}
