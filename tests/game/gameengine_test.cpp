// The engine: drawn paths and their acceptance through the real input timing,
// separation and collision distances, bird and lightning strikes, the siren, and what
// happens to a selection that is no longer the player's.
#include <cmath>

#include "game/weather/cloudmanager.h"
#include "game/airport/runwaylights.h"
#include "game/airport/shapelight.h"
#include "game/weather/weathercloud.h"
#include "game/weather/weathersystem.h"
#include "game/sim_env.h"

using namespace simtest;

namespace {

class EngineTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        twoRunways();
        ScreenManager::GetInstance()->setScreen(std::make_shared<PlayScreen>());
    }

    static std::shared_ptr<GameEngine> engine() { return GameEngine::GetInstance(); }
    static RunwayPtr runway(int cls) { return Airport::GetInstance()->getRunwayOfClass(cls); }
    static bool lit(int cls) { return runway(cls)->getRuwayLights()->isActive() != 0; }
    static int lightG(int cls) { return runway(cls)->getRuwayLights()->getLightsArray()[0]->getG(); }
    static int lightR(int cls) { return runway(cls)->getRuwayLights()->getLightsArray()[0]->getR(); }

    // One frame of the game with the mouse at (x, y), button down or up.
    static void frame(int x, int y, bool down) {
        plat::testing::setMouse(x, y);
        plat::testing::setButton(down);
        VostrelFramework::GetInstance()->update();
    }
    // Moves the held mouse in steps of at most `step` pixels, one frame each.
    static void dragTo(Vector& at, Vector to, double step = 10.0) {
        while (at.distanceTo(to) > 0.0) {
            Vector d = to.SubtractCopy(at);
            if (d.distanceTo(Vector()) > step) {
                d.normalise();
                d.MultiplyScalar(step);
            }
            at.Add(d);
            if (at.distanceTo(to) < 0.5) at = to;
            frame(int(std::lround(at.x)), int(std::lround(at.y)), true);
        }
    }
    // An idle frame puts the aircraft on its path (a follower starts on the path's second
    // point); then the mouse onto it, a press, and the drag start in the next frame.
    static Vector pressAndStart(const AircraftPtr& a) {
        frame(0, 0, false);
        const Vector at(std::lround(a->GetPosition().x), std::lround(a->GetPosition().y));
        frame(int(at.x), int(at.y), false);
        frame(int(at.x), int(at.y), true);
        frame(int(at.x), int(at.y), true);
        return at;
    }
    static int pathOk() { return SimEnv::plays("button.wav"); }

};

Vector lastEntry(const KZ_splinePtr& path) { return *path->getPointsArray().back(); }

}  // namespace

TEST_F(EngineTest, PathFollowsTheCursorAndIsAcceptedOnTheThirdRestingFrameNeverWhileMoving) {
    auto a = placeAircraft(Aircraft::LIGHT, Vector(100.0, 400.0), true, 0.2f, Vector(100.0, 0.0));
    const Vector at = pressAndStart(a);
    ASSERT_EQ(engine()->getSelectedAircraft(), a);
    EXPECT_TRUE(lit(Aircraft::LIGHT));
    EXPECT_EQ(lightR(Aircraft::LIGHT), 255);  // yellow while selected
    EXPECT_EQ(lightG(Aircraft::LIGHT), 255);
    EXPECT_FALSE(lit(Aircraft::HEAVY));

    // Into the light runway's threshold box; the end of the path is at the cursor in the
    // very frame the mouse got there, beads or not.
    const Vector start = at, box(200.0, 240.0);
    for (int i = 1; i <= 30; ++i) {
        const Vector p = start.AddCopy(box.SubtractCopy(start).multiplyScalarCopy(double(i) / 30.0));
        const int x = int(std::lround(p.x)), y = int(std::lround(p.y));
        frame(x, y, true);
        const KZ_splinePtr& path = engine()->getTempPath();
        ASSERT_TRUE(path);
        ASSERT_EQ(lastEntry(path), Vector(x, y)) << "step " << i;
        ASSERT_LT(path->getCurvePoints()->back().distanceTo(Vector(x, y)), 1e-9) << "step " << i;
    }
    EXPECT_EQ(a->getPhase(), Aircraft::INFLIGHT);

    // Moving inside the box never hands the path over.
    for (int i = 0; i < 12; ++i) frame(i % 2 ? 202 : 200, 240, true);
    EXPECT_EQ(pathOk(), 0);
    EXPECT_EQ(engine()->getSelectedAircraft(), a);

    frame(200, 240, true);  // last movement
    frame(200, 240, true);
    frame(200, 240, true);
    EXPECT_EQ(pathOk(), 0) << "two resting frames are not enough";
    frame(200, 240, true);
    EXPECT_EQ(pathOk(), 1);
    EXPECT_EQ(engine()->getSelectedAircraft(), nullptr);
    EXPECT_EQ(a->getPhase(), Aircraft::APPROACH);
    EXPECT_TRUE(lit(Aircraft::LIGHT));
    EXPECT_EQ(lightR(Aircraft::LIGHT), 0);  // green
    EXPECT_FLOAT_EQ(engine()->getTempPath()->getLine_width(), 1.0f);
    EXPECT_EQ(lastEntry(a->getSplinePath()), runway(Aircraft::LIGHT)->getPosition());

    for (int i = 0; i < 5; ++i) frame(200, 240, true);
    EXPECT_EQ(pathOk(), 1) << "the rest of the drag does nothing";
    frame(200, 240, false);
    frame(200, 240, false);  // drag stop
    EXPECT_FALSE(lit(Aircraft::LIGHT));
}

TEST_F(EngineTest, WrongClassRunwayIsNeverAccepted) {
    auto a = placeAircraft(Aircraft::LIGHT, Vector(300.0, 400.0), true, 0.2f, Vector(300.0, 0.0));
    Vector at = pressAndStart(a);
    dragTo(at, Vector(400.0, 200.0));  // the heavy runway's box
    for (int i = 0; i < 10; ++i) frame(400, 200, true);
    EXPECT_EQ(pathOk(), 0);
    EXPECT_EQ(engine()->getSelectedAircraft(), a);
    EXPECT_EQ(a->getPhase(), Aircraft::INFLIGHT);

    frame(400, 200, false);
    frame(400, 200, false);
    EXPECT_FALSE(lit(Aircraft::LIGHT));
    EXPECT_EQ(engine()->getSelectedAircraft(), a) << "stays selected until the next press";
}

TEST_F(EngineTest, NothingIsAcceptedWhilePaused) {
    // The aircraft sits in its own runway's box and the mouse has long rested on it: a
    // drag begun during the pause would otherwise be handed over at once.
    auto a = placeAircraft(Aircraft::LIGHT, Vector(200.0, 240.0), true, 0.02f, Vector(200.0, 0.0));
    frame(0, 0, false);
    const int x = int(std::lround(a->GetPosition().x)), y = int(std::lround(a->GetPosition().y));
    ASSERT_TRUE(runway(Aircraft::LIGHT)->inThreshold(Vector(x, y)));
    for (int i = 0; i < 5; ++i) frame(x, y, false);
    engine()->setPause();
    for (int i = 0; i < 10; ++i) frame(x, y, true);
    EXPECT_EQ(pathOk(), 0);
    EXPECT_EQ(a->getPhase(), Aircraft::INFLIGHT);
    EXPECT_EQ(engine()->getSelectedAircraft(), a);

    engine()->clearPause();
    frame(x, y, true);
    EXPECT_EQ(pathOk(), 1);
    EXPECT_EQ(a->getPhase(), Aircraft::APPROACH);
}

TEST_F(EngineTest, SeparationAndCollisionDistancesAtTheirBoundaries) {
    const int L = Aircraft::LIGHT, H = Aircraft::HEAVY, B = Aircraft::BIRD;
    struct Case { int a, b; double d; bool warned, collided; };
    const Case cases[] = {
        {L, L, 40.0, false, false}, {L, L, 39.99, true, false}, {L, L, 20.0, true, false}, {L, L, 19.99, true, true},
        {L, H, 50.0, false, false}, {L, H, 49.99, true, false}, {L, H, 30.0, true, false}, {L, H, 29.99, true, true},
        {H, L, 55.0, false, false},
        {H, H, 60.0, false, false}, {H, H, 59.99, true, false}, {H, H, 55.0, true, false}, {H, H, 40.0, true, false},
        {H, H, 39.99, true, true},  {H, H, 35.0, true, true},
        {B, B, 0.0, false, false},  {B, L, 20.0, true, false},
    };
    for (const Case& c : cases) {
        GameWorld::GetInstance()->removeAllAircrafts();
        env.scenario->collisions.clear();
        plat::testing::clearPlayLog();
        auto a = placeAircraft(c.a, Vector(300.0, 240.0));
        auto b = placeAircraft(c.b, Vector(300.0 + c.d, 240.0));
        engine()->_checkCollision();
        const std::string what = std::to_string(c.a) + "-" + std::to_string(c.b) + " at " + std::to_string(c.d);
        EXPECT_EQ(a->getWarning() != 0, c.warned) << what;
        EXPECT_EQ(b->getWarning() != 0, c.warned) << what;
        EXPECT_EQ(engine()->getSirenStat() != 0, c.warned) << what;
        EXPECT_EQ(env.scenario->collisions.size(), c.collided ? 1u : 0u) << what;
        EXPECT_EQ(SimEnv::plays("explosion"), c.collided ? 1 : 0) << what;
        EXPECT_EQ(a->getPhase() == Aircraft::COLLISION, c.collided) << what;
    }
}

TEST_F(EngineTest, BirdStrikeRemovesTheFlockAndLeavesTheAircraftSmokingOutOfControl) {
    auto bird = placeAircraft(Aircraft::BIRD, Vector(300.0, 240.0), true, 0.2f);
    auto light = placeAircraft(Aircraft::LIGHT, Vector(315.0, 240.0), true, 0.5f);
    engine()->_checkCollision();

    EXPECT_TRUE(bird->isInvalid());
    EXPECT_EQ(GameWorld::GetInstance()->getBirdCount(), 0);
    EXPECT_FALSE(light->isInvalid());
    EXPECT_EQ(light->getPhase(), Aircraft::ENGINE_FAILURE);
    EXPECT_EQ(light->GetUserControlled(), 0);
    EXPECT_EQ(light->getSmoke(), 1);
    EXPECT_EQ(light->getWarning(), 0);
    EXPECT_TRUE(light->isExploding());
    EXPECT_EQ(SimEnv::plays("explosion"), 1);
    ASSERT_EQ(env.scenario->collisions.size(), 1u);

    // It survives its explosion.
    for (int i = 0; i < 40; ++i) FleetManager::GetInstance()->update();
    EXPECT_FALSE(light->isInvalid());
    EXPECT_FALSE(light->isExploding());
}

TEST_F(EngineTest, OnlyTheFirstClosePairOfAFrameIsWarnedOrCollides) {
    auto k = placeAircraft(Aircraft::LIGHT, Vector(100.0, 100.0));
    auto l = placeAircraft(Aircraft::LIGHT, Vector(130.0, 100.0));  // warned, not colliding
    auto m = placeAircraft(Aircraft::LIGHT, Vector(500.0, 300.0));
    auto n = placeAircraft(Aircraft::LIGHT, Vector(505.0, 300.0));  // would collide
    m->setWarning(1);
    engine()->_checkCollision();
    EXPECT_EQ(k->getWarning(), 1);
    EXPECT_EQ(l->getWarning(), 1);
    EXPECT_EQ(m->getWarning(), 1) << "keeps the flag it had";
    EXPECT_EQ(n->getWarning(), 0);
    EXPECT_EQ(n->getPhase(), Aircraft::INFLIGHT);
    EXPECT_TRUE(env.scenario->collisions.empty());

    // Two colliding pairs, and a scenario that empties the sky when told: one collision.
    l->SetPosition(Vector(110.0, 100.0));
    env.scenario->onCollide = [](const AircraftPtr&, const AircraftPtr&) {
        GameWorld::GetInstance()->removeAllAircrafts();
    };
    engine()->_checkCollision();
    ASSERT_EQ(env.scenario->collisions.size(), 1u);
    EXPECT_EQ(env.scenario->collisions[0].first, k);
    EXPECT_EQ(env.scenario->collisions[0].second, l);
    EXPECT_EQ(n->getPhase(), Aircraft::INFLIGHT);
    EXPECT_EQ(SimEnv::plays("explosion"), 1);
}

// The rule alone, on plain positions: which pairs are cleared, which one is warned and
// whether it collides, in the order the pairs are walked.
TEST_F(EngineTest, SeparationRuleWalksTheOrderedPairsAndStopsAtTheFirstClosePair) {
    using S = GameEngine::SeparationSubject;
    using P = GameEngine::SubjectPair;
    auto light = [](double x, double y) { return S{Vector(x, y), true, false, true}; };
    auto heavy = [](double x, double y) { return S{Vector(x, y), true, true, true}; };
    auto flock = [](double x, double y) { return S{Vector(x, y), true, false, false}; };
    auto unseen = [](double x, double y) { return S{Vector(x, y), false, false, true}; };
    struct Case {
        const char* what;
        std::vector<S> subjects;
        int spacing, collide;
        double ds;
        std::vector<P> cleared;
        std::optional<P> close;
        bool collides;
    };
    const Case cases[] = {
        {"nothing close: every ordered pair is cleared", {light(0, 0), light(100, 0), light(0, 100)}, 40, 20, 1.0,
         {{0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}}, std::nullopt, false},
        {"K,L warned; M,N after them never examined", {light(100, 100), light(130, 100), light(500, 300), light(505, 300)},
         40, 20, 1.0, {}, P{0, 1}, false},
        {"pairs before the first close one are cleared", {light(600, 400), light(100, 100), light(110, 100)}, 40, 20,
         1.0, {{0, 1}, {0, 2}, {1, 0}}, P{1, 2}, true},
        {"an unexamined aircraft is never paired", {unseen(300, 0), light(300, 0), light(500, 0)}, 40, 20, 1.0,
         {{1, 2}, {2, 1}}, std::nullopt, false},
        {"two heavies 55 apart are warned", {heavy(0, 0), heavy(55, 0)}, 40, 20, 1.0, {}, P{0, 1}, false},
        {"a light and a heavy 55 apart are not", {light(0, 0), heavy(55, 0)}, 40, 20, 1.0, {{0, 1}, {1, 0}},
         std::nullopt, false},
        {"two heavies 35 apart collide", {heavy(0, 0), heavy(35, 0)}, 40, 20, 1.0, {}, P{0, 1}, true},
        {"two flocks overlap unharmed", {flock(0, 0), flock(0, 0)}, 40, 20, 1.0, {{0, 1}, {1, 0}}, std::nullopt, false},
        {"a flock and a light aircraft collide", {flock(0, 0), light(19, 0)}, 40, 20, 1.0, {}, P{0, 1}, true},
        {"the heavy bonus grows with the draw scale", {light(0, 0), heavy(99, 0)}, 80, 40, 2.0, {}, P{0, 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GameEngine::SeparationVerdict v = GameEngine::separationVerdict(c.subjects, c.spacing, c.collide, c.ds);
        EXPECT_EQ(v.cleared, c.cleared);
        EXPECT_EQ(v.close, c.close);
        EXPECT_EQ(v.collide, c.collides);
    }
}

TEST_F(EngineTest, SirenFollowsTheWarningsAndAPauseSilencesItUntilTheNextCheck) {
    auto a = placeAircraft(Aircraft::LIGHT, Vector(300.0, 240.0));
    auto b = placeAircraft(Aircraft::LIGHT, Vector(330.0, 240.0));
    auto sound = SoundManager::GetInstance();
    engine()->_checkCollision();
    EXPECT_EQ(engine()->getSirenStat(), 1);
    EXPECT_EQ(sound->getNowPlaying(3), "danger sound");

    engine()->setPause();
    EXPECT_EQ(engine()->getSirenStat(), 0);
    EXPECT_EQ(sound->getNowPlaying(3), "");
    EXPECT_EQ(sound->getMute(), 1);
    engine()->update();  // paused: no check
    engine()->clearPause();
    EXPECT_EQ(engine()->getSirenStat(), 0) << "resuming does not restart it";
    EXPECT_EQ(sound->getMute(), 0);

    engine()->_checkCollision();
    EXPECT_EQ(engine()->getSirenStat(), 1);
    b->SetPosition(Vector(400.0, 240.0));
    engine()->_checkCollision();
    EXPECT_EQ(engine()->getSirenStat(), 0);
    EXPECT_EQ(sound->getNowPlaying(3), "");
    EXPECT_EQ(a->getWarning(), 0);
}

TEST_F(EngineTest, LightningStrikesOnlyThePlayersAircraftInFlightUnderTheCloud) {
    auto cloud = WeatherCloud::Create(Vector(200.0, 100.0), Vector(0.0, 0.0), ResourceManager::GetInstance()->retrieveImage("cloud 1"));
    WeatherSystem::GetInstance()->setGlobalLightning();  // the flash of its strike
    WeatherSystem::GetInstance()->setActiveCloud(cloud);
    const Vector c = cloud->GetPosition().AddCopy(cloud->getCenter());
    auto inFlight = placeAircraft(Aircraft::LIGHT, c);
    auto approach = placeAircraft(Aircraft::HEAVY, c.addScalarCopy(10.0, 0.0));
    approach->setPhase(Aircraft::APPROACH);
    auto onFinal = placeAircraft(Aircraft::LIGHT, c.addScalarCopy(0.0, 10.0));
    onFinal->setPhase(Aircraft::ONFINAL);
    auto bird = placeAircraft(Aircraft::BIRD, c.addScalarCopy(-10.0, 0.0));
    auto outside = placeAircraft(Aircraft::LIGHT, c.addScalarCopy(double(cloud->getRadius()) + 5.0, 0.0));

    engine()->_checkWeather();
    for (const auto& a : {inFlight, approach}) {
        EXPECT_EQ(a->getPhase(), Aircraft::ENGINE_FAILURE);
        EXPECT_TRUE(a->isExploding());
        EXPECT_FALSE(a->isInvalid());
    }
    for (const auto& a : {onFinal, bird, outside}) EXPECT_FALSE(a->isExploding());
    EXPECT_EQ(SimEnv::plays("explosion"), 0);
    EXPECT_TRUE(env.scenario->collisions.empty());
}

TEST_F(EngineTest, ASelectionThatExplodesLosesItsEngineOrLeavesIsDropped) {
    enum { EXPLODES, ENGINE_FAILS, REMOVED };
    for (int how : {EXPLODES, ENGINE_FAILS, REMOVED}) {
        GameWorld::GetInstance()->removeAllAircrafts();
        plat::testing::clearPlayLog();
        auto a = placeAircraft(Aircraft::LIGHT, Vector(100.0, 400.0), true, 0.2f, Vector(100.0, 0.0));
        placeAircraft(Aircraft::HEAVY, Vector(700.0, 50.0), true, 0.1f);  // keeps the sky from being empty
        Vector at = pressAndStart(a);
        dragTo(at, Vector(150.0, 300.0));
        ASSERT_EQ(engine()->getSelectedAircraft(), a);

        if (how == EXPLODES) {
            a->explode();
        } else if (how == ENGINE_FAILS) {
            a->setHoldOnExplosion(1);
            a->explode();
            a->engineFailure();
        } else {
            GameWorld::GetInstance()->removeAircraft(a);
        }
        const int phase = a->getPhase();
        const KZ_splinePtr path = a->getSplinePath();
        const size_t entries = path->getPointsArray().size();

        dragTo(at, Vector(200.0, 240.0));  // its runway's box, then rest
        for (int i = 0; i < 5; ++i) frame(200, 240, true);
        EXPECT_EQ(engine()->getSelectedAircraft(), nullptr) << how;
        EXPECT_EQ(a->getPhase(), phase) << how;
        EXPECT_EQ(a->getSplinePath(), path) << how;
        EXPECT_EQ(path->getPointsArray().size(), entries) << how;
        EXPECT_EQ(pathOk(), 0) << how;
        frame(200, 240, false);
        frame(200, 240, false);
    }
}

TEST_F(EngineTest, PressRightAfterTheReleaseStartsItsOwnPathAndPutsTheOldLightsOut) {
    auto first = placeAircraft(Aircraft::LIGHT, Vector(100.0, 400.0), true, 0.2f, Vector(100.0, 0.0));
    auto second = placeAircraft(Aircraft::HEAVY, Vector(600.0, 400.0), true, 0.2f, Vector(600.0, 0.0));
    Vector at = pressAndStart(first);
    dragTo(at, Vector(160.0, 300.0));
    const KZ_splinePtr firstPath = first->getSplinePath();
    const size_t firstEntries = firstPath->getPointsArray().size();
    EXPECT_TRUE(lit(Aircraft::LIGHT));

    frame(160, 300, false);  // release: no drag stop until the next frame...
    const Vector s = second->GetPosition();
    frame(int(s.x), int(s.y), true);  // ...which brings a press instead
    EXPECT_EQ(engine()->getSelectedAircraft(), second);
    EXPECT_FALSE(lit(Aircraft::LIGHT));
    EXPECT_TRUE(lit(Aircraft::HEAVY));

    at = Vector(int(s.x), int(s.y));
    dragTo(at, Vector(at.x + 60.0, at.y - 120.0));
    EXPECT_EQ(first->getSplinePath(), firstPath);
    EXPECT_EQ(firstPath->getPointsArray().size(), firstEntries) << "the first aircraft's path grew";
    const KZ_splinePtr& secondPath = second->getSplinePath();
    ASSERT_NE(secondPath, firstPath);
    EXPECT_EQ(engine()->getTempPath(), secondPath);
    EXPECT_LT(secondPath->getPointsArray()[0]->distanceTo(s), 2.0) << "the path starts at the pressed aircraft";
    EXPECT_EQ(lastEntry(secondPath), at);
}

TEST_F(EngineTest, DragStartRightOnTheAircraftUsesTheCursorPoint) {
    auto a = placeAircraft(Aircraft::LIGHT, Vector(300.0, 300.0));
    engine()->onMouseDown(300, 300);
    ASSERT_EQ(engine()->getSelectedAircraft(), a);
    engine()->onDragStart(300, 300);
    const KZ_splinePtr& path = engine()->getTempPath();
    ASSERT_TRUE(path);
    for (const auto& p : path->getPointsArray()) {
        EXPECT_TRUE(std::isfinite(p->x) && std::isfinite(p->y));
        EXPECT_EQ(*p, Vector(300.0, 300.0));
    }
    for (const Vector& p : *path->getCurvePoints()) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

TEST_F(EngineTest, LastBeadOfTheOldDragDecidesTheFirstBeadOfTheNext) {
    auto first = placeAircraft(Aircraft::LIGHT, Vector(100.0, 400.0));
    auto second = placeAircraft(Aircraft::LIGHT, Vector(600.0, 400.0));
    auto e = engine();
    e->onMouseDown(100, 400);
    e->onDragStart(100, 400);
    e->onDrag(100, 360);  // the very first drag frame places no bead
    EXPECT_EQ(first->getSplinePath()->getPointsArray().size(), 4u);
    e->onDrag(100, 320);  // 40 pixels on: a bead
    EXPECT_EQ(first->getSplinePath()->getPointsArray().size(), 5u);
    e->onDragStop(100, 320);

    e->onMouseDown(600, 400);
    e->onDragStart(600, 400);
    ASSERT_TRUE(e->getPrePoint());
    EXPECT_EQ(*e->getPrePoint(), Vector(100.0, 320.0));
    e->onDrag(600, 390);  // 10 pixels from the aircraft, far from the old bead
    EXPECT_EQ(second->getSplinePath()->getPointsArray().size(), 5u);
    EXPECT_EQ(*e->getPrePoint(), Vector(600.0, 390.0));
}

TEST_F(EngineTest, PressTogglesOneSlowDownPointOfOneHeavyAircraft) {
    // The light aircraft comes first and has a control point there too, but only heavy
    // aircraft have slow-down points. Each heavy path has (300, 200) at entries 2 and 3.
    auto light = placeAircraft(Aircraft::LIGHT, Vector(300.0, 200.0), true, 0.5f, Vector(300.0, 100.0));
    auto heavy1 = placeAircraft(Aircraft::HEAVY, Vector(300.0, 400.0), true, 0.5f, Vector(300.0, 200.0));
    auto heavy2 = placeAircraft(Aircraft::HEAVY, Vector(300.0, 450.0), true, 0.5f, Vector(300.0, 200.0));
    auto lightPath = light->getSplinePath();

    engine()->onMouseDown(302, 203);
    EXPECT_EQ(engine()->getSelectedAircraft(), light);
    EXPECT_FLOAT_EQ(heavy1->getSplinePath()->getPointAuxData(2), 0.5f);
    EXPECT_FLOAT_EQ(heavy1->getSplinePath()->getPointAuxData(3), 0.0f);
    EXPECT_FLOAT_EQ(heavy2->getSplinePath()->getPointAuxData(2), 0.0f);
    for (int i = 0; i < int(lightPath->getPointsArray().size()); ++i) EXPECT_FLOAT_EQ(lightPath->getPointAuxData(i), 0.0f);

    engine()->onMouseDown(298, 197);
    EXPECT_FLOAT_EQ(heavy1->getSplinePath()->getPointAuxData(2), 0.0f);
}

TEST_F(EngineTest, AnAircraftThatCatchesTheDrawnEndWaitsThereAndStillLands) {
    // At a light aircraft's own speed it catches the cursor: held still near the top edge
    // (straight on from there it would leave the screen), or kept moving inside the box.
    for (bool holds : {true, false}) {
        SCOPED_TRACE(holds);
        GameWorld::GetInstance()->removeAllAircrafts();
        env.scenario->landed.clear();
        plat::testing::clearPlayLog();
        const Vector from = holds ? Vector(120.0, 80.0) : Vector(150.0, 300.0);
        auto a = placeAircraft(Aircraft::LIGHT, from, true, 0.5f, Vector(from.x, 0.0));
        Vector at = pressAndStart(a);
        if (holds) {
            dragTo(at, at.addScalarCopy(0.0, -30.0));
            for (int i = 0; i < 300; ++i) frame(int(at.x), int(at.y), true);
            ASSERT_LT(a->GetPosition().distanceTo(at), 2.0);
        }
        dragTo(at, Vector(200.0, 240.0));
        for (int f = 0, past = 0; !holds && past < 10; ++f) {
            ASSERT_LT(f, 1000) << "never passed the drawn end";
            frame(200 + 2 * (f % 2), 240, true);
            past += a->getPathIndex() == a->getPath()->count() - 1;
        }
        for (int i = 0; i < 4; ++i) frame(200, 240, true);
        ASSERT_EQ(pathOk(), 1);
        for (int i = 0; i < 1500 && !a->isInvalid(); ++i) frame(200, 240, false);
        EXPECT_TRUE(env.scenario->drifted.empty());
        EXPECT_EQ(env.scenario->landed, std::vector<AircraftPtr>{a});
        EXPECT_EQ(SimEnv::plays("touchdown2.wav"), 1) << "one touchdown, one fee";
    }
    EXPECT_EQ(FleetManager::GetInstance()->getLandCount(), 2);
}

TEST_F(EngineTest, ASelectionDroppedByAClickPutsItsRunwayLightsOut) {
    auto light = placeAircraft(Aircraft::LIGHT, Vector(100.0, 400.0), true, 0.2f, Vector(100.0, 0.0));
    auto heavy = placeAircraft(Aircraft::HEAVY, Vector(600.0, 400.0), true, 0.2f, Vector(600.0, 0.0));
    auto click = [](const AircraftPtr& a) {  // a press and a release: no drag, so no drag stop
        const Vector p = a ? a->GetPosition() : Vector(400.0, 40.0);
        frame(int(p.x), int(p.y), true);
        frame(int(p.x), int(p.y), false);
    };
    const auto& lights = runway(Aircraft::LIGHT)->getRuwayLights();
    click(light);
    for (int i = 0; i < 8; ++i) frame(0, 0, false);
    const int index = lights->getLightIndex();
    click(light);  // the same aircraft again: the sweep goes on where it stood
    frame(0, 0, false);
    EXPECT_EQ(lights->getLightIndex(), index - 2);

    click(nullptr);
    EXPECT_FALSE(lit(Aircraft::LIGHT));
    click(light);
    click(heavy);
    EXPECT_FALSE(lit(Aircraft::LIGHT));
    EXPECT_TRUE(lit(Aircraft::HEAVY));
}
