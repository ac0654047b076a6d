// Every free scenario on every airport, reached the way a player does (menu, New game, the
// grid cell, Play, the airport button) and played for 3000 frames (6000 for the heads of state) with the real mouse.
#include "game/scenarios/gp_medicalemergency.h"
#include "platform/sys.h"
#include "game/scenarios/gp_unitednations.h"
#include "screens/airportselectscreen.h"
#include "screens/workloadscreen.h"
#include "screens/tower_fixture.h"

using namespace shell_test;

namespace {

class FreePlayRun : public TowerTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

const char* const NAMES[] = {"calm_day", "united_nations", "bird_migration", "medical_emergency"};

TEST_P(FreePlayRun, ThousandsOfFramesOfGuidedTraffic) {
    const auto [scenario, airportButton] = GetParam();
    startToMenu();
    auto menu = MenuScreen::GetInstance();
    click(menu->_btn_newGame);
    auto grid = WorkloadScreen::GetInstance();
    ASSERT_TRUE(until(grid));
    click(118 + 187 * scenario, 156);
    frames(2);
    ASSERT_TRUE(grid->detailOpen());
    ASSERT_EQ(grid->selectedIndex(), scenario);
    click(grid->playButton());
    auto airports = AirportSelectScreen::GetInstance();
    ASSERT_TRUE(until(airports));
    plat::seedRnd(unsigned(1000 + 10 * scenario + airportButton));
    click(airports->airportButton(airportButton));
    auto game = GameScreen::GetInstance();
    ASSERT_TRUE(until(game));
    ASSERT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
    const auto gpm = game->getGameplayMan();
    ASSERT_NE(gpm, nullptr);
    auto airport = Airport::GetInstance();
    ASSERT_EQ(airport->getRunways().size(), 2u);
    for (const auto& rw : airport->getRunways()) ASSERT_GE(approachTo(*rw).threshold.x, 0.0) << "no threshold box";

    // A head of state flies a full circuit before it lands (about 5000 frames), and the next
    // one comes 300 frames after: that scenario plays long enough to see both.
    const int length = scenario == Constants::UNITED_NATIONS ? 6000 : 3000;
    play(2000);
    if (scenario == Constants::UNITED_NATIONS) shot("freeplay_" + airport->getIconName());
    play(length - 2000);

    SCOPED_TRACE(std::string(NAMES[scenario]) + " at " + airport->getIconName() + ": " + summary());
    // The whole run in play, nothing lost.
    ASSERT_EQ(sm()->getScreen(), game);
    EXPECT_GE(log.frames, length) << "the game screen was left";
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
    EXPECT_EQ(gpm->getFailureMode(), 0);
    EXPECT_EQ(game->getGameplayMan(), gpm);
    EXPECT_GT(airport->getFunds(), 0);
    // Landings: guided aircraft come down, each touch-down books its class's fee, and each
    // aircraft that leaves the runway is counted once.
    EXPECT_GE(log.drags, 4);
    EXPECT_GE(log.touchdowns, 3);
    EXPECT_EQ(log.feeFaults, 0);
    EXPECT_EQ(FleetManager::GetInstance()->getLandCount(), leftAfterTouchdown);
    EXPECT_EQ(FleetManager::GetInstance()->getTotalLandCount(), leftAfterTouchdown);
    // Each scenario's own traffic, and none of the others'.
    const bool calmVisit = scenario == Constants::CALM_DAY && FleetManager::GetInstance()->getLandCount() >= 30;
    if (scenario == Constants::UNITED_NATIONS) {
        EXPECT_GE(log.hosSeen, 2);
        EXPECT_GE(GP_unitedNations::GetInstance()->_HOScount, 1) << "no head of state landed";
        EXPECT_EQ(log.maxHos, 1) << "two heads of state in the air at once";
    } else if (!calmVisit) {
        EXPECT_EQ(log.hosSeen, 0);
    }
    if (scenario == Constants::BIRD_MIGRATION) {
        EXPECT_GE(log.flocksSeen, 1);
        EXPECT_LE(log.maxFlocks, std::min(6, FleetManager::GetInstance()->getLandCount() / 15 + 1));
    } else {
        EXPECT_EQ(log.flocksSeen, 0);
    }
    if (scenario == Constants::MEDICAL_EMERGENCY) {
        EXPECT_GE(log.lifeFlightsSeen, 1);
        EXPECT_LE(log.maxLifeFlights, std::min(6, FleetManager::GetInstance()->getLandCount() / 15 + 1));
    } else {
        EXPECT_EQ(log.lifeFlightsSeen, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScenarioEveryAirport, FreePlayRun,
                         ::testing::Combine(::testing::Values(Constants::CALM_DAY, Constants::UNITED_NATIONS,
                                                              Constants::BIRD_MIGRATION,
                                                              Constants::MEDICAL_EMERGENCY),
                                            ::testing::Values(1, 2, 3)),
                         [](const auto& info) {
                             return std::string(NAMES[std::get<0>(info.param)]) + "_airport_" +
                                    std::to_string(std::get<1>(info.param));
                         });

}  // namespace
