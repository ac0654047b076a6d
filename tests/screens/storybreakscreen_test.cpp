// Story break: the phase lamps, Play and Menu, the text box and the portrait.
#include "screens/gamescreen.h"
#include "screens/menuscreen.h"
#include "screens/progress_fixture.h"
#include "screens/storybreakscreen.h"

using progress_test::ProgressFixture;
using progress_test::ScreenManagerPeek;

namespace {

class StorybreakTest : public ProgressFixture {
protected:
    std::shared_ptr<StorybreakScreen> screen() { return StorybreakScreen::GetInstance(); }
};

}  // namespace

TEST_F(StorybreakTest, LampsUpToThePhaseAreLit) {
    // A lamp's look, read off the canvas with the icon drawn alone.
    auto lamp = [this](const char* key) {
        plat::cls();
        plat::drawImage(ResourceManager::GetInstance()->retrieveImage(key), 0, 0);
        return pixel(40, 28);
    };
    const uint32_t on = lamp("phase on icon"), off = lamp("phase off icon");
    ASSERT_NE(on, off);
    const std::pair<int, int> cases[] = {{-1, 0}, {0, 0}, {1, 1}, {5, 5}, {12, 12}, {100, 12}};
    for (const auto& [phase, lit] : cases) {
        plat::cls();
        screen()->setPhase(phase);
        screen()->render();
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(pixel(10 + 55 * i + 40, 400 + 28), i < lit ? on : off) << "phase " << phase << " lamp " << i;
    }
}

TEST_F(StorybreakTest, PlayGoesToTheGameBelowPhase99AndToTheMenuFrom99) {
    auto sm = ScreenManager::GetInstance();
    sm->switchTo(screen(), 0, 0.0f);
    for (int i = 0; i < 12; ++i) sm->Update();
    const std::tuple<int, std::shared_ptr<KZ_button>, ScreenPtr> cases[] = {
        {98, screen()->_btn_play, GameScreen::GetInstance()},
        {99, screen()->_btn_play, MenuScreen::GetInstance()},
        {100, screen()->_btn_play, MenuScreen::GetInstance()},
        {3, screen()->_btn_menu, MenuScreen::GetInstance()},
    };
    for (const auto& [phase, button, target] : cases) {
        screen()->setPhase(phase);
        click(*screen(), button);
        EXPECT_EQ(ScreenManagerPeek::incoming(*sm), target) << phase;
    }
    // Leaving makes this screen the menu's continue target; keys do nothing.
    EXPECT_EQ(MenuScreen::GetInstance()->get_ctnScreen(), screen());
    EXPECT_EQ(screen()->onKeyPress(27), 0);
}

TEST_F(StorybreakTest, SecondTextReplacesTheFirstAndPortraitAndSpeechAreDrawn) {
    // Nothing set yet: no portrait, no green text.
    plat::cls();
    screen()->setPhase(5);
    screen()->render();
    EXPECT_EQ(pixel(100, 100), plat::argb(255, 0, 0, 0));

    screen()->setTextLocation(280, 50, 500, 200);
    screen()->setImageLocation(5, 50);
    screen()->setText("First words that must vanish.");
    screen()->setText("The fog lifts over the old harbour. Twenty landings today and the port is ours again. | Keep them apart.");
    EXPECT_EQ(screen()->_textArea->Text.rfind("The fog", 0), 0u);
    EXPECT_EQ(screen()->_textArea->linesArray.size(), 3u);
    screen()->setImage("images/stories/forgotten_port/Oleg_Varnik.png");
    auto sm = ScreenManager::GetInstance();
    sm->switchTo(screen(), 0, 0.0f);
    for (int i = 0; i < 12; ++i) sm->Update();
    savePng("story_break");
    EXPECT_NE(pixel(5 + 60, 50 + 60), plat::argb(255, 0, 0, 0));
    int r = 0, g = 0, b = 0;
    plat::getColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255) << "the colour is white again after drawing";
}
