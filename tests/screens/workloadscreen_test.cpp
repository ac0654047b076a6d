// The scenario grid: hit edges, the panel, Back and Esc, short data files, Play on a free
// cell and on the story, and the picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "screens/constants.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/scenarios/gp_birdmigration.h"
#include "game/scenarios/gp_unitednations.h"
#include "game/scenarios/gs_forgottenport.h"
#include "screens/airportselectscreen.h"
#include "screens/choice_fixture.h"
#include "screens/gamescreen.h"
#include "screens/menuscreen.h"
#include "screens/scorescreen.h"
#include "screens/storybreakscreen.h"
#include "screens/workloadscreen.h"
#include "vostrel/kz_button.h"

namespace {

using choice_test::ChoiceFixture;

class Grid : public ChoiceFixture {
protected:
    void openGrid() {
        grid = WorkloadScreen::GetInstance();
        open(grid);
    }
    bool panelShown() const {
        const bool open = grid->detailOpen();
        EXPECT_EQ(grid->playButton()->_visibility, open ? 1 : 0);
        EXPECT_EQ(grid->cancelButton()->_visibility, open ? 1 : 0);
        EXPECT_EQ(grid->backButton()->_visibility, 1);
        return open;
    }
    void play(int cell) {
        grid->onMouseUp(100 + 187 * (cell % 4), 150 + 199 * (cell / 4));
        ASSERT_TRUE(grid->detailOpen());
        ASSERT_EQ(grid->selectedIndex(), cell);
        click(*grid, grid->playButton());
    }
    // Lets the running switch finish, noting every screen that was current meanwhile.
    std::vector<ScreenPtr> settleNoting() {
        std::vector<ScreenPtr> seen;
        for (int i = 0; i < 60; ++i) {
            sm()->Update();
            if (seen.empty() || seen.back() != sm()->getScreen()) seen.push_back(sm()->getScreen());
            if (sm()->getPhase() == ScreenManager::NORMAL) break;
        }
        return seen;
    }
    // Bounds of the pixels in a band that pass `keep`; {-1, -1} when none does.
    static std::pair<int, int> columns(int x0, int x1, int y0, int y1, bool (*keep)(uint32_t)) {
        int lo = -1, hi = -1;
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                if (keep(pixel(x, y))) {
                    if (lo < 0) lo = x;
                    hi = x;
                }
        return {lo, hi};
    }
    std::shared_ptr<WorkloadScreen> grid;
};

}  // namespace

TEST_F(Grid, ReleasesOpenTheLiveCellUnderThemEdgesIncluded) {
    boot();
    openGrid();
    struct Case { int x, y, cell; };  // cell -1: nothing opens
    const Case cases[] = {
        {40, 82, 0},   {196, 238, 0},  {197, 100, -1}, {100, 250, -1}, {39, 82, -1},   {40, 81, -1},
        {227, 82, 1},  {383, 238, 1},  {384, 238, -1}, {414, 150, 2},  {757, 238, 3},  {758, 238, -1},
        {40, 281, 4},  {196, 437, 4},  {196, 438, -1}, {227, 281, -1}, {414, 437, -1}, {757, 437, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        grid->onMouseUp(c.x, c.y);
        EXPECT_EQ(panelShown(), c.cell >= 0);
        if (c.cell >= 0) {
            EXPECT_EQ(grid->selectedIndex(), c.cell);
            click(*grid, grid->cancelButton());
            EXPECT_FALSE(panelShown());
        }
    }
}

TEST_F(Grid, PanelOpensOnlyWhileClosed) {
    boot();
    openGrid();
    grid->onMouseUp(100, 150);
    ASSERT_TRUE(panelShown());
    sm()->mouseUp(300, 150);  // cell 1, through the screen manager
    EXPECT_EQ(grid->selectedIndex(), 0);
    click(*grid, grid->cancelButton());
    EXPECT_FALSE(panelShown());
    EXPECT_EQ(grid->selectedIndex(), 0);  // kept while closed
    grid->onMouseUp(300, 150);
    EXPECT_TRUE(panelShown());
    EXPECT_EQ(grid->selectedIndex(), 1);
}

TEST_F(Grid, EscAndBackBothWithdrawTheScenarioAndReturnWithThePanelClosed) {
    boot();
    for (int how = 0; how < 2; ++how) {
        SCOPED_TRACE(how ? "Back" : "Esc");
        Game_playManager::setMissionStatus(Game_playManager::ACTIVE);
        openGrid();
        grid->onMouseUp(500, 150);
        ASSERT_TRUE(grid->detailOpen());
        if (how == 0)
            sm()->keyPress(27);
        else
            click(*grid, grid->backButton());
        // Nothing to continue: the menu's Continue asks for ACTIVE.
        EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::INVALID);
        settle();
        EXPECT_EQ(sm()->getScreen(), menu);
        EXPECT_FALSE(panelShown());
        sm()->keyPress(13);  // another key on the menu's stand-in; the grid is gone
        openGrid();
        EXPECT_FALSE(panelShown());
        sm()->keyPress('x');
        settle();
        EXPECT_EQ(sm()->getScreen(), grid);
        open(menu);
    }
}

TEST_F(Grid, ShortOrMissingLinesLeaveTheirCellsInertAndAreReported) {
    writeText("workload.txt", "Calm Day/0/Quiet.\r\nUnited Nations\nBird Migration/0\nMedical/7/Hurry./extra");
    boot();
    const std::string out = captureStdout([&] { grid = WorkloadScreen::GetInstance(); });
    EXPECT_NE(out.find("workload.txt line 2"), std::string::npos) << out;
    EXPECT_NE(out.find("workload.txt line 3"), std::string::npos) << out;
    EXPECT_NE(out.find("line 5"), std::string::npos) << out;
    EXPECT_EQ(out.find("line 6"), std::string::npos) << out;  // cells 5 to 7 never open anyway
    open(grid);
    // The carriage return before the line feed stays with the description.
    ASSERT_NE(grid->items()[0], nullptr);
    EXPECT_EQ(grid->items()[0]->description, "Quiet.\r");
    EXPECT_EQ(grid->items()[3]->title, "Medical");
    EXPECT_EQ(grid->items()[3]->cost, 7);
    EXPECT_EQ(grid->items()[3]->description, "Hurry.");
    for (int cell : {1, 2, 4}) {
        grid->onMouseUp(100 + 187 * (cell % 4), 150 + 199 * (cell / 4));
        EXPECT_FALSE(panelShown()) << cell;
    }
    grid->onMouseUp(700, 150);
    EXPECT_TRUE(panelShown());
}

TEST_F(Grid, PlayOnAFreeCellInstallsItAndShowsTheAirportChoiceWhoseBackReturnsToTheMenu) {
    boot();
    // As after the menu's New game: nothing running, so nothing is entered on the board.
    Game_playManager::setMissionStatus(Game_playManager::INVALID);
    openGrid();
    play(Constants::BIRD_MIGRATION);
    EXPECT_EQ(GameScreen::GetInstance()->getGameplayMan(), GP_birdMigration::GetInstance());
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
    settle();
    auto choice = AirportSelectScreen::GetInstance();
    EXPECT_EQ(sm()->getScreen(), choice);
    EXPECT_FALSE(grid->detailOpen());
    EXPECT_EQ(sm()->navHistory().back(), menu);  // the grid is not recorded
    EXPECT_TRUE(ScoreScreen::GetInstance()->_scoreArray.empty());
    click(*choice, choice->backButton());
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::INVALID);
    settle();
    EXPECT_EQ(sm()->getScreen(), menu);
}

TEST_F(Grid, PlayWhileAGameIsActiveEntersThatGameOnTheScoreBoardFirst) {
    boot();
    openGrid();
    play(Constants::CALM_DAY);
    FleetManager::GetInstance()->setLandCount(17);
    settle();
    open(grid);  // back to the grid with the calm day still ACTIVE
    play(Constants::UNITED_NATIONS);
    const auto& board = ScoreScreen::GetInstance()->_scoreArray;
    ASSERT_EQ(board.size(), 1u);
    EXPECT_EQ(board[0]->landings, 17);
    EXPECT_EQ(board[0]->mode, "img;calmday");
    EXPECT_EQ(FleetManager::GetInstance()->getLandCount(), 0);
    EXPECT_EQ(GameScreen::GetInstance()->getGameplayMan(), GP_unitedNations::GetInstance());
    // A second click on Play while the grid fades out starts nothing again.
    click(*grid, grid->playButton());
    EXPECT_EQ(board.size(), 1u);
    settle();
    EXPECT_EQ(sm()->getScreen(), AirportSelectScreen::GetInstance());
}

TEST_F(Grid, StoryGoesStraightIntoTheGameOnItsOwnAirportTheSecondSwitchWinning) {
    boot();
    // The real menu this time, for its Continue.
    auto realMenu = MenuScreen::GetInstance();
    open(realMenu);
    Game_playManager::setMissionStatus(Game_playManager::INVALID);
    openGrid();
    play(Constants::FORGOTTEN_PORT);
    auto game = GameScreen::GetInstance();
    auto story = StorybreakScreen::GetInstance();
    EXPECT_EQ(game->getGameplayMan(), GS_forgottenPort::GetInstance());
    EXPECT_EQ(Airport::GetInstance()->getIconName(), "forgotton_port_1");
    // Installing the story asked for the story break, then Play for the game: the game is
    // the target, and both requests recorded the grid.
    EXPECT_EQ(choice_test::incoming(*sm()), game);
    ASSERT_GE(sm()->navHistory().size(), 2u);
    EXPECT_EQ(sm()->navHistory().end()[-1], grid);
    EXPECT_EQ(sm()->navHistory().end()[-2], grid);
    // The game comes first; its first frame of the fresh story brings the intro break.
    const auto seen = settleNoting();
    auto at = [&](const ScreenPtr& s) { return std::find(seen.begin(), seen.end(), s) - seen.begin(); };
    ASSERT_LT(at(game), int(seen.size()));
    EXPECT_LT(at(game), at(story));
    settle();
    ASSERT_EQ(sm()->getScreen(), story);
    click(*story, story->_btn_play);
    settle();
    ASSERT_EQ(sm()->getScreen(), game);
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
    EXPECT_TRUE(ScoreScreen::GetInstance()->_scoreArray.empty());
    // Esc leaves the story for the menu, whose Continue returns to it.
    sm()->keyPress(27);
    settle();
    ASSERT_EQ(sm()->getScreen(), realMenu);
    ASSERT_NE(realMenu->_btn_continue, nullptr);
    EXPECT_EQ(realMenu->_btn_continue->_enabled, 1);
    click(*realMenu, realMenu->_btn_continue);
    settle();
    EXPECT_EQ(sm()->getScreen(), game);
    EXPECT_EQ(game->getGameplayMan(), GS_forgottenPort::GetInstance());
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
}

TEST_F(Grid, StoryCellStaysShutWithoutTheStoryAirport) {
    const std::string all = realText("airports.txt");
    size_t at = 0;
    for (int i = 0; i < 3; ++i) at = all.find('\n', at) + 1;
    writeText("airports.txt", all.substr(0, at));
    boot();
    openGrid();
    const std::string out = captureStdout([&] { grid->onMouseUp(100, 350); });
    EXPECT_FALSE(panelShown());
    EXPECT_NE(out.find("line 4"), std::string::npos) << out;
}

TEST_F(Grid, LandingsRightAlignedInTheBigFontAndThePanelTitleCentred) {
    boot();
    FleetManager::GetInstance()->setTotalLandCount(123456);
    openGrid();
    plat::cls();
    grid->render();
    savePng("grid");
    auto white = [](uint32_t p) { return (p & 0xFF) > 230 && ((p >> 8) & 0xFF) > 230 && ((p >> 16) & 0xFF) > 230; };
    const auto landings = columns(400, 799, 20, 44, white);
    EXPECT_GE(landings.second, 786);
    EXPECT_LE(landings.second, 790);
    // 22 characters of the big font, not of the normal one.
    EXPECT_GE(landings.second - landings.first, 240);

    grid->onMouseUp(100, 150);
    plat::cls();
    grid->render();
    KZ_systemUI2::GetInstance()->render();
    savePng("grid_panel");
    auto black = [](uint32_t p) { return (p & 0xFF) < 50 && ((p >> 8) & 0xFF) < 50 && ((p >> 16) & 0xFF) < 50; };
    const auto title = columns(215, 585, 92, 112, black);
    ASSERT_GE(title.first, 0);
    EXPECT_NEAR((title.first + title.second) / 2.0, 400.0, 4.0);
    EXPECT_GE(title.second - title.first, 8 * 11);  // "Calm Day" in the big font
}
