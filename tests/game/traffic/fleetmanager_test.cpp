// The fleet: entry lanes, the regular arrival rule with its draws in a fixed order,
// spawns, drifts, landings, removal while a scenario empties the sky, the heartbeat.
#include <climits>
#include <cmath>

#include "game/display/gameui.h"
#include "game/traffic/nationitem.h"
#include "game/sim_env.h"

using namespace simtest;

namespace {

class FleetTest : public SimTest {
protected:
    // Marks the usable lanes in `used` as taken (lockOppositeLane is the fleet's own way).
    void useLanes(std::initializer_list<int> used) {
        for (int lane : used) fleet()->lockOppositeLane(FleetManager::oppositeLane(lane));
    }
    static std::shared_ptr<FleetManager> fleet() { return FleetManager::GetInstance(); }
    static std::vector<AircraftPtr>& aircraft() { return GameWorld::GetInstance()->getAircraftList(); }

};

// Counts its removals, to catch an aircraft removed (and its lane freed) twice.
class CountingAircraft : public Aircraft {
public:
    void onRemove() override {
        ++removals;
        Aircraft::onRemove();
    }
    int removals = 0;
};

// Leaves the world inside its own update, as an aircraft does when its explosion ends.
class SelfRemovingAircraft : public CountingAircraft {
public:
    void update() override { GameWorld::GetInstance()->removeAircraft(std::static_pointer_cast<Aircraft>(shared_from_this())); }
};

template <class T = CountingAircraft>
std::shared_ptr<T> countingAircraft(Vector at, int lane) {
    auto a = std::make_shared<T>();
    a->SetPosition(at);
    a->setHeadingIndex(lane);
    GameWorld::GetInstance()->addAircraft(a);
    return a;
}

}  // namespace

TEST_F(FleetTest, EmptySkySpawnsOnLaneOneEvenInUseThenDrawsLaneBeforeSpawn) {
    useLanes({1});
    env.rand.push({Aircraft::LIGHT, 3, 30});
    fleet()->update();

    ASSERT_EQ(aircraft().size(), 1u);
    EXPECT_EQ(aircraft()[0]->getHeadingIndex(), 1);
    EXPECT_EQ(aircraft()[0]->getClass(), Aircraft::LIGHT);
    // Class draw of the spawn, one lane try that hit lane 3, then the arrival draw, which
    // hit 30 but falls to the spacing: no second aircraft in the same frame.
    const std::vector<std::pair<int, int>> draws = {{0, 1}, {0, 7}, {0, 50}};
    EXPECT_EQ(env.rand.calls, draws);
    EXPECT_EQ(fleet()->getLane(3), 0.0f);
}

TEST_F(FleetTest, SpawnsStartOnTheirLaneWithTheirKindAndSpeed) {
    struct Lane { int lane; double x, y; };
    const Lane lanes[] = {{1, 22.9, 617.1}, {2, -133.3, 240.0}, {3, 22.9, -137.1},
                          {5, 777.1, -137.1}, {6, 933.3, 240.0}, {7, 777.1, 617.1}};
    for (const Lane& l : lanes) {
        fleet()->reset();
        auto a = fleet()->addLifeFlight(l.lane);
        ASSERT_TRUE(a);
        EXPECT_NEAR(a->GetPosition().x, l.x, 0.05) << "lane " << l.lane;
        EXPECT_NEAR(a->GetPosition().y, l.y, 0.05) << "lane " << l.lane;
        EXPECT_EQ(a->getHeadingIndex(), l.lane);
        EXPECT_EQ(fleet()->getLane(l.lane), 1.0f);
    }

    struct Kind { const char* name; std::function<AircraftPtr()> spawn; int cls, payload, timer; float speed; };
    const Kind kinds[] = {
        {"light arrival", [] { return fleet()->addLandingAircraft(2); }, Aircraft::LIGHT, 0, -1, 0.5f},
        {"heavy arrival", [] { return fleet()->addLandingAircraft(2); }, Aircraft::HEAVY, 0, -1, 0.8f},
        {"life flight", [] { return fleet()->addLifeFlight(2); }, Aircraft::LIGHT, Aircraft::LIFEGUARD, 1900, 0.6f},
        {"drone", [] { return fleet()->addUAVFlight(2); }, Aircraft::LIGHT, Aircraft::UAV, -1, 1.0f},
        {"bird flock", [] { fleet()->addBirdFlock(2); return aircraft().back(); }, Aircraft::BIRD, 0, -1, 0.2f},
    };
    for (const Kind& k : kinds) {
        fleet()->reset();
        env.rand.push({k.cls, 0});  // class of an arrival, then a heavy's picture
        auto a = k.spawn();
        ASSERT_TRUE(a) << k.name;
        EXPECT_EQ(a->getClass(), k.cls) << k.name;
        EXPECT_EQ(a->getPayload(), k.payload) << k.name;
        EXPECT_EQ(a->getPayloadTimer(), k.timer) << k.name;
        EXPECT_FLOAT_EQ(a->GetSpeed(), k.speed) << k.name;
        EXPECT_TRUE(a->isActive()) << k.name;
        env.rand.queue.clear();
    }

    // A lane outside the table spawns nothing.
    fleet()->reset();
    EXPECT_EQ(fleet()->addLifeFlight(-1), nullptr);
    EXPECT_EQ(fleet()->addLandingAircraft(8), nullptr);
    EXPECT_EQ(fleet()->addHeadOfState(NationItem::Create("A|russia|||"), -1, 1), nullptr);
    EXPECT_TRUE(aircraft().empty());
}

TEST_F(FleetTest, RegularArrivalWaitsForTheSpacingWhichLandingsShortenToAFloor) {
    struct Case { int landings, gap; bool spawns; };
    const Case cases[] = {{0, 200, false}, {0, 201, true}, {99, 101, false},
                          {99, 102, true}, {150, 100, false}, {150, 101, true}};
    for (const Case& c : cases) {
        fleet()->reset();
        fleet()->setLandCount(c.landings);
        env.rand.queue = {Aircraft::LIGHT, 2, 0};  // the empty-sky arrival sets the clock
        fleet()->update();
        for (int i = 0; i < c.gap; ++i) SimEnv::tick();
        env.rand.queue = {2, 30, Aircraft::LIGHT};
        fleet()->update();
        EXPECT_EQ(aircraft().size(), c.spawns ? 2u : 1u) << c.landings << " landings, gap " << c.gap;
        EXPECT_EQ(fleet()->getLane(2), c.spawns ? 1.0f : 0.0f);
    }
}

TEST_F(FleetTest, NoArrivalAtTheCapAndNoArrivalDrawThere) {
    for (int n : {20, 19}) {
        fleet()->reset();
        for (int i = 0; i < n; ++i) placeAircraft(Aircraft::LIGHT, Vector(-300.0, 240.0), false, 0.1f);
        for (int i = 0; i < 201; ++i) SimEnv::tick();
        env.rand.calls.clear();
        env.rand.queue = {2, 30, Aircraft::LIGHT};
        fleet()->update();
        const bool below = n < FleetManager::MAX_AIRCRAFT;
        EXPECT_EQ(int(aircraft().size()), below ? n + 1 : n);
        EXPECT_EQ(env.rand.calls.size(), below ? 3u : 1u) << n << " aircraft";
    }
}

TEST_F(FleetTest, FreeLaneTriesRandomLanesThenScansAndGivesMinusOneWhenFull) {
    struct Case { std::vector<int> used; std::deque<int> draws; int lane; size_t drawsTaken; };
    const Case cases[] = {
        {{}, {0, 5}, 5, 2},                             // lane 0 is blocked for good
        {{1, 2, 3, 5, 7}, std::deque<int>(11, 1), 6, 11},  // eleven misses, then the scan
        {{1, 2, 3, 5, 6, 7}, {}, -1, 11},
    };
    for (const Case& c : cases) {
        fleet()->reset();
        for (int l : c.used) useLanes({l});
        env.rand.calls.clear();
        env.rand.queue = c.draws;
        EXPECT_EQ(fleet()->getFreeLane(), c.lane);
        EXPECT_EQ(env.rand.calls.size(), c.drawsTaken);
        EXPECT_EQ(fleet()->laneAvailable(), c.lane > 0 ? 1 : 0);
    }

    fleet()->reset();
    EXPECT_EQ(fleet()->lockOppositeLane(2), 1);
    EXPECT_EQ(fleet()->getLane(6), 1.0f);
    EXPECT_EQ(fleet()->lockOppositeLane(2), 0);
    fleet()->clearOppositeLane(2);
    EXPECT_EQ(fleet()->getLane(6), 0.0f);
}

TEST_F(FleetTest, ArrivalLaneFreedThreeHundredFramesAfterRadarContactCountedThroughAPause) {
    auto engine = GameEngine::GetInstance();
    auto sm = ScreenManager::GetInstance();
    struct Case { int pauseFrom, pauseTo, freedAt; };
    // Frames after the contact: the screen manager's count runs on while paused, so a
    // buffer that ends in the pause frees the lane in the first frame after it.
    const Case cases[] = {{0, 0, 301}, {100, 250, 301}, {100, 400, 400}};
    for (const Case& c : cases) {
        fleet()->reset();
        engine->reset();
        useLanes({3});
        auto a = placeAircraft(Aircraft::LIGHT, Vector(400.0, 240.0), false, 0.05f, Vector(400.0, 100.0));
        a->setHeadingIndex(3);
        SimEnv::tick();
        engine->update();
        ASSERT_EQ(a->getRadarContact(), Aircraft::AIRSPACE_ENTERED);
        const int contact = sm->getFrameCount();
        int freedAt = -1;
        for (int f = 1; f <= 500 && freedAt < 0; ++f) {
            SimEnv::tick();
            if (f == c.pauseFrom) engine->setPause();
            if (f == c.pauseTo) engine->clearPause();
            engine->update();
            if (fleet()->getLane(3) == 0.0f) freedAt = sm->getFrameCount() - contact;
        }
        EXPECT_EQ(freedAt, c.freedAt) << "pause " << c.pauseFrom << ".." << c.pauseTo;
    }
}

TEST_F(FleetTest, OnlyAnAircraftThatHadRadarContactDrifts) {
    auto unseen = placeAircraft(Aircraft::LIGHT, Vector(-300.0, 240.0), false, 1.0f, Vector(-1000.0, 240.0));
    auto leaving = placeAircraft(Aircraft::LIGHT, Vector(10.0, 240.0), true, 10.0f, Vector(-1000.0, 240.0));
    for (int i = 0; i < 20; ++i) fleet()->update();

    ASSERT_EQ(env.scenario->drifted.size(), 1u);
    EXPECT_EQ(env.scenario->drifted[0], leaving);
    EXPECT_TRUE(leaving->isInvalid());
    EXPECT_FALSE(unseen->isInvalid());
}

TEST_F(FleetTest, TouchdownCountsOnceBeforeTheScenarioHearsNotOnFinalNorAfterTheGameIsLost) {
    // A touchdown while the lost game fades out would raise the count past the score
    // already entered on the board.
    struct Case { int phase; bool lost; int counted; };
    const Case cases[] = {{Aircraft::TOUCHDOWN, false, 1}, {Aircraft::ONFINAL, false, 0}, {Aircraft::TOUCHDOWN, true, 0}};
    for (const Case& c : cases) {
        fleet()->reset();
        fleet()->resetTotalLandCount();
        env.scenario->reset();
        if (c.lost) env.scenario->gameOver();
        env.scenario->landed.clear();
        env.scenario->landCountSeen.clear();
        placeAircraft(Aircraft::LIGHT, Vector(-300.0, 240.0), false, 1.0f);  // keeps the sky from being empty
        auto done = placeAircraft(Aircraft::LIGHT, Vector(300.0, 240.0));   // no follower: its flight is over
        done->setPhase(c.phase);
        fleet()->update();
        fleet()->update();

        EXPECT_TRUE(done->isInvalid());
        EXPECT_EQ(fleet()->getLandCount(), c.counted);
        EXPECT_EQ(fleet()->getTotalLandCount(), c.counted);
        EXPECT_EQ(env.scenario->landed.size(), size_t(c.counted));
        if (c.counted) {
            EXPECT_EQ(env.scenario->landCountSeen, std::vector<int>{1});
        }
    }
}

TEST_F(FleetTest, ScenarioThatEmptiesTheSkyInItsCallbackLeavesNothingHandledTwice) {
    enum { DRIFT, LANDED };
    for (int kind : {DRIFT, LANDED}) {
        fleet()->reset();
        fleet()->setLandCount(0);
        env.scenario->landed.clear();
        env.scenario->drifted.clear();
        auto clearSky = [](const AircraftPtr&) { GameWorld::GetInstance()->removeAllAircrafts(); };
        env.scenario->onDrift = clearSky;
        env.scenario->onLanded = clearSky;

        auto first = countingAircraft(Vector(300.0, 240.0), 2);
        if (kind == DRIFT) {
            first->_onRadarContact();
            first->SetPosition(Vector(-100.0, 240.0));
        } else {
            first->setPhase(Aircraft::TOUCHDOWN);
        }
        auto landedLater = countingAircraft(Vector(350.0, 240.0), 3);
        landedLater->setPhase(Aircraft::TOUCHDOWN);
        auto flying = countingAircraft(Vector(500.0, 240.0), 5);
        fleet()->moveAircraftTo(flying, Vector(500.0, 0.0), 2.0f);
        const Vector before = flying->GetPosition();

        fleet()->update();

        for (const auto& a : {first, landedLater, flying}) EXPECT_EQ(a->removals, 1);
        EXPECT_EQ(flying->GetPosition(), before) << "updated after it was removed";
        EXPECT_EQ(fleet()->getLandCount(), kind == LANDED ? 1 : 0);
        EXPECT_EQ(env.scenario->drifted.size() + env.scenario->landed.size(), 1u);
        EXPECT_TRUE(aircraft().empty());
    }
}

TEST_F(FleetTest, AnAircraftGoneInItsOwnUpdateNeitherDriftsNorLands) {
    placeAircraft(Aircraft::LIGHT, Vector(-300.0, 240.0), false, 1.0f);  // keeps the sky from being empty
    auto outside = countingAircraft<SelfRemovingAircraft>(Vector(300.0, 240.0), 2);
    outside->_onRadarContact();
    outside->SetPosition(Vector(-100.0, 240.0));
    auto landed = countingAircraft<SelfRemovingAircraft>(Vector(300.0, 240.0), 3);
    landed->setPhase(Aircraft::TOUCHDOWN);
    fleet()->update();

    EXPECT_TRUE(env.scenario->drifted.empty());
    EXPECT_TRUE(env.scenario->landed.empty());
    EXPECT_EQ(fleet()->getLandCount(), 0);
    EXPECT_EQ(outside->removals, 1);
    EXPECT_EQ(landed->removals, 1);
}

TEST_F(FleetTest, RemoveAircraftTypeRemovesNeighboursOfTheSameClass) {
    for (int cls : {Aircraft::BIRD, Aircraft::BIRD, Aircraft::LIGHT, Aircraft::BIRD, Aircraft::BIRD})
        placeAircraft(cls, Vector(300.0, 240.0), false);
    fleet()->removeAircraftType(Aircraft::BIRD);
    ASSERT_EQ(aircraft().size(), 1u);
    EXPECT_EQ(aircraft()[0]->getClass(), Aircraft::LIGHT);
    EXPECT_EQ(GameWorld::GetInstance()->getBirdCount(), 0);
}

TEST_F(FleetTest, HeartbeatSpacingFollowsTheShortestPatientTime) {
    struct Case { std::vector<int> timers; int spacing; };
    const Case cases[] = {{{1900}, 105}, {{600}, 40}, {{100}, 15}, {{39}, 11}, {{500, 40}, 12}};
    for (const Case& c : cases) {
        fleet()->reset();
        for (int t : c.timers) {
            auto a = placeAircraft(Aircraft::LIGHT, Vector(300.0, 240.0), false);
            a->setPayload(Aircraft::LIFEGUARD);
            a->setPayloadTimer(t);
        }
        fleet()->startMedicalBeat();
        plat::testing::clearPlayLog();
        std::vector<int> beats;
        for (int f = 1; f <= 250; ++f) {
            const int before = SimEnv::plays("heartbeat");
            fleet()->_updateMedicalBeat();
            if (SimEnv::plays("heartbeat") > before) beats.push_back(f);
        }
        ASSERT_GE(beats.size(), 2u);
        EXPECT_EQ(beats[0], 1) << "the first beat sounds at once";
        for (size_t i = 1; i < beats.size(); ++i) EXPECT_EQ(beats[i] - beats[i - 1], c.spacing) << c.timers[0];
        EXPECT_EQ(fleet()->getFlatLine(), 0);
    }
}

TEST_F(FleetTest, FlatLineFlagsOnceThenStaysSilentFor150Frames) {
    for (int t : {29, 20}) {
        fleet()->reset();
        auto a = placeAircraft(Aircraft::LIGHT, Vector(300.0, 240.0), false);
        a->setPayload(Aircraft::LIFEGUARD);
        a->setPayloadTimer(t);
        fleet()->startMedicalBeat();
        plat::testing::clearPlayLog();

        fleet()->_updateMedicalBeat();
        EXPECT_EQ(fleet()->getFlatLine(), 1);
        EXPECT_EQ(fleet()->getFlatLine(), 0) << "read once";
        for (int f = 2; f <= 150; ++f) {
            fleet()->_updateMedicalBeat();
            ASSERT_EQ(fleet()->getFlatLine(), 0) << "frame " << f;
        }
        fleet()->_updateMedicalBeat();
        EXPECT_EQ(fleet()->getFlatLine(), 1) << "the silence is over";
        EXPECT_EQ(SimEnv::plays("heartbeat"), 0);

        // A new game starts without the old patient's flag or beat.
        fleet()->_updateMedicalBeat();
        fleet()->reset();
        EXPECT_EQ(fleet()->getMedicalBeatActive(), 0);
    }
    // No life flight in the air: no beat and no flat line.
    fleet()->startMedicalBeat();
    for (int f = 0; f < 200; ++f) fleet()->_updateMedicalBeat();
    EXPECT_EQ(fleet()->getFlatLine(), 0);
    EXPECT_EQ(SimEnv::plays("heartbeat"), 0);
}

TEST_F(FleetTest, HeadOfStateHoldsItsLoopsThenLandsAndIsGreeted) {
    twoRunways();
    auto nation = NationItem::Create("Testland|russia|a|b|c");
    auto a = fleet()->addHeadOfState(nation, 2, 1);
    ASSERT_TRUE(a);
    EXPECT_EQ(fleet()->getHOSaircraft(), a);
    EXPECT_EQ(a->getPayload(), Aircraft::HOS);
    EXPECT_EQ(a->getPhase(), Aircraft::APPROACH);
    EXPECT_EQ(a->GetUserControlled(), 0);
    EXPECT_EQ(fleet()->getLane(2), 1.0f);

    const KZ_splinePtr& path = a->getSplinePath();
    ASSERT_TRUE(path);
    EXPECT_EQ(path->getRes(), 60);
    const Vector start = fleet()->laneStart(2);
    const std::vector<Vector> expected = {start, start, {400, 240}, {200, 100}, {600, 100}, {600, 350},
                                          {200, 350}, {400, 135}, {400, 151}, {400, 300}, {400, 300}};
    ASSERT_EQ(path->getPointsArray().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(path->getPointsArray()[i]->x, expected[i].x, 1e-9) << i;
        EXPECT_NEAR(path->getPointsArray()[i]->y, expected[i].y, 1e-9) << i;
    }

    plat::testing::clearPlayLog();
    fleet()->startHOSgreetings();
    EXPECT_EQ(SimEnv::plays("athems/russia.ogg"), 1);
    const std::string text = "NOW ARRIVING: HEAD OF STATE FROM Testland";
    const auto& items = GameUI::GetInstance()->getItemList();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->data, text);
    EXPECT_EQ(items[0]->x, ScreenManager::GetInstance()->textRightAlignX(text) - 10);
    EXPECT_EQ(items[0]->y, 10);
    EXPECT_TRUE(Airport::GetInstance()->getFlag());

    GameWorld::GetInstance()->removeAircraft(a);
    EXPECT_FALSE(Airport::GetInstance()->getFlag());
    EXPECT_EQ(fleet()->getNation(), nullptr);
    fleet()->update();
    EXPECT_EQ(fleet()->getHOSaircraft(), nullptr);
}

TEST_F(FleetTest, HeadOfStateWithoutARunwayOfItsClassStillFlies) {
    auto a = fleet()->addHeadOfState(NationItem::Create("Testland|russia|a|b|c"), 6, 2);
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->isActive());
    const Vector before = a->GetPosition();
    fleet()->update();
    EXPECT_NE(a->GetPosition(), before);
}

TEST_F(FleetTest, ALandingAtTheTopOfIntKeepsTheCountThere) {
    // A total restored from an edited progress file.
    fleet()->setTotalLandCount(INT_MAX);
    fleet()->setLandCount(INT_MAX - 1);
    fleet()->_addLandCount();
    fleet()->_addLandCount();
    EXPECT_EQ(fleet()->getTotalLandCount(), INT_MAX);
    EXPECT_EQ(fleet()->getLandCount(), INT_MAX);
}
