// The whole game, from its real start-up, lost by running out of money: the intermission
// with the top-score notice, the score board, then a second start that finds the landings
// and the board again in "settings.txt".
#include <fstream>
#include <sstream>

#include "game/traffic/fleetmanager.h"
#include "game/gameshell.h"
#include "imports/kz_time.h"
#include "screens/intermissionscreen.h"
#include "screens/scorescreen.h"
#include "screens/shell_fixture.h"
#include "support/unwritable.h"

using namespace shell_test;

namespace {

class ProgressRunTest : public ShellTest {
protected:
    std::string settings() const {
        std::ifstream in(root / "assets/settings.txt", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
};

TEST_F(ProgressRunTest, LostGameIsScoredSavedAndFoundAgainAtTheNextStart) {
    mirror();
    std::ofstream(root / "assets/settings.txt", std::ios::binary) << "40\r\n5|user|img;un|img;seaside|Jan 01, 2026\r\n0;5000\r\n";
    startToMenu();
    EXPECT_EQ(FleetManager::GetInstance()->getTotalLandCount(), 40);
    playScenario(Constants::CALM_DAY);

    // Twelve landings, then the money runs out.
    for (int i = 0; i < 12; ++i) FleetManager::GetInstance()->_addLandCount();
    Airport::GetInstance()->setFunds(0);
    auto inter = IntermissionScreen::GetInstance();
    ASSERT_TRUE(until(inter, 400));
    EXPECT_EQ(GameShell::get().getGameplayMan()->getFailureMode(), Game_playManager::FAILED_FUNDS);
    EXPECT_EQ(inter->_isTopScore, 1);
    EXPECT_EQ(inter->_btn_play->_visibility, 0);
    frames(1);  // the notice is drawn from the frame after the fade-in ends
    shot("intermission_backrupt");
    const std::string entry = "12|user|img;calmday|img;" + Airport::GetInstance()->getIconName() + "|" + KZ_time::getDate(0);
    EXPECT_EQ(settings(), "52\r\n" + entry + "#5|user|img;un|img;seaside|Jan 01, 2026\r\n0;5000\r\n");

    click(inter->_btn_topScore);
    auto board = ScoreScreen::GetInstance();
    ASSERT_TRUE(until(board));
    shot("score_board_after_game");
    click(board->_btn_back);
    ASSERT_TRUE(until(inter));

    // A second run of the program in the same folder.
    SingletonRegistry::resetAllForTests();
    startToMenu();
    EXPECT_EQ(FleetManager::GetInstance()->getTotalLandCount(), 52);
    EXPECT_EQ(ScoreScreen::GetInstance()->serializeScores(), entry + "#5|user|img;un|img;seaside|Jan 01, 2026");
}

// The same loss with a progress file nothing may replace: the game goes on to the
// intermission and the score board, each failed save says so, and the file is untouched.
TEST_F(ProgressRunTest, AProgressFileThatCannotBeReplacedDoesNotEndTheGame) {
    mirror();
    const std::string old = "40\r\n5|user|img;un|img;seaside|Jan 01, 2026\r\n0;5000\r\n";
    std::ofstream(root / "assets/settings.txt", std::ios::binary) << old;
    unwritable::Immutable locked((root / "assets/settings.txt").string());
    if (!locked.ok()) GTEST_SKIP() << "this file system cannot mark a file immutable";
    startToMenu();
    playScenario(Constants::CALM_DAY);
    for (int i = 0; i < 12; ++i) FleetManager::GetInstance()->_addLandCount();
    testing::internal::CaptureStdout();
    Airport::GetInstance()->setFunds(0);
    auto inter = IntermissionScreen::GetInstance();
    ASSERT_TRUE(until(inter, 400));
    click(inter->_btn_topScore);
    auto board = ScoreScreen::GetInstance();
    ASSERT_TRUE(until(board));
    EXPECT_EQ(board->serializeScores().substr(0, 8), "12|user|") << "the lost game is on the board";
    click(board->_btn_reset);
    frames(5);
    const std::string failed = "String settings.txt could not be be saved: Operation not permitted\n";
    EXPECT_EQ(testing::internal::GetCapturedStdout(), failed + failed);
    EXPECT_EQ(sm()->getScreen(), board);
    EXPECT_EQ(settings(), old);
}

}  // namespace
