// The hand-written data texts in the boxes the screens give them: a text area drops, without
// notice, every word that does not fit, so each text must fit whole, and no line may run
// under a button or off the window or the paper it stands on.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "game/scenarios/game_playmanager.h"
#include "platform/font.h"
#include "platform/text.h"
#include "vostrel/kz_textarea.h"
#include "assets/asset_tree.h"

namespace {

using asset_tree::ROOT;
using asset_tree::readAll;
using asset_tree::splitOn;

struct Rect {
    int x0, y0, x1, y1;  // x1, y1 exclusive
};

class DataTextLayout : public ::testing::Test {
protected:
    void SetUp() override {
        normal = plat::Font::load(ROOT + "/fonts/ConsolaMono.ttf", 12);
        ASSERT_NE(normal, nullptr);
    }
    // Lays the text out as the screen does and checks that all of it is shown, that every
    // line stays above `bottom` and clear of the obstacles.
    void expectFits(const std::string& what, const std::string& text, int x, int y, int w, int h, int bottom,
                    const std::vector<Rect>& obstacles = {}) {
        auto area = KZ_textarea::Create(text, x, y, w, h, normal);
        EXPECT_EQ(size_t(area->startIndex), area->wordsArray.size())
            << what << ": text cut off after \"" << (area->linesArray.empty() ? "" : area->linesArray.back()) << "\"";
        for (size_t i = 0; i < area->linesArray.size(); ++i) {
            std::string line = area->linesArray[i];
            while (!line.empty() && line.back() == ' ') line.pop_back();
            if (line.empty()) continue;
            Rect r{x, y + area->lineHeight * int(i), x + normal->textWidth(line), y + area->lineHeight * int(i + 1)};
            EXPECT_LE(r.y1, bottom) << what << ": line \"" << line << "\" runs off its ground";
            for (const Rect& o : obstacles) {
                bool apart = r.x1 <= o.x0 || o.x1 <= r.x0 || r.y1 <= o.y0 || o.y1 <= r.y0;
                EXPECT_TRUE(apart) << what << ": line \"" << line << "\" runs under a button";
            }
        }
    }
    plat::FontPtr normal;
};

// The round buttons are 56 pixels across.
Rect button(int x, int y) { return {x, y, x + 56, y + 56}; }

}  // namespace

TEST_F(DataTextLayout, HelpAndCreditsFitTheirPages) {
    // help: beside the aircraft chart, above the OK button at (720, 400)
    expectFits("help.txt", readAll(ROOT + "/help.txt"), 400, 70, 400, 400, 480, {button(720, 400)});
    // credits: on the paper at (220, 60), 400 high
    expectFits("credits.txt", readAll(ROOT + "/credits.txt"), 250, 80, 350, 400, 460);
}

TEST_F(DataTextLayout, HelpNamesWhatACollisionCostsAndThatEmptyFundsEndTheGame) {
    const std::string help = readAll(ROOT + "/help.txt");
    // The amount itself, not the start of a larger one.
    auto names = [&](int dollars) {
        const std::string amount = "$" + std::to_string(dollars);
        for (size_t at = help.find(amount); at != std::string::npos; at = help.find(amount, at + 1))
            if (!std::isdigit(static_cast<unsigned char>(help[std::min(at + amount.size(), help.size() - 1)]))) return true;
        return false;
    };
    for (int dollars : {Game_playManager::DRIFT_PENALTY, Game_playManager::COLLISION_PAYOUT, 0})
        EXPECT_TRUE(names(dollars)) << dollars;
}

TEST_F(DataTextLayout, ScenarioAndAirportDescriptionsFitTheirBoxes) {
    auto work = splitOn(readAll(ROOT + "/workload.txt"), '\n');
    ASSERT_GE(work.size(), 5u);
    for (size_t k = 0; k < 5; ++k) {
        auto f = splitOn(work[k], '/');
        ASSERT_GE(f.size(), 3u);
        // the detail panel, above its Play and Cancel buttons at y 390
        expectFits("workload line " + std::to_string(k), f[2], 235, 140, 340, 240, 390,
                   {button(430, 390), button(510, 390)});
    }
    auto big = plat::Font::load(ROOT + "/fonts/ConsolaMono.ttf", 20);
    ASSERT_NE(big, nullptr);
    auto airports = splitOn(readAll(ROOT + "/airports.txt"), '\n');
    ASSERT_GE(airports.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        auto f = splitOn(airports[size_t(i)], '/');
        ASSERT_GE(f.size(), 16u);
        // the title stays above its own thumbnail frame, 246 wide
        EXPECT_LE(big->textWidth(f[0]), 246) << f[0];
        // the description area reaches below the window: the text must end on screen, and
        // the third one clear of the Back button at (720, 400)
        expectFits("airport " + f[0], f[15], 10 + 260 * i, 270, 244, 300, 480, {button(720, 400)});
    }
}

TEST_F(DataTextLayout, EverySpeechFitsTheStoryBox) {
    auto lines = splitOn(readAll(ROOT + "/Stories/forgotten_port_speech.txt"), '\n');
    ASSERT_EQ(lines.size(), 19u);
    for (size_t k = 0; k < lines.size(); ++k)
        expectFits("speech line " + std::to_string(k), lines[k], 280, 50, 500, 200, 250);
}

TEST_F(DataTextLayout, EachPhaseEndSpeechAnnouncesTheNextTask) {
    // Line k is shown when phase k ends (line 0 before phase 1); the player learns the next
    // task only from it, so it names that task (or the nation the story sends).
    auto lines = splitOn(readAll(ROOT + "/Stories/forgotten_port_speech.txt"), '\n');
    ASSERT_EQ(lines.size(), 19u);
    const std::vector<std::vector<std::string>> next = {
        {"twenty"},          {"russia"},  {"six life flights"}, {"storm"},      {"heavy"},
        {"china", "brazil", "venezuela"}, {"five flocks"},      {"storm"},      {"united states"},
        {"twenty life flights"},          {"intruders"},        {"england"},
    };
    for (size_t k = 0; k < next.size(); ++k) {
        std::string lower = lines[k];
        for (auto& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
        for (const auto& word : next[k]) EXPECT_NE(lower.find(word), std::string::npos) << "line " << k << ": " << word;
    }
}

TEST_F(DataTextLayout, CreditsCarryTheNoticesTheLicencesAskFor) {
    std::string credits = readAll(ROOT + "/credits.txt");
    for (const char* notice : {
             "This software is based in part on the work of the Independent JPEG Group",
             // the FreeType licence asks for the year of the version in use
             "Portions of this software are copyright (c) 2022 The FreeType Project (www.freetype.org). All rights reserved.",
             "Bitstream", "Xiph.Org"})
        EXPECT_NE(credits.find(notice), std::string::npos) << notice;
}
