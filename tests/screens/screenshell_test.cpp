// The simulation's links to the screens: a game over shows the intermission, enters the
// score and saves, and a new run finds it all again; the program's end saves a running game;
// the story drives its break screen through the links.
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameshell.h"
#include "imports/kz_time.h"
#include "screens/intermissionscreen.h"
#include "screens/progress_fixture.h"
#include "screens/scorescreen.h"
#include "screens/screenshell.h"
#include "screens/storybreakscreen.h"
#include "screens/settingsmanager.h"
#include "vostrel/vostrelframework.h"

using progress_test::ProgressFixture;

namespace {

class ShellScenario : public Game_playManager {
public:
    ShellScenario(int storyMode, int failure) {
        _storyMode = storyMode;
        _failureMode = failure;
        setIconName("calmday");
    }
    int update() override { return 0; }
};

class ScreenShellTest : public ProgressFixture {
protected:
    void SetUp() override {
        ProgressFixture::SetUp();
        VostrelFramework::Create();
        installScreenShell();
    }
    void play(int storyMode, int failure, int landings, int total) {
        GameShell::get().setGameplayMan(std::make_shared<ShellScenario>(storyMode, failure));
        Game_playManager::setMissionStatus(Game_playManager::ACTIVE);
        FleetManager::GetInstance()->setLandCount(landings);
        FleetManager::GetInstance()->setTotalLandCount(total);
    }
};

}  // namespace

TEST_F(ScreenShellTest, GameOverShowsResultEntersScoreSavesAndTheNextRunRestoresIt) {
    writeSettings("30\r\n10|user|img;un|img;seaside|Jan 01, 2026\r\n0;5000\r\n");
    SettingsManager::GetInstance()->loadData();
    play(Game_playManager::WORK, Game_playManager::FAILED_COLLISION, 20, 50);
    GameShell::get().getGameplayMan()->gameOver();

    auto sm = ScreenManager::GetInstance();
    EXPECT_EQ(sm->getScreen(), IntermissionScreen::GetInstance());
    const std::string entry = "20|user|img;calmday|img;|" + KZ_time::getDate(0);
    EXPECT_EQ(readSettings(), "50\r\n" + entry + "#10|user|img;un|img;seaside|Jan 01, 2026\r\n0;5000\r\n");
    for (int i = 0; i < 11; ++i) sm->Update();
    EXPECT_EQ(IntermissionScreen::GetInstance()->_isTopScore, 1);

    SingletonRegistry::resetAllForTests();
    SettingsManager::GetInstance()->loadData();
    EXPECT_EQ(FleetManager::GetInstance()->getTotalLandCount(), 50);
    EXPECT_EQ(ScoreScreen::GetInstance()->serializeScores(), entry + "#10|user|img;un|img;seaside|Jan 01, 2026");
}

TEST_F(ScreenShellTest, ProgramEndSavesOnlyARunningGameAndScoresOnlyFreePlay) {
    struct Case {
        int status;
        int storyMode;
        bool saved;
        bool scored;
    };
    const Case cases[] = {
        {Game_playManager::ACTIVE, Game_playManager::WORK, true, true},
        {Game_playManager::ACTIVE, Game_playManager::STORY, true, false},
        {Game_playManager::FAILED, Game_playManager::WORK, false, false},
        {Game_playManager::INVALID, Game_playManager::WORK, false, false},
    };
    for (const auto& c : cases) {
        writeSettings("0");
        ScoreScreen::GetInstance()->resetScores();
        play(c.storyMode, 0, 9, 70);
        Game_playManager::setMissionStatus(c.status);
        vostrel->onTerminate();
        const std::string file = readSettings();
        EXPECT_EQ(file != "0", c.saved) << c.status << "/" << c.storyMode;
        EXPECT_EQ(ScoreScreen::GetInstance()->_scoreArray.size(), c.scored ? 1u : 0u) << c.status << "/" << c.storyMode;
        if (c.saved) { EXPECT_EQ(file.rfind("70\r\n", 0), 0u); }
    }
}

TEST_F(ScreenShellTest, StoryDrivesItsBreakScreenAndSlotThroughTheLinks) {
    auto& shell = GameShell::get();
    shell.storySetTextLocation(280, 50, 500, 200);
    shell.storySetImageLocation(5, 50);
    shell.storySetImage("images/stories/forgotten_port/Mei_Tarsa.png");
    shell.storySetText("Five flocks today.");
    shell.storySetPhase(7);
    shell.setStoryData(0, "7;8000");
    shell.showStoryBreak();
    auto story = StorybreakScreen::GetInstance();
    EXPECT_EQ(ScreenManager::GetInstance()->getScreen(), story);
    EXPECT_EQ(story->_phase, 7);
    EXPECT_EQ(story->_textArea->Text, "Five flocks today.");
    EXPECT_EQ(story->_txtWidth, 500);
    EXPECT_EQ(story->_imgX, 5);
    ASSERT_NE(story->_image, nullptr);
    EXPECT_EQ(SettingsManager::GetInstance()->getStoryData(0), "7;8000");
    EXPECT_EQ(shell.getStoryData(0), "7;8000");
}
