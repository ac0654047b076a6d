// The story the way a player meets it: the grid's story cell, the intro break, the first
// phase with guided landings, a collision that restarts the phase, its break and Play again.
#include "game/gameui.h"
#include "game/gs_forgottenport.h"
#include "screens/storybreakscreen.h"
#include "screens/workloadscreen.h"
#include "platform/sys.h"
#include "tower_fixture.h"

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

}  // namespace
