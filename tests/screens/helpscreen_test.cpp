// Help and credits pages: how their text is broken and cut, leaving by Esc or the button,
// the text laid out once, and the real pages as a player sees them.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "screens/constants.h"
#include "platform/text.h"
#include "screens/choice_fixture.h"
#include "screens/creditsscreen.h"
#include "screens/helpscreen.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_textarea.h"

namespace {

using choice_test::ChoiceFixture;

struct Page {
    const char* name;
    const char* file;
    int sid;
    std::function<std::shared_ptr<TextPageScreen>()> get;
    int width, height;
};

const Page PAGES[] = {
    {"help", "help.txt", Constants::HELP, [] { return std::shared_ptr<TextPageScreen>(HelpScreen::GetInstance()); },
     400, 400},
    {"credits", "credits.txt", Constants::CREDITS,
     [] { return std::shared_ptr<TextPageScreen>(CreditsScreen::GetInstance()); }, 350, 400},
};

class TextPages : public ChoiceFixture {};

}  // namespace

TEST_F(TextPages, OnlyALoneBarBreaksALine) {
    // A line feed inside the text joins words like a blank would not: it stays in its word.
    writeText("help.txt", "Land them all.\nGood | luck. a|b");
    writeText("credits.txt", "Thanks | | for playing.");
    boot();
    auto help = HelpScreen::GetInstance()->textArea();
    ASSERT_GE(help->linesArray.size(), 2u);
    EXPECT_EQ(help->linesArray[0], "Land them all.\nGood ");
    EXPECT_EQ(help->linesArray[1], "luck. a|b ");
    // Two bars in a row leave an empty line between.
    auto credits = CreditsScreen::GetInstance()->textArea();
    ASSERT_GE(credits->linesArray.size(), 3u);
    EXPECT_EQ(credits->linesArray[0], "Thanks ");
    EXPECT_EQ(credits->linesArray[1], "");
    EXPECT_EQ(credits->linesArray[2], "for playing. ");
}

TEST_F(TextPages, TextBeyondTheAreaIsNotShown) {
    std::ostringstream longText;
    for (int i = 0; i < 2000; ++i) longText << "word" << i << ' ';
    writeText("help.txt", longText.str());
    writeText("credits.txt", longText.str());
    boot();
    for (const Page& page : PAGES) {
        SCOPED_TRACE(page.name);
        auto area = page.get()->textArea();
        ASSERT_GT(area->lineHeight, 0);
        const int fit = page.height / area->lineHeight;
        EXPECT_LE(int(area->linesArray.size()), fit);
        EXPECT_GE(int(area->linesArray.size()), fit - 1);
        for (const auto& line : area->linesArray) EXPECT_LE(plat::textWidth(line), page.width) << line;
        EXPECT_EQ(area->linesArray.back().find("word1999"), std::string::npos);
    }
}

TEST_F(TextPages, EscAndTheButtonReturnToTheMenuOtherInputDoesNothing) {
    boot();
    for (const Page& page : PAGES) {
        for (int how = 0; how < 2; ++how) {
            SCOPED_TRACE(std::string(page.name) + (how ? " button" : " Esc"));
            auto screen = page.get();
            open(screen);
            sm()->keyPress('a');
            sm()->keyPress(13);
            sm()->mouseUp(100, 100);
            settle();
            ASSERT_EQ(sm()->getScreen(), screen);
            if (how == 0)
                sm()->keyPress(27);
            else
                click(*screen, screen->backButton());
            settle();
            EXPECT_EQ(sm()->getScreen(), menu);
        }
    }
}

TEST_F(TextPages, TextIsLaidOutOnceAndTheButtonMadeOnce) {
    boot();
    for (const Page& page : PAGES) {
        SCOPED_TRACE(page.name);
        auto screen = page.get();
        auto area = screen->textArea();
        auto button = screen->backButton();
        EXPECT_EQ(int(button->_x), 720);
        EXPECT_EQ(int(button->_y), 400);
        for (int visit = 0; visit < 2; ++visit) {
            open(screen);
            sm()->keyPress(27);
            settle();
        }
        EXPECT_EQ(page.get(), screen);
        EXPECT_EQ(screen->textArea(), area);
        EXPECT_EQ(widgetsOf(page.sid), 1);
    }
}

TEST_F(TextPages, RealPagesShowTheirWholeTextWithinTheArea) {
    boot();
    for (const Page& page : PAGES) {
        SCOPED_TRACE(page.name);
        auto screen = page.get();
        open(screen);
        savePng(std::string("page_") + page.name);
        // Every word of the file is on the page: nothing is cut off at the bottom.
        std::string shown;
        for (const auto& line : screen->textArea()->linesArray) shown += line;
        for (const std::string& word : plat::split(realText(page.file), " ")) {
            const std::string w = plat::trim(word);
            if (w.empty() || w == "|") continue;
            EXPECT_NE(shown.find(w), std::string::npos) << w;
        }
        for (const auto& line : screen->textArea()->linesArray) EXPECT_LE(plat::textWidth(line), page.width) << line;
        sm()->keyPress(27);
        settle();
    }
}
