// Score board: admission, order and the cut at seven, the text form both ways, reset, and
// what a running game enters.
#include <climits>
#include <vector>

#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameshell.h"
#include "imports/kz_time.h"
#include "screens/progress_fixture.h"
#include "screens/scorescreen.h"

using progress_test::ProgressFixture;

namespace {

class ScoreScreenTest : public ProgressFixture {
protected:
    std::shared_ptr<ScoreScreen> board() { return ScoreScreen::GetInstance(); }
    std::vector<int> landings() {
        std::vector<int> out;
        for (const auto& e : board()->_scoreArray) out.push_back(e->landings);
        return out;
    }
    void fill(const std::vector<int>& values) {
        std::string text;
        for (int v : values) text += (text.empty() ? "" : "#") + std::to_string(v) + "|user|img;un|img;seaside|Dec 01, 2026";
        board()->loadScores(text);
    }
};

// A scenario whose mode the test chooses.
class FakeScenario : public Game_playManager {
public:
    explicit FakeScenario(int storyMode) { _storyMode = storyMode; }
    int update() override { return 0; }
};

}  // namespace

TEST_F(ScoreScreenTest, AdmissionNeedsALandingAndMustBeatTheLowestEntry) {
    struct Case {
        std::vector<int> before;
        int result;
        std::vector<int> after;
        int top;
    };
    const Case cases[] = {
        {{}, 12, {12}, 0},                 // first result: entered, not a new top score
        {{50, 30}, 40, {50, 40, 30}, 0},
        {{50, 30}, 60, {60, 50, 30}, 1},
        {{50, 30}, 50, {50, 50, 30}, 0},   // equal to the best: entered, not top
        {{50, 30}, 30, {50, 30}, 0},       // not above the lowest, though rows are free
        {{50, 30}, 0, {50, 30}, 0},
        {{}, 0, {}, 0},
        {{70, 60, 50, 40, 30, 20, 10}, 15, {70, 60, 50, 40, 30, 20, 15}, 0},  // lowest dropped
        {{70, 60, 50, 40, 30, 20, 10}, 10, {70, 60, 50, 40, 30, 20, 10}, 0},
    };
    for (const auto& c : cases) {
        board()->resetScores();
        fill(c.before);
        board()->_topScore = 1;  // every offer recomputes it
        board()->_addScore(ScoreItem::Create(c.result, "user", "img;un", "img;seaside", "Dec 01, 2026"));
        EXPECT_EQ(landings(), c.after) << "result " << c.result;
        EXPECT_EQ(board()->isTopScore(), c.top) << "result " << c.result;
        // The table follows the board row by row.
        for (size_t r = 0; r < c.after.size(); ++r)
            EXPECT_EQ(board()->_table->getCellData(0, int(r)), std::to_string(c.after[r]));
    }
}

TEST_F(ScoreScreenTest, TextFormRoundTripSortsCutsAtSevenAndSkipsShortRecords) {
    EXPECT_EQ(board()->serializeScores(), "");
    const std::string stored =
        "3|user|img;un|img;seaside|Jan 02, 2026#0|user|img;calmday|img;farmville|Jan 03, 2026#"
        "9|user|img;birds|img;arctic_circle|Feb 10, 2026#7|user|img;medical|img;seaside|Mar 01, 2026#"
        "12|short#99999999999999|user|img;un|img;farmville|Apr 04, 2026#5|user|img;un|img;seaside|May 05, 2026#"
        "5|user|img;calmday|img;seaside|May 06, 2026#1|user|img;un|img;seaside|Jun 07, 2026#"
        "2|user|img;un|img;seaside|Jul 08, 2026";
    board()->loadScores(stored);
    EXPECT_EQ(landings(), (std::vector<int>{INT_MAX, 9, 7, 5, 5, 3, 2}));
    const std::string text = board()->serializeScores();
    EXPECT_EQ(text,
              "2147483647|user|img;un|img;farmville|Apr 04, 2026#9|user|img;birds|img;arctic_circle|Feb 10, 2026#"
              "7|user|img;medical|img;seaside|Mar 01, 2026#5|user|img;un|img;seaside|May 05, 2026#"
              "5|user|img;calmday|img;seaside|May 06, 2026#3|user|img;un|img;seaside|Jan 02, 2026#"
              "2|user|img;un|img;seaside|Jul 08, 2026");
    EXPECT_EQ(board()->_table->getCellData(1, 1), "img;birds");
    EXPECT_EQ(board()->_table->getCellData(3, 6), "Jul 08, 2026");

    // The empty text changes nothing; a shorter board leaves no old rows on screen.
    board()->loadScores("");
    EXPECT_EQ(board()->serializeScores(), text);
    board()->loadScores("4|user|img;un|img;seaside|Aug 09, 2026");
    EXPECT_EQ(board()->serializeScores(), "4|user|img;un|img;seaside|Aug 09, 2026");
    EXPECT_EQ(board()->_table->getCellData(0, 1), "");

    // Landings from the far ends of the int range still sort best first.
    board()->loadScores("-5|user|a|b|c#2147483647|user|a|b|c#-2147483648|user|a|b|c");
    EXPECT_EQ(landings(), (std::vector<int>{INT_MAX, -5, INT_MIN}));
}

TEST_F(ScoreScreenTest, ResetEmptiesBoardAndTableButKeepsTheTopScoreFlag) {
    fill({50, 30});
    board()->_addScore(ScoreItem::Create(60, "user", "img;un", "img;seaside", "x"));
    ASSERT_EQ(board()->isTopScore(), 1);
    board()->resetScores();
    EXPECT_TRUE(board()->_scoreArray.empty());
    EXPECT_EQ(board()->serializeScores(), "");
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(board()->_table->getCellData(c, r), "");
    EXPECT_EQ(board()->isTopScore(), 1);
}

TEST_F(ScoreScreenTest, RunningGameEntersItsLandingsScenarioAndDateButAStoryGameNothing) {
    fill({5});
    board()->_addScore(ScoreItem::Create(8, "user", "img;un", "img;seaside", "x"));
    ASSERT_EQ(board()->isTopScore(), 1);

    auto story = std::make_shared<FakeScenario>(Game_playManager::STORY);
    GameShell::get().setGameplayMan(story);
    FleetManager::GetInstance()->setLandCount(40);
    board()->addCurrentScore();
    EXPECT_EQ(landings(), (std::vector<int>{8, 5}));
    EXPECT_EQ(board()->isTopScore(), 0);

    auto free = std::make_shared<FakeScenario>(Game_playManager::WORK);
    free->setIconName("medical");
    GameShell::get().setGameplayMan(free);
    board()->addCurrentScore();
    ASSERT_EQ(landings(), (std::vector<int>{40, 8, 5}));
    EXPECT_EQ(board()->isTopScore(), 1);
    const auto& e = *board()->_scoreArray[0];
    EXPECT_EQ(e.handle, "user");
    EXPECT_EQ(e.mode, "img;medical");
    EXPECT_EQ(e.map.rfind("img;", 0), 0u);
    EXPECT_EQ(e.date, KZ_time::getDate(0));
}

TEST_F(ScoreScreenTest, BoardWithEntriesIsDrawnWithIconsAndDates) {
    board()->loadScores(
        "31|user|img;calmday|img;farmville|Dec 01, 2026#24|user|img;un|img;seaside|Nov 12, 2026#"
        "17|user|img;birds|img;arctic_circle|Oct 03, 2026#9|user|img;medical|img;seaside|Sep 24, 2026#"
        "4|user|img;nosuchicon|img;farmville|Aug 05, 2026");
    auto sm = ScreenManager::GetInstance();
    sm->switchTo(board(), 0, 0.0f);
    for (int i = 0; i < 12; ++i) sm->Update();
    ASSERT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    const std::string out = savePng("score_board");
    // The scenario icon of row 0 sits inside its cell (column 1 starts at x 282).
    EXPECT_NE(pixel(282 + 40, 90 + 25), pixel(0, 479)) << out;
    // Esc does nothing here: still the board, no switch pending.
    board()->onKeyPress(27);
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
}
