// The story the way a player meets it: the grid's story cell, the intro break, the first
// phase with guided landings, a collision that restarts the phase, its break and Play again.
#include <fstream>

#include "game/display/gameui.h"
#include "game/scenarios/gs_forgottenport.h"
#include "screens/storybreakscreen.h"
#include "screens/workloadscreen.h"
#include "screens/loadassets.h"
#include "platform/sys.h"
#include "platform/window.h"
#include "screens/tower_fixture.h"

using namespace shell_test;

namespace {

TEST_F(TowerTest, StoryFromTheGridThroughACollisionAndItsRestart) {
    startToMenu();
    click(MenuScreen::GetInstance()->_btn_newGame);
    auto grid = WorkloadScreen::GetInstance();
    ASSERT_TRUE(until(grid));
    plat::seedRnd(77);
    click(118, 355);  // the story's cell
    frames(2);
    ASSERT_TRUE(grid->detailOpen());
    click(grid->playButton());

    // The game's first frame of the fresh story brings the intro's break.
    auto story = StorybreakScreen::GetInstance();
    auto game = GameScreen::GetInstance();
    auto gs = GS_forgottenPort::GetInstance();
    ASSERT_TRUE(until(story, 300));
    ASSERT_EQ(game->getGameplayMan(), gs);
    ASSERT_GE(gs->_speech.size(), 18u);
    ASSERT_NE(story->_textArea, nullptr);
    EXPECT_EQ(story->_textArea->Text, gs->_speech[0]);
    EXPECT_NE(story->_image, nullptr);
    EXPECT_EQ(story->_phase, 1);
    EXPECT_EQ(gs->getPhase(), 1);
    shot("story_intro");

    click(story->_btn_play);
    ASSERT_TRUE(until(game));
    frames(2);
    EXPECT_EQ(GameUI::GetInstance()->getAuxMsg(), "Landings Remaining:20");
    auto fleet = FleetManager::GetInstance();
    play(3000, [&] { return fleet->getLandCount() >= 2; });
    SCOPED_TRACE(summary());
    ASSERT_EQ(sm()->getScreen(), game);
    ASSERT_EQ(fleet->getLandCount(), 2);
    EXPECT_EQ(GameUI::GetInstance()->getAuxMsg(), "Landings Remaining:18");
    EXPECT_EQ(log.feeFaults, 0);

    // Two of the player's aircraft are steered into each other.
    std::shared_ptr<Aircraft> a, b;
    ASSERT_TRUE(untilTrue(
        [&] {
            a = b = nullptr;
            for (const auto& x : world()->getAircraftList())
                if (x && x->getClass() != Aircraft::BIRD && inAirspace(*x) && x->getPhase() == Aircraft::INFLIGHT)
                    (a ? b : a) = a ? (b ? b : x) : x;
            return a && b;
        },
        3000));
    const int funds = Airport::GetInstance()->getFunds();
    ASSERT_TRUE(untilTrue(
        [&] {
            if (sm()->getScreen() != game || a->isInvalid() || a->getPhase() == Aircraft::COLLISION) return true;
            a->flyDirect(b->GetPosition(), 6.0f);
            return false;
        },
        400));
    shot("story_collision");

    // The phase starts again: its break tells why, the sky is empty, nothing is paid.
    ASSERT_TRUE(until(story, 300));
    ASSERT_NE(story->_textArea, nullptr);
    EXPECT_EQ(story->_textArea->Text, gs->_speech[17]);
    EXPECT_EQ(story->_phase, 1);
    EXPECT_EQ(gs->getPhase(), 1);
    EXPECT_EQ(gs->getFailureMode(), 0);
    EXPECT_EQ(fleet->getLandCount(), 0);
    // Only the running costs of the frames since (no payout of 20000, which would empty them).
    EXPECT_LE(Airport::GetInstance()->getFunds(), funds);
    EXPECT_GE(Airport::GetInstance()->getFunds(), funds - 20 * 20);
    shot("story_restart");

    click(story->_btn_play);
    ASSERT_TRUE(until(game));
    frames(2);
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
    EXPECT_EQ(GameUI::GetInstance()->getAuxMsg(), "Landings Remaining:20");
    EXPECT_EQ(gs->getPhase(), 1);
    play(600);
    EXPECT_EQ(sm()->getScreen(), game);
}

// A phase reached is on disk at once: closing the program with no game running (after New
// game and Back, or once the story is over) must not lose it.
TEST_F(TowerTest, EveryStoryPhaseReachedIsSavedAtOnce) {
    const fs::path file = root / "assets/settings.txt";
    auto saved = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    auto startStory = [&] {
        click(MenuScreen::GetInstance()->_btn_newGame);
        ASSERT_TRUE(until(WorkloadScreen::GetInstance()));
        click(118, 355);  // the story's cell
        frames(2);
        click(WorkloadScreen::GetInstance()->playButton());
    };
    auto close = [&] {
        plat::requestClose();
        runFrameLoop();
    };

    // Phase 1 ends with its bonus; then the menu from the break, New game, Back, close.
    startToMenu();
    auto story = StorybreakScreen::GetInstance();
    auto gs = GS_forgottenPort::GetInstance();
    auto airport = Airport::GetInstance();
    startStory();
    ASSERT_TRUE(until(story, 300));
    click(story->_btn_play);
    ASSERT_TRUE(until(GameScreen::GetInstance()));
    // Right after a running-cost tick, so none falls between the bonus and the save.
    const int funds = airport->getFunds();
    ASSERT_TRUE(untilTrue([&] { return airport->getFunds() != funds; }, 40));
    airport->setFunds(5000);
    FleetManager::GetInstance()->setLandCount(20);
    ASSERT_TRUE(until(story));
    click(story->_btn_menu);
    ASSERT_TRUE(until(MenuScreen::GetInstance()));
    click(MenuScreen::GetInstance()->_btn_newGame);
    ASSERT_TRUE(until(WorkloadScreen::GetInstance()));
    click(WorkloadScreen::GetInstance()->backButton());
    ASSERT_TRUE(until(MenuScreen::GetInstance()));
    close();
    EXPECT_NE(saved().find("\r\n2;105000\r\n"), std::string::npos) << saved();

    // A later run resumes at phase 12; its head of state lands, the story is over, close.
    std::ofstream(file, std::ios::binary) << "0\r\n\r\n12;20000\r\n";
    SingletonRegistry::resetAllForTests();
    startToMenu();
    story = StorybreakScreen::GetInstance();
    gs = GS_forgottenPort::GetInstance();
    startStory();
    ASSERT_TRUE(until(GameScreen::GetInstance(), 300));
    ASSERT_EQ(gs->getPhase(), 12);
    ASSERT_TRUE(untilTrue([&] { return gs->getStep() == 1; }, 40));
    gs->_var1 = 1;  // no waiting for the visitor
    play(6000, [&] { return gs->getPhase() == Game_playManager::STORYOVER; });
    SCOPED_TRACE(summary());
    ASSERT_EQ(gs->getPhase(), Game_playManager::STORYOVER);
    ASSERT_TRUE(until(story));
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::INVALID);
    close();
    EXPECT_NE(saved().find("\r\n100;"), std::string::npos) << saved();
}

}  // namespace
