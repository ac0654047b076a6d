// Starts the whole game offscreen through its real start-up, on a sandbox of the asset tree
// in a scratch folder, and drives it frame by frame with scripted input.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "screens/constants.h"
#include "support/kit_test.h"
#include "game/airport/airport.h"
#include "game/airport/airportitem.h"
#include "game/scenarios/game_playmanager.h"
#include "screens/loadassets.h"
#include "screens/gamescreen.h"
#include "screens/menuscreen.h"
#include "platform/testing.h"
#include "vostrel/kz_button.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrelframework.h"

namespace shell_test {

namespace fs = std::filesystem;

class ShellTest : public kit::ScreenTest {
protected:
    // The game's own start-up on the private tree, as the executable starts on the tree
    // beside it. The tree is made at the first start unless the case made one (mirror).
    void mirror(const std::set<std::string>& skip = {}) { kit::sandboxAssets(root / "assets", {.skip = skip}); }
    void startGame(const std::function<void(int)>& each = nullptr) {
        if (!fs::exists(root / "assets")) mirror();
        kit::startGame(root, [&](int step) {
            if (step == START_ASSET_FOLDER) bundleFlagAtStep4 = ResourceManager::_macReleaseCompile;
            if (each) each(step);
        });
    }

    // Start-up, splash, and the first menu shown plainly.
    void startToMenu() {
        startGame();
        ASSERT_TRUE(until(MenuScreen::GetInstance(), 300));
    }
    // A calm day on the first airport, as the grid and the airport choice set it up, with
    // the game screen shown plainly.
    void playScenario(int scenario = Constants::CALM_DAY) {
        auto game = GameScreen::GetInstance();
        game->setGameplayMan(Game_playManager::loadScene(scenario));
        if (scenario != Constants::FORGOTTEN_PORT) {
            auto records = AirportItem::loadRecords(ResourceManager::GetInstance()->retrieveText("airport data"));
            Airport::GetInstance()->loadData(records[0]);
        }
        sm()->switchTo(game, 1, 0.0f);
        ASSERT_TRUE(until(game));
    }

    void frame() { vostrel->update(); }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    // Runs frames until `screen` is shown without a fade; false after `limit` frames.
    bool until(const ScreenPtr& screen, int limit = 200) {
        for (int i = 0; i < limit; ++i) {
            if (sm()->getScreen() == screen && sm()->getPhase() == ScreenManager::NORMAL) return true;
            frame();
        }
        return false;
    }
    bool untilTrue(const std::function<bool()>& cond, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (cond()) return true;
            frame();
        }
        return cond();
    }
    // A press in one frame and the release in the next, at (x, y).
    void click(int x, int y) {
        plat::testing::setMouse(x, y);
        plat::testing::setButton(true);
        frame();
        plat::testing::setButton(false);
        frame();
    }
    void click(const std::shared_ptr<KZ_button>& b) {
        ASSERT_NE(b, nullptr);
        click(int(b->_x) + b->_width / 2, int(b->_y) + b->_height / 2);
    }
    void key(int code) {
        plat::testing::typeChar(code);
        frame();
    }
    void shot(const std::string& name) { savePng("shell_" + name); }

    kit::Scratch scratch{"shell"};
    const fs::path root = scratch.enter();
    int bundleFlagAtStep4 = -1;
};

}  // namespace shell_test
