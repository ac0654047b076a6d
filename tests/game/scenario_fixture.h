// A small world for the scenario rules: its own nations and flags and the game's sounds in a
// scratch working folder, a shell that counts what the rules ask of the screens, and
// scripted random draws.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameshell.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "platform/image.h"
#include "platform/sys.h"
#include "platform/testing.h"
#include "support/kit.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

namespace scenario_test {

namespace fs = std::filesystem;

struct RecordingShell : GameShell {
    int intermissions = 0, scores = 0, saves = 0, storyBreaks = 0;
    std::string slot = "0;5000", storyText, storyImage;
    int storyPhase = -1;
    void showIntermission() override { ++intermissions; }
    void showStoryBreak() override { ++storyBreaks; }
    void addCurrentScore() override { ++scores; }
    void saveProgress() override { ++saves; }
    std::string getStoryData(int) override { return slot; }
    void setStoryData(int, const std::string& text) override { slot = text; }
    void storySetPhase(int n) override { storyPhase = n; }
    void storySetText(const std::string& text) override { storyText = text; }
    void storySetImage(const std::string& path) override { storyImage = path; }
};

class ScenarioFixture : public ::testing::Test {
protected:
    // Nations in file order; the world shuffles them.
    std::vector<std::string> nationIds{"aland", "borea", "cetia"};
    // Lines "line 0", "line 1", ... of the story's speech file; 0 writes no file.
    int speechLines = 0;
    std::shared_ptr<RecordingShell> shell;
    // Fixed answers by bounds; anything else draws the bound's low end.
    std::map<std::pair<int, int>, int> answers;
    std::vector<std::pair<int, int>> draws;

    void SetUp() override {
        plat::testing::useSilentAudio();
        fs::create_directories(root / "assets/images/flags");
        fs::create_directories(root / "assets/images/airport");
        ASSERT_TRUE(plat::savePNG(plat::PixelBuffer(80, 48), (root / "assets/images/airport/forgotton_port_2.png").string(), 5));
        fs::create_directory_symlink(kit::builtAssets() / "audio", root / "assets/audio");
        std::ofstream nations(root / "assets/nations.txt", std::ios::binary);
        for (const auto& id : nationIds) {
            nations << "Land of " << id << "|" << id << "|||\n";
            plat::PixelBuffer flag(60, 40);
            ASSERT_TRUE(plat::savePNG(flag, (root / "assets/images/flags" / (id + ".png")).string(), 5));
        }
        nations.close();
        if (speechLines > 0) {
            fs::create_directories(root / "assets/Stories");
            std::ofstream speech(root / "assets/Stories/forgotten_port_speech.txt", std::ios::binary);
            for (int i = 0; i < speechLines; ++i) speech << (i ? "\n" : "") << "line " << i;
        }

        answers = {{{0, 7}, 1}};  // lanes: lane 1 whenever it is free
        plat::testing::scriptRand([this](int lo, int hi) {
            draws.emplace_back(lo, hi);
            auto it = answers.find({lo, hi});
            return it != answers.end() ? it->second : lo;
        });

        ScreenManager::GetInstance()->init(800, 480, 30, nullptr);
        kit::registerAssets({"nation data", "warning sound", "reward sound", "heartbeat sound", "flatline sound"});
        shell = std::make_shared<RecordingShell>();
        GameShell::install(shell);
        GameWorld::GetInstance()->reset();
    }

    // What the game screen does when it installs a scenario.
    void install(const std::shared_ptr<Game_playManager>& pm) {
        FleetManager::GetInstance()->reset();
        GameUI::GetInstance()->reset();
        GameShell::get().setGameplayMan(pm);
        GameWorld::GetInstance()->reset();
        pm->reset();
        pm->init();
        Game_playManager::setMissionStatus(Game_playManager::ACTIVE);
    }

    static void frames(const std::shared_ptr<Game_playManager>& pm, int n) {
        for (int i = 0; i < n; ++i) pm->update();
    }

    static AircraftPtr plane(int cls, int payload = 0) {
        auto a = Aircraft::Create(cls, Vector(400.0, 240.0));
        if (payload) a->setPayload(payload);
        return a;
    }

    static int funds() { return Airport::getInstance()->getFunds(); }
    static void setFunds(int n) { Airport::getInstance()->setFunds(n); }

    static std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const auto& item : GameUI::GetInstance()->getItemList())
            if (item->class_ == UI_item::TEXT) out.push_back(item->data);
        return out;
    }
    static int hosInWorld() {
        int n = 0;
        for (const auto& a : GameWorld::GetInstance()->getAircraftList())
            if (a->getPayload() == Aircraft::HOS && !a->isInvalid()) ++n;
        return n;
    }
    // Every free lane taken (each usable lane is the opposite of another), or all given back.
    static void blockAllLanes() {
        for (int lane : {1, 2, 3, 5, 6, 7}) FleetManager::GetInstance()->lockOppositeLane(lane);
    }
    static void freeAllLanes() {
        for (int lane : {1, 2, 3, 5, 6, 7}) FleetManager::GetInstance()->clearLane(lane);
    }
    int drawsOf(int lo, int hi) const {
        int n = 0;
        for (const auto& d : draws) n += (d == std::pair{lo, hi});
        return n;
    }

    kit::Scratch scratch{"scen"};
    const fs::path root = scratch.enter();
};

}  // namespace scenario_test
