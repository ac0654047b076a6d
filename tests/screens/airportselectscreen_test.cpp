// The airport choice: its records, one set of buttons per visit at their uneven places,
// Esc and Back, a button starting the game on its airport, and the picture.
#include <gtest/gtest.h>

#include "screens/constants.h"
#include "game/airport/airport.h"
#include "game/airport/airportitem.h"
#include "game/scenarios/game_playmanager.h"
#include "platform/text.h"
#include "screens/airportselectscreen.h"
#include "screens/choice_fixture.h"
#include "screens/gamescreen.h"
#include "screens/workloadscreen.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_textarea.h"

namespace {

using choice_test::ChoiceFixture;

class AirportChoice : public ChoiceFixture {
protected:
    // The road there: the grid's Play on the calm day.
    void viaGrid() {
        auto grid = WorkloadScreen::GetInstance();
        open(grid);
        grid->onMouseUp(100, 150);
        ASSERT_TRUE(grid->detailOpen());
        click(*grid, grid->playButton());
        settle();
        choice = AirportSelectScreen::GetInstance();
        ASSERT_EQ(sm()->getScreen(), choice);
    }
    std::shared_ptr<AirportSelectScreen> choice;
};

}  // namespace

TEST_F(AirportChoice, ButtonsAreMadeOncePerVisitAtTheirPlacesAndEscDoesNothing) {
    boot();
    const int xs[3] = {11, 276, 538};
    for (int visit = 0; visit < 3; ++visit) {
        SCOPED_TRACE(visit);
        viaGrid();
        EXPECT_EQ(widgetsOf(Constants::AIRPORT_SELECT), 4);
        for (int k = 1; k <= 3; ++k) {
            auto b = choice->airportButton(k);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(int(b->_x), xs[k - 1]);
            EXPECT_EQ(int(b->_y), 114);
            EXPECT_EQ(b->_enabled, 1);
        }
        ASSERT_NE(choice->backButton(), nullptr);
        EXPECT_EQ(int(choice->backButton()->_x), 720);
        EXPECT_EQ(int(choice->backButton()->_y), 400);
        EXPECT_EQ(choice->backButton()->_img, ResourceManager::GetInstance()->retrieveImage("cancel button"));
        sm()->keyPress(27);
        settle();
        EXPECT_EQ(sm()->getScreen(), choice);
        EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
        click(*choice, choice->backButton());
        EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::INVALID);
        settle();
        EXPECT_EQ(sm()->getScreen(), menu);
        EXPECT_EQ(widgetsOf(Constants::AIRPORT_SELECT), 0);
        EXPECT_EQ(choice->airportButton(1), nullptr);
    }
}

TEST_F(AirportChoice, EachButtonLoadsItsOwnLineAndStartsTheGame) {
    boot();
    const auto lines = plat::split(realText("airports.txt"), "\n");
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        viaGrid();
        click(*choice, choice->airportButton(k));
        const std::string stem = plat::split(plat::split(lines[size_t(k - 1)], "/")[1], ".")[0];
        EXPECT_EQ(Airport::GetInstance()->getIconName(), stem);
        settle();
        EXPECT_EQ(sm()->getScreen(), GameScreen::GetInstance());
        EXPECT_EQ(sm()->navHistory().back(), choice);  // recorded on the way into the game
        EXPECT_EQ(Game_playManager::getMissionStatus(), Game_playManager::ACTIVE);
        open(menu);
    }
}

TEST_F(AirportChoice, RecordsComeFromTheFirstFourLinesAndAShortLineIsRefused) {
    const std::string good = "A/farmville.png/ambience_farmville.ogg/430/250/90/230/340/0/127.9/200/3/640/390/0/Fine.";
    writeText("airports.txt", good + "\nShort/seaside.png/x/1/2/3\n" + "C" + good.substr(1) + "\nStory" +
                                  good.substr(1) + "\r\nFifth" + good.substr(1) + "\n");
    boot();
    const std::string out = captureStdout([&] { choice = AirportSelectScreen::GetInstance(); });
    EXPECT_NE(out.find("airports.txt line 2"), std::string::npos) << out;
    ASSERT_NE(choice->getAirportItemData(0), nullptr);
    EXPECT_EQ(choice->getAirportItemData(0)->r, 127);
    EXPECT_EQ(choice->getAirportItemData(1), nullptr);
    EXPECT_EQ(choice->getAirportItemData(2)->title, "C");
    ASSERT_NE(choice->getStoryData(0), nullptr);
    EXPECT_EQ(choice->getStoryData(0)->title, "Story");
    EXPECT_EQ(choice->getStoryData(0)->description, "Fine.\r");
    EXPECT_EQ(choice->getStoryData(1), nullptr);  // the fifth line is not read
    EXPECT_EQ(choice->getAirportItemData(4), nullptr);
    EXPECT_EQ(choice->getAirportItemData(-1), nullptr);

    // The refused airport's button is there but faded, and a click on it starts nothing.
    viaGrid();
    EXPECT_EQ(widgetsOf(Constants::AIRPORT_SELECT), 4);
    EXPECT_EQ(choice->airportButton(2)->_enabled, 0);
    click(*choice, choice->airportButton(2));
    settle();
    EXPECT_EQ(sm()->getScreen(), choice);
}

TEST_F(AirportChoice, RealPageShowsEveryTitleAndDescriptionWhole) {
    boot();
    viaGrid();
    plat::cls();
    choice->render();
    KZ_systemUI2::GetInstance()->render();
    savePng("airport_choice");
    auto res = ResourceManager::GetInstance();
    for (int i = 0; i < 3; ++i) {
        auto record = choice->getAirportItemData(i);
        ASSERT_NE(record, nullptr);
        SCOPED_TRACE(record->title);
        // The title fits above its frame in the big font; the whole description fits its area.
        plat::setImageFont(res->retrieveFont("big font"));
        EXPECT_LE(plat::textWidth(record->title), 246);
        plat::setImageFont(res->retrieveFont("normal"));
        std::string shown;
        for (const auto& l : choice->descriptionArea(i)->linesArray) {
            EXPECT_LE(plat::textWidth(l), 244) << l;
            shown += l;
        }
        for (const auto& word : plat::split(record->description, " "))
            if (word != "|") { EXPECT_NE(shown.find(plat::trim(word)), std::string::npos) << word; }
    }
}
