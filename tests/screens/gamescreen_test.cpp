// The game screen: pause, mute, Esc, leaving the game, input after a failure, a new game's
// resets and the return after a paid collision.
#include "game/traffic/aircraft.h"
#include "game/traffic/fleetmanager.h"
#include "game/gameengine.h"
#include "game/gameshell.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "game/display/ui_item.h"
#include "screens/intermissionscreen.h"
#include "screens/shell_fixture.h"
#include "vostrel/soundmanager.h"

using namespace shell_test;

namespace {

class GameScreenTest : public ShellTest {
protected:
    std::shared_ptr<GameEngine> engine() { return GameEngine::GetInstance(); }
    std::shared_ptr<GameScreen> game() { return GameScreen::GetInstance(); }
    // Two heavy aircraft side by side, 40 pixels apart, flying the same way: inside the
    // separation limit but never colliding, so the siren keeps sounding.
    void twoCloseAircraft() {
        for (double x : {300.0, 340.0}) {
            auto a = Aircraft::Create(Aircraft::HEAVY, Vector(x, 300.0));
            a->flyDirect(Vector(x, -2000.0), 0.5f);
            GameWorld::GetInstance()->addAircraft(a);
        }
    }
};

TEST_F(GameScreenTest, PFreezesTheGameUnderTheGreyPictureAndIsRefusedDuringAFade) {
    startToMenu();
    playScenario();
    frames(5);
    const int counter = engine()->getCounter();
    key('P');
    EXPECT_EQ(engine()->getPause(), 1);
    EXPECT_NE(sm()->pauseImage(), nullptr);
    frames(20);
    EXPECT_EQ(engine()->getCounter(), counter) << "the game ran while paused";
    key('p');
    EXPECT_EQ(engine()->getPause(), 0);
    EXPECT_EQ(sm()->pauseImage(), nullptr);
    frames(3);
    EXPECT_EQ(engine()->getCounter(), counter + 4);

    // The screen manager refuses the picture during a fade, and then the game is not paused.
    sm()->switchTo(MenuScreen::GetInstance(), 1, 0.0f);
    key('P');
    EXPECT_EQ(engine()->getPause(), 0);
    EXPECT_EQ(sm()->pauseImage(), nullptr);
}

TEST_F(GameScreenTest, MTogglesTheSoundOnEveryPress) {
    startToMenu();
    playScenario();
    auto audio = SoundManager::GetInstance();
    const int expected[] = {1, 0, 1, 0};
    const int keys[] = {'M', 'm', 'm', 'M'};
    for (int i = 0; i < 4; ++i) {
        key(keys[i]);
        EXPECT_EQ(audio->getMute(), expected[i]) << "press " << i;
    }
}

TEST_F(GameScreenTest, EscWhilePausedLeavesNeitherPauseNorPictureOverTheMenu) {
    startToMenu();
    playScenario();
    frames(30);
    key('P');
    ASSERT_EQ(SoundManager::GetInstance()->getMute(), 1);
    key(27);
    ASSERT_TRUE(until(MenuScreen::GetInstance()));
    EXPECT_EQ(sm()->pauseImage(), nullptr);
    EXPECT_EQ(engine()->getPause(), 0);
    EXPECT_EQ(SoundManager::GetInstance()->getMute(), 0);
    shot("menu_after_esc_while_paused");

    // Nothing advances behind the menu, and Continue returns to the same game.
    const int counter = engine()->getCounter();
    const auto aircraft = GameWorld::GetInstance()->getAircraftList();
    frames(60);
    EXPECT_EQ(engine()->getCounter(), counter);
    ASSERT_EQ(MenuScreen::GetInstance()->_btn_continue->_enabled, 1);
    click(MenuScreen::GetInstance()->_btn_continue);
    ASSERT_TRUE(until(game()));
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
    for (const auto& a : aircraft) EXPECT_FALSE(a->isInvalid());
}

TEST_F(GameScreenTest, LeavingTheGameStopsTheLoopingSiren) {
    startToMenu();
    playScenario();
    twoCloseAircraft();
    frames(3);
    ASSERT_EQ(engine()->getSirenStat(), 1);
    auto siren = SoundManager::GetInstance()->channel(3);
    ASSERT_TRUE(siren && siren->playing());
    key(27);
    ASSERT_TRUE(until(MenuScreen::GetInstance()));
    EXPECT_EQ(engine()->getSirenStat(), 0);
    EXPECT_FALSE(siren->playing());
    frames(30);
    EXPECT_FALSE(siren->playing());
    // Back in the game with the aircraft still too close, the siren sounds again.
    click(MenuScreen::GetInstance()->_btn_continue);
    ASSERT_TRUE(until(game()));
    EXPECT_EQ(engine()->getSirenStat(), 1);
}

TEST_F(GameScreenTest, AfterAFailureAPressIsNotPassedOnAndTheReleaseLeadsToTheMenu) {
    startToMenu();
    playScenario();
    twoCloseAircraft();
    frames(2);
    const Vector at = GameWorld::GetInstance()->getAircraftList().back()->GetPosition();
    Game_playManager::setMissionStatus(Game_playManager::FAILED);
    plat::testing::setMouse(int(at.x), int(at.y));
    plat::testing::setButton(true);
    frame();
    EXPECT_EQ(engine()->getSelectedAircraft(), nullptr);
    EXPECT_EQ(sm()->getPhase(), ScreenManager::NORMAL);
    plat::testing::setButton(false);
    frame();
    EXPECT_EQ(sm()->getPhase(), ScreenManager::FADE_OUT);
    ASSERT_TRUE(until(MenuScreen::GetInstance()));
    EXPECT_EQ(MenuScreen::GetInstance()->_btn_continue->_enabled, 0);
}

TEST_F(GameScreenTest, ANewStoryGameKeepsItsModeAndItsPhaseText) {
    startToMenu();
    // A story saved at phase 3: its init shows "PHASE 3" on the display and sets STORY mode,
    // which the display's and the scenario's resets must not wipe afterwards.
    GameShell::get().setStoryData(0, "3;9000");
    auto pm = Game_playManager::loadScene(Constants::FORGOTTEN_PORT);
    game()->setGameplayMan(pm);
    EXPECT_EQ(game()->getGameplayMan(), pm);
    EXPECT_EQ(pm->getStoryMode(), Game_playManager::STORY);
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
    bool phaseText = false;
    for (const auto& item : GameUI::GetInstance()->getItemList()) phaseText |= item->data == "PHASE 3";
    EXPECT_TRUE(phaseText);
    EXPECT_EQ(engine()->getPause(), 0);
}

TEST_F(GameScreenTest, APaidCollisionIsSettledWhenPlayResumesByContinue) {
    startToMenu();
    playScenario();
    Airport::GetInstance()->setFunds(50000);
    twoCloseAircraft();
    auto pm = game()->getGameplayMan();
    const auto& list = GameWorld::GetInstance()->getAircraftList();
    pm->onCollision(list[0], list[1]);
    ASSERT_EQ(pm->getFailureMode(), Game_playManager::FAILED_PAYOUT);
    // Leaving within the collision delay keeps the verdict pending: the payout's
    // intermission is still owed.
    key(27);
    ASSERT_TRUE(until(MenuScreen::GetInstance()));
    click(MenuScreen::GetInstance()->_btn_continue);
    ASSERT_TRUE(until(game()));
    EXPECT_EQ(pm->getFailureMode(), Game_playManager::FAILED_PAYOUT);
    ASSERT_TRUE(until(IntermissionScreen::GetInstance(), 100));
    // Back to the game by the menu rather than by the intermission's Play.
    sm()->switchTo(MenuScreen::GetInstance(), 1, 0.0f);
    ASSERT_TRUE(until(MenuScreen::GetInstance()));
    ASSERT_EQ(MenuScreen::GetInstance()->_btn_continue->_enabled, 1);
    click(MenuScreen::GetInstance()->_btn_continue);
    ASSERT_TRUE(until(game()));
    EXPECT_EQ(pm->getFailureMode(), 0);
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
}

// The game screen runs on while it fades out to a payout's intermission; a collision there
// explodes but neither pays nor closes the airport nor starts another delay.
TEST_F(GameScreenTest, ACollisionWhileThePayoutFadesOutIsNotJudged) {
    startToMenu();
    playScenario();
    GameWorld::GetInstance()->removeAllAircrafts();
    Airport::GetInstance()->setFunds(30000);
    auto pm = game()->getGameplayMan();
    // Two heavies 5 pixels apart collide in the next engine frame.
    auto crash = [] {
        std::shared_ptr<Aircraft> a;
        for (double x : {300.0, 305.0}) {
            a = Aircraft::Create(Aircraft::HEAVY, Vector(x, 300.0));
            a->flyDirect(Vector(x, -2000.0), 0.5f);
            GameWorld::GetInstance()->addAircraft(a);
        }
        return a;
    };
    crash();
    ASSERT_TRUE(untilTrue([&] { return sm()->getPhase() == ScreenManager::FADE_OUT; }, 40));
    ASSERT_EQ(pm->getFailureMode(), Game_playManager::FAILED_PAYOUT);
    const int funds = Airport::GetInstance()->getFunds();
    auto second = crash();
    frames(2);
    EXPECT_EQ(second->getPhase(), Aircraft::COLLISION);
    auto inter = IntermissionScreen::GetInstance();
    ASSERT_TRUE(until(inter));
    EXPECT_EQ(pm->getFailureMode(), Game_playManager::FAILED_PAYOUT);
    EXPECT_EQ(inter->_btn_play->_visibility, 1);
    EXPECT_GE(Airport::GetInstance()->getFunds(), funds - 20);
    click(inter->_btn_play);
    ASSERT_TRUE(until(game()));
    frames(60);
    EXPECT_EQ(sm()->getScreen(), game());
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
}

TEST_F(GameScreenTest, ANewGameShowsItsFundsFromItsFirstFrame) {
    startToMenu();
    game()->setGameplayMan(Game_playManager::loadScene(Constants::CALM_DAY));
    auto records = AirportItem::loadRecords(ResourceManager::GetInstance()->retrieveText("airport data"));
    Airport::GetInstance()->loadData(records[0]);
    sm()->switchTo(game(), 1, 0.0f);
    // The first frame the game screen is drawn, long before the airport's first tick.
    ASSERT_TRUE(untilTrue([&] { return sm()->getScreen() == game(); }, 40));
    EXPECT_GT(Airport::GetInstance()->getFunds(), 0);
    EXPECT_EQ(GameUI::GetInstance()->getFundsBalance(), Airport::GetInstance()->getFunds());
}

}  // namespace
