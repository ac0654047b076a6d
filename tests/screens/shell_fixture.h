// Starts the whole game offscreen through its real start-up, on a private copy of the asset
// tree (links to the built files), and drives it frame by frame with scripted input.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "screens/constants.h"
#include "game/airport/airport.h"
#include "game/airport/airportitem.h"
#include "game/scenarios/game_playmanager.h"
#include "game/traffic/gameobject.h"
#include "screens/loadassets.h"
#include "screens/gamescreen.h"
#include "screens/menuscreen.h"
#include "platform/testing.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_uielement.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/singleton.h"
#include "vostrel/vostrelframework.h"

namespace shell_test {

namespace fs = std::filesystem;

// Mirrors `from` into `to` as links to its files, leaving out the paths in `skip` (relative
// to `from`). The cached "images" folder is taken from "original": at the draw scale 1.0 the
// cache holds the same pictures, and a test then never waits for it to be built.
inline void mirrorAssets(const fs::path& from, const fs::path& to, const std::set<std::string>& skip) {
    fs::create_directories(to);
    for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path rel = fs::relative(it->path(), from);
        if (rel.string() == "images" || rel.string().rfind("images/", 0) == 0 || rel == "settings.txt") {
            if (it->is_directory()) it.disable_recursion_pending();
            continue;
        }
        for (const std::string& top : {std::string(), std::string("images")}) {
            fs::path r = rel;
            if (!top.empty()) {
                if (rel.string().rfind("original", 0) != 0) continue;
                r = fs::path("images") / fs::relative(rel, "original");
            }
            if (skip.count(r.string())) continue;
            if (it->is_directory())
                fs::create_directories(to / r);
            else
                fs::create_symlink(it->path(), to / r);
        }
    }
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        SingletonRegistry::resetAllForTests();
        // Class-wide scales the start-up sets; an earlier test in this process may have set them.
        GameObject::set_scale(0.0f);
        KZ_UIelement::set_Scale(0.0f);
        plat::testing::useOffscreen();
        plat::testing::useFakeClock();
        plat::testing::useSilentAudio();
        char tmpl[] = "/tmp/tarn-shell-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        oldCwd = fs::current_path();
        fs::current_path(root);
    }
    void TearDown() override {
        plat::testing::scriptRand(nullptr);
        SingletonRegistry::resetAllForTests();
        ResourceManager::setMacReleaseCompile(0);
        ResourceManager::_appPath.clear();
        GameObject::set_scale(1.0f);
        fs::current_path(oldCwd);
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // The game's start-up on the private tree. The start-up asks for the assets beside the
    // executable; once it has said so (step 4) the test points the registry at its own copy
    // instead, before the registry exists.
    void mirror(const std::set<std::string>& skip = {}) { mirrorAssets(TARN_ASSET_DIR, root / "assets", skip); }
    void startGame(const std::function<void(int)>& each = nullptr) {
        if (!fs::exists(root / "assets")) mirror();
        startUp([&](int step) {
            if (step == 4) {
                bundleFlagAtStep4 = ResourceManager::_macReleaseCompile;
                ResourceManager::setMacReleaseCompile(0);
                ResourceManager::_appPath.clear();
            }
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

    static std::shared_ptr<ScreenManager> sm() { return ScreenManager::GetInstance(); }
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
    void shot(const std::string& name) {
        fs::create_directories(TARN_TEST_OUT);
        plat::testing::saveCanvas(std::string(TARN_TEST_OUT) + "/shell_" + name + ".png");
    }

    fs::path root, oldCwd;
    int bundleFlagAtStep4 = -1;
};

}  // namespace shell_test
