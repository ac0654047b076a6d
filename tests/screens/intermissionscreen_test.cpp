// Intermission: story line and buttons per failure kind, the top-score notice and reward
// sound taken at the end of the fade-in, and where the buttons lead.
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameshell.h"
#include "screens/gamescreen.h"
#include "screens/intermissionscreen.h"
#include "screens/menuscreen.h"
#include "screens/progress_fixture.h"
#include "screens/scorescreen.h"
#include "vostrel/soundmanager.h"

using progress_test::ProgressFixture;
using progress_test::ScreenManagerPeek;

namespace {

class FailedScenario : public Game_playManager {
public:
    explicit FailedScenario(int kind) { _failureMode = kind; }
    int update() override { return 0; }
};

class IntermissionTest : public ProgressFixture {
protected:
    std::shared_ptr<IntermissionScreen> screen() { return IntermissionScreen::GetInstance(); }
    void failWith(int kind) { GameShell::get().setGameplayMan(std::make_shared<FailedScenario>(kind)); }
    // Shows the screen from the first fade-in frame to its end; n frames of it.
    void show(int n) {
        auto sm = ScreenManager::GetInstance();
        sm->switchTo(screen(), 1, 0.0f);
        for (int i = 0; i < n; ++i) sm->Update();
    }
    int rewardPlays() {
        int n = 0;
        for (const auto& p : plat::testing::playLog())
            if (p.path.find("reward.wav") != std::string::npos) ++n;
        return n;
    }
};

}  // namespace

TEST_F(IntermissionTest, EachFailureKindHasItsStoryAndOnlyAPayoutOffersPlay) {
    struct Case {
        int kind;
        const char* story;
    };
    const Case cases[] = {
        {1, "Death of Head of State in mid-air collision sparks international crisis."},
        {2, "Local airport goes backrupt due to a series of mistakes. Airport closed."},
        {3, "Sleeping controller causes mid-air collision. Airport closed."},
        {4, "Insurance company settles with victims. Airport stays open."},
        {0, ""},
        {5, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntermissionScreen::storyLine(c.kind), c.story);
        failWith(c.kind);
        screen()->onFadeInStart();
        const bool payout = c.kind == Game_playManager::FAILED_PAYOUT;
        EXPECT_EQ(screen()->_btn_play->_visibility, payout ? 1 : 0) << c.kind;
        EXPECT_EQ(screen()->_btn_menu->_visibility, payout ? 0 : 1) << c.kind;
        EXPECT_EQ(screen()->_btn_topScore->_visibility, 1) << c.kind;
    }
}

TEST_F(IntermissionTest, TopScoreNoticeAndRewardComeAtFadeInEndAndNeverAfterAPayout) {
    failWith(Game_playManager::FAILED_HOS);
    FleetManager::GetInstance()->setLandCount(42);
    auto board = ScoreScreen::GetInstance();
    board->_topScore = 0;
    show(5);
    // The flag is read when the fade-in ends, not when it starts.
    board->_topScore = 1;
    EXPECT_EQ(screen()->_isTopScore, 0);
    EXPECT_EQ(rewardPlays(), 0);
    for (int i = 0; i < 8; ++i) ScreenManager::GetInstance()->Update();
    EXPECT_EQ(screen()->_isTopScore, 1);
    EXPECT_EQ(rewardPlays(), 1);
    EXPECT_EQ(SoundManager::GetInstance()->getNowPlaying(3), "reward sound");
    savePng("intermission_failure_top_score");

    // A payout enters no score: whatever an earlier game left in the flag, no notice.
    plat::testing::clearPlayLog();
    failWith(Game_playManager::FAILED_PAYOUT);
    screen()->onFadeInStart();
    screen()->onFadeInEnd();
    EXPECT_EQ(screen()->_isTopScore, 0);
    EXPECT_EQ(rewardPlays(), 0);
}

TEST_F(IntermissionTest, ButtonsLeadToMenuGameAndScoreBoard) {
    failWith(Game_playManager::FAILED_PAYOUT);
    show(12);
    auto sm = ScreenManager::GetInstance();
    auto s = screen();
    const std::pair<std::shared_ptr<KZ_button>, ScreenPtr> cases[] = {
        {s->_btn_menu, MenuScreen::GetInstance()},
        {s->_btn_play, GameScreen::GetInstance()},
        {s->_btn_topScore, ScoreScreen::GetInstance()},
    };
    for (const auto& [button, target] : cases) {
        click(*s, button);
        EXPECT_EQ(ScreenManagerPeek::incoming(*sm), target);
    }
    // Anything but a click does nothing.
    auto before = ScreenManagerPeek::incoming(*sm);
    s->SendMessage(KZ_event::Create(KZ_event::ONMOUSEOVER), s->_btn_menu);
    EXPECT_EQ(ScreenManagerPeek::incoming(*sm), before);
}

TEST_F(IntermissionTest, PayoutPageShowsTheStoryInTheBarAndTheCurrentFigures) {
    failWith(Game_playManager::FAILED_PAYOUT);
    FleetManager::GetInstance()->setLandCount(17);
    FleetManager::GetInstance()->setTotalLandCount(311);
    show(12);
    savePng("intermission_payout");
    // The bar is black with white story text in it.
    EXPECT_EQ(pixel(2, 2), plat::argb(255, 0, 0, 0));
    bool white = false;
    for (int x = 0; x < 800 && !white; ++x)
        for (int y = 10; y < 30 && !white; ++y) white = pixel(x, y) == plat::argb(255, 255, 255, 255);
    EXPECT_TRUE(white);
    // The font in force afterwards is "normal" again.
    EXPECT_EQ(plat::getImageFont(), ResourceManager::GetInstance()->retrieveFont("normal"));
}
