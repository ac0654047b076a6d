// The whole game through its real frame loop with scripted input: start-up, splash, menu,
// the grid and the airport choice, one aircraft guided to its runway and landed, Esc to the
// menu. Every step leaves a picture in test-output. Back pressed during the fades after Play.
#include <cmath>

#include "game/traffic/aircraft.h"
#include "game/traffic/fleetmanager.h"
#include "game/gameengine.h"
#include "game/traffic/gameworld.h"
#include "game/airport/runway.h"
#include "screens/airportselectscreen.h"
#include "screens/splashscreen.h"
#include "screens/workloadscreen.h"
#include "screens/shell_fixture.h"

using namespace shell_test;

namespace {

// A point well inside the runway's threshold box: the box's point nearest its centre.
Vector thresholdPoint(const Runway& rw) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < 480; y += 2)
        for (int x = 0; x < 800; x += 2)
            if (rw.inThreshold(Vector(x, y))) sx += x, sy += y, ++n;
    if (n == 0) return Vector(-1, -1);
    const Vector c(sx / n, sy / n);
    Vector best(-1, -1);
    double bestD = 1e18;
    for (int y = 0; y < 480; y += 2)
        for (int x = 0; x < 800; x += 2)
            if (rw.inThreshold(Vector(x, y)) && Vector(x, y).distanceSqrTo(c) < bestD)
                best = Vector(x, y), bestD = Vector(x, y).distanceSqrTo(c);
    return best;
}

TEST_F(ShellTest, AGameFromStartUpToALandingAndBackToTheMenu) {
    startGame();
    frames(30);
    shot("01_splash");
    auto menu = MenuScreen::GetInstance();
    ASSERT_TRUE(until(menu, 300));
    shot("02_menu");

    click(menu->_btn_newGame);
    auto grid = WorkloadScreen::GetInstance();
    ASSERT_TRUE(until(grid));
    shot("03_grid");
    click(118, 156);  // the calm day's cell
    frames(2);
    ASSERT_TRUE(grid->detailOpen());
    shot("04_calm_day");
    click(grid->playButton());
    auto airports = AirportSelectScreen::GetInstance();
    ASSERT_TRUE(until(airports));
    shot("05_airports");
    click(airports->airportButton(1));
    auto game = GameScreen::GetInstance();
    ASSERT_TRUE(until(game));
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
    shot("06_game");

    // The first aircraft of the player's that is inside the airspace.
    auto world = GameWorld::GetInstance();
    std::shared_ptr<Aircraft> plane;
    ASSERT_TRUE(untilTrue(
        [&] {
            for (const auto& a : world->getAircraftList())
                if (a->GetUserControlled() && a->getClass() != Aircraft::BIRD &&
                    a->getRadarContact() >= Aircraft::AIRSPACE_ENTERED && a->getPhase() == Aircraft::INFLIGHT) {
                    const Vector& p = a->GetPosition();
                    if (p.x > 60 && p.x < 740 && p.y > 60 && p.y < 420) plane = a;
                }
            return plane != nullptr;
        },
        1500));
    // Only this aircraft flies from here on: others could collide on their own and end the
    // game before the landing this test is about.
    auto clearSky = [&] {
        const auto all = world->getAircraftList();
        for (const auto& a : all)
            if (a != plane) world->removeAircraft(a);
    };
    clearSky();
    auto runway = Airport::GetInstance()->getRunwayOfClass(plane->getClass());
    ASSERT_NE(runway, nullptr);
    const Vector target = thresholdPoint(*runway);
    ASSERT_GE(target.x, 0.0) << "no threshold box";

    // Press on the aircraft, drag to the threshold in steps just longer than the bead
    // spacing (every step leaves a bead, the last one in the box), rest, release.
    const Vector from = plane->GetPosition();
    plat::testing::setMouse(int(from.x), int(from.y));
    plat::testing::setButton(true);
    frame();
    ASSERT_EQ(GameEngine::GetInstance()->getSelectedAircraft(), plane);
    const double len = std::sqrt(from.distanceSqrTo(target));
    const double step = GameEngine::BEAD_SEPARATION + 1;
    const int steps = std::max(1, int(std::ceil(len / step)));
    for (int i = steps; i >= 0; --i) {
        const double back = std::min(len, i * step);
        const double t = len > 0 ? back / len : 0;
        plat::testing::setMouse(int(std::lround(target.x + (from.x - target.x) * t)),
                                int(std::lround(target.y + (from.y - target.y) * t)));
        frame();
        clearSky();
    }
    frames(5);
    shot("07_path_drawn");
    EXPECT_EQ(plane->getPhase(), Aircraft::APPROACH) << "the runway did not take the aircraft";
    plat::testing::setButton(false);
    frames(2);

    bool sawFinal = false;
    ASSERT_TRUE(untilTrue(
        [&] {
            clearSky();
            if (!sawFinal && plane->getPhase() == Aircraft::ONFINAL) {
                sawFinal = true;
                shot("08_on_final");
            }
            return FleetManager::GetInstance()->getLandCount() == 1;
        },
        3000));
    EXPECT_TRUE(sawFinal);
    frames(2);
    shot("09_landed");
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);

    key(27);
    ASSERT_TRUE(until(menu));
    EXPECT_EQ(menu->_btn_continue->_enabled, 1);
    shot("10_menu_again");
}

// Esc or Back pressed while the grid fades out after Play, or Back while the airport choice
// fades in, is refused as a whole: the game then started stays running, so Continue works.
TEST_F(ShellTest, BackDuringTheFadeAfterPlayLeavesTheGameRunning) {
    startToMenu();
    auto menu = MenuScreen::GetInstance();
    auto grid = WorkloadScreen::GetInstance();
    auto airports = AirportSelectScreen::GetInstance();
    auto game = GameScreen::GetInstance();
    const char* presses[] = {"Esc on the grid", "Back on the grid", "Back on the airport choice"};
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(presses[p]);
        click(menu->_btn_newGame);
        ASSERT_TRUE(until(grid));
        click(118, 156);
        frames(2);
        click(grid->playButton());
        ASSERT_EQ(sm()->getPhase(), ScreenManager::FADE_OUT);
        if (p == 0) {
            key(27);
        } else if (p == 1) {
            click(grid->backButton());
        } else {
            ASSERT_TRUE(untilTrue([&] { return sm()->getScreen() == airports; }, 30));
            click(airports->backButton());
            ASSERT_EQ(sm()->getPhase(), ScreenManager::FADE_IN);
        }
        ASSERT_TRUE(until(airports));
        click(airports->airportButton(1));
        ASSERT_TRUE(until(game));
        EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
        key(27);
        ASSERT_TRUE(until(menu));
        EXPECT_EQ(menu->_btn_continue->_enabled, 1);
    }
}

}  // namespace
