// One landing from end to end, offscreen through the real frame loop: an arrival spawned
// by the fleet, a path dragged with the scripted mouse from the aircraft round to the
// threshold of its runway, and the touchdown. Frames are written as PNG for a person to
// look at.
#include <filesystem>

#include "game/airport/airportitem.h"
#include "game/sim_env.h"

using namespace simtest;

namespace {

class LandingRoadTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        const std::string text = ResourceManager::GetInstance()->retrieveText("airport data");
        auto item = AirportItem::fromLine(text.substr(0, text.find('\n')));  // Meadowfield
        ASSERT_TRUE(item);
        Airport::GetInstance()->loadData(item);
        ScreenManager::GetInstance()->setScreen(std::make_shared<PlayScreen>());
        std::filesystem::create_directories(TARN_TEST_OUT);
    }

    // One frame; returns how the funds moved in it.
    int frame(int x, int y, bool down) {
        const int before = Airport::GetInstance()->getFunds();
        plat::testing::setMouse(x, y);
        plat::testing::setButton(down);
        VostrelFramework::GetInstance()->update();
        const int delta = Airport::GetInstance()->getFunds() - before;
        if (delta > 0) ++feeFrames;
        return delta;
    }
    void dragThrough(Vector& at, const std::vector<Vector>& points) {
        for (const Vector& to : points) {
            while (at != to) {
                Vector d = to.SubtractCopy(at);
                if (d.distanceTo(Vector()) > 8.0) {
                    d.normalise();
                    d.MultiplyScalar(8.0);
                }
                at.Add(d);
                if (at.distanceTo(to) < 0.5) at = to;
                frame(int(std::lround(at.x)), int(std::lround(at.y)), true);
            }
        }
    }
    static void save(const std::string& name) {
        EXPECT_TRUE(plat::testing::saveCanvas(std::string(TARN_TEST_OUT) + "/" + name));
    }

    int feeFrames = 0;
};

}  // namespace

TEST_F(LandingRoadTest, DraggedArrivalLandsWithOneTouchdownOneFeeAndOneCountedLanding) {
    auto fleet = FleetManager::GetInstance();
    auto engine = GameEngine::GetInstance();
    // The empty sky's arrival is a heavy one; no regular arrival ever follows.
    env.rand.push({Aircraft::HEAVY, 0});
    frame(0, 0, false);
    ASSERT_EQ(GameWorld::GetInstance()->getAircraftList().size(), 1u);
    const AircraftPtr a = GameWorld::GetInstance()->getAircraftList()[0];
    ASSERT_EQ(a->getClass(), Aircraft::HEAVY);

    for (int i = 0; i < 1000 && a->GetPosition().y > 420.0; ++i) frame(0, 0, false);
    ASSERT_LE(a->GetPosition().y, 420.0) << "the arrival never came on screen";

    // Press on it, then round to the east of the long runway and west into its threshold.
    Vector at(std::lround(a->GetPosition().x), std::lround(a->GetPosition().y));
    frame(int(at.x), int(at.y), false);
    frame(int(at.x), int(at.y), true);
    ASSERT_EQ(engine->getSelectedAircraft(), a);
    frame(int(at.x), int(at.y), true);
    dragThrough(at, {Vector(450.0, 420.0), Vector(720.0, 380.0)});
    save("landing_road_1_drag.png");
    dragThrough(at, {Vector(720.0, 250.0), Vector(560.0, 250.0)});
    EXPECT_EQ(SimEnv::plays("button.wav"), 0);
    for (int i = 0; i < 3; ++i) frame(560, 250, true);
    EXPECT_EQ(SimEnv::plays("button.wav"), 1);
    EXPECT_EQ(a->getPhase(), Aircraft::APPROACH);
    save("landing_road_2_accepted.png");
    frame(560, 250, false);
    frame(560, 250, false);

    bool savedFinal = false, savedTouchdown = false;
    for (int i = 0; i < 5000 && env.scenario->landed.empty(); ++i) {
        frame(560, 250, false);
        if (!savedFinal && a->getPhase() == Aircraft::ONFINAL && a->GetHeight() <= 500.0f) {
            save("landing_road_3_final.png");
            savedFinal = true;
        }
        if (!savedTouchdown && a->getPhase() == Aircraft::TOUCHDOWN) {
            save("landing_road_4_touchdown.png");
            savedTouchdown = true;
        }
    }
    ASSERT_EQ(env.scenario->landed.size(), 1u);
    EXPECT_EQ(env.scenario->landed[0], a);
    EXPECT_EQ(env.scenario->landCountSeen, std::vector<int>{1}) << "counted before the scenario hears of it";
    EXPECT_TRUE(savedFinal && savedTouchdown);
    EXPECT_EQ(SimEnv::plays("touchdown"), 1);
    EXPECT_EQ(SimEnv::plays("touchdown.wav"), 1) << "the heavy sound";
    EXPECT_EQ(feeFrames, 1);
    EXPECT_EQ(Airport::GetInstance()->getFunds(), 5000 + 1000 - 20 * (engine->getCounter() / 30));
    EXPECT_EQ(fleet->getLandCount(), 1);
    EXPECT_EQ(fleet->getTotalLandCount(), 1);
    EXPECT_TRUE(a->isInvalid());
    EXPECT_TRUE(env.scenario->collisions.empty());
    EXPECT_TRUE(env.scenario->drifted.empty());
}
