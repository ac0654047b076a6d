// The splash's 100 frames and the main menu's buttons.
#include "platform/canvas.h"
#include "screens/creditsscreen.h"
#include "screens/helpscreen.h"
#include "screens/scorescreen.h"
#include "screens/splashscreen.h"
#include "screens/workloadscreen.h"
#include "screens/shell_fixture.h"
#include "vostrel/kz_systemui2.h"

using namespace shell_test;

namespace {

class SplashMenuTest : public ShellTest {
protected:
    std::shared_ptr<MenuScreen> menu() { return MenuScreen::GetInstance(); }
    int menuWidgets() {
        int n = 0;
        for (const auto& o : KZ_systemUI2::GetInstance()->items())
            if (auto w = std::dynamic_pointer_cast<KZ_UIelement>(o)) n += w->getSID() == Constants::MENU;
        return n;
    }
};

TEST_F(SplashMenuTest, SplashHandsOverOnceAfterItsHundredthUpdate) {
    startGame();
    auto splash = SplashScreen::GetInstance();
    frames(99);
    EXPECT_EQ(sm()->getScreen(), splash);
    EXPECT_EQ(sm()->getPhase(), ScreenManager::NORMAL);
    EXPECT_EQ(splash->getTimer(), 1);
    shot("splash");
    frame();
    EXPECT_EQ(sm()->getPhase(), ScreenManager::FADE_OUT);
    ASSERT_TRUE(until(menu()));
    // The counter ran on below 0 through the fade-out without asking for the menu again.
    EXPECT_LT(splash->getTimer(), 0);
    EXPECT_EQ(sm()->navHistory(), std::vector<ScreenPtr>{splash});
    EXPECT_EQ(splash->_bgd, nullptr);
    EXPECT_EQ(menuWidgets(), 5);
}

TEST_F(SplashMenuTest, FirstMenuShowsTheVersionAndAnInertContinue) {
    startToMenu();
    frame();
    shot("menu");
    // "version 1.51" in black at the bottom left.
    const auto& px = plat::canvas().pixels();
    int dark = 0;
    for (int y = 458; y < 476; ++y)
        for (int x = 5; x < 90; ++x) {
            const uint32_t c = px.readPixel(x, y);
            dark += ((c >> 16) & 0xFF) < 60 && ((c >> 8) & 0xFF) < 60 && (c & 0xFF) < 60;
        }
    EXPECT_GT(dark, 40);
    ASSERT_EQ(menu()->_btn_continue->_enabled, 0);
    click(menu()->_btn_continue);
    frames(2);
    EXPECT_EQ(sm()->getScreen(), menu());
    EXPECT_EQ(sm()->getPhase(), ScreenManager::NORMAL);
}

TEST_F(SplashMenuTest, ContinueDuringTheFadeAfterNewGameDoesNotResumeTheEndedGame) {
    startToMenu();
    playScenario();
    key(27);
    ASSERT_TRUE(until(menu()));
    ASSERT_EQ(menu()->_btn_continue->_enabled, 1);
    click(menu()->_btn_newGame);
    ASSERT_EQ(sm()->getPhase(), ScreenManager::FADE_OUT);
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::INVALID);
    // The menu's buttons are still live while it fades out.
    click(menu()->_btn_continue);
    ASSERT_TRUE(until(WorkloadScreen::GetInstance()));
    EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::INVALID);
}

TEST_F(SplashMenuTest, EachPageButtonLeadsToItsScreenAndTheMenuComesBackWithFreshButtons) {
    startToMenu();
    playScenario();
    key(27);
    ASSERT_TRUE(until(menu()));
    struct Road {
        std::shared_ptr<KZ_button> MenuScreen::*button;
        ScreenPtr target;
    };
    const Road roads[] = {{&MenuScreen::_btn_topScore, ScoreScreen::GetInstance()},
                          {&MenuScreen::_btn_help, HelpScreen::GetInstance()},
                          {&MenuScreen::_btn_credits, CreditsScreen::GetInstance()}};
    for (const Road& r : roads) {
        click(menu().get()->*r.button);
        ASSERT_TRUE(until(r.target));
        EXPECT_EQ(menuWidgets(), 0);
        sm()->navBack();
        ASSERT_TRUE(until(menu()));
        EXPECT_EQ(menuWidgets(), 5);
        EXPECT_EQ(menu()->_btn_continue->_enabled, 1) << "the game is still running";
    }
}

}  // namespace
