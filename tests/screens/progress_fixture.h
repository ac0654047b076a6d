// Shared set-up for the score board, progress file, intermission and story break tests:
// an offscreen window, silent audio and a temporary working folder whose "assets" links
// to the built asset tree (its images from "original", as the first start would make
// them), with a "settings.txt" of its own.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/canvas.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_uielement.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/singleton.h"

namespace progress_test {

namespace fs = std::filesystem;

// The screen a switch is heading for, read before any frame runs it.
struct ScreenManagerPeek : ScreenManager {
    static ScreenPtr incoming(const ScreenManager& sm) { return static_cast<const ScreenManagerPeek&>(sm)._in; }
};

// The widget system's hover and focus are class-wide and outlive a reset; a widget left in
// them would later tell a screen that no longer exists that it lost the focus.
inline void forgetWidgetFocus() {
    KZ_UIelement::_focus.reset();
    KZ_UIelement::_hoverElement.reset();
}

class ProgressFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SingletonRegistry::resetAllForTests();
        // The asset folders are relative to the working folder whatever an earlier test set.
        ResourceManager::setMacReleaseCompile(0);
        ResourceManager::_appPath.clear();
        plat::testing::useOffscreen();
        plat::testing::useFakeClock();
        plat::testing::useSilentAudio();
        plat::testing::clearPlayLog();
        char tmpl[] = "/tmp/tarn-progress-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        oldCwd = fs::current_path();
        fs::current_path(root);
        const fs::path real = TARN_ASSET_DIR;
        fs::create_directories(root / "assets");
        fs::create_directory_symlink(real / "original", root / "assets/images");
        fs::create_directory_symlink(real / "fonts", root / "assets/fonts");
        fs::create_directory_symlink(real / "audio", root / "assets/audio");
        fs::create_directory_symlink(real / "original", root / "assets/original");
        ASSERT_TRUE(plat::openWindow(800, 480, 30));
        ScreenManager::setDrawScale(1.0f);
        auto sm = ScreenManager::GetInstance();
        sm->init(800, 480, 30, KZ_systemUI2::GetInstance());
        auto res = ResourceManager::GetInstance();
        res->addFont("ConsolaMono.ttf", "normal", 12);
        res->addFont("ConsolaMono.ttf", "medium font", 16);
        res->addFont("ConsolaMono.ttf", "big font", 20);
        res->addImage("btn_play.png", "ok button", 0);
        res->addImage("btn_menu.png", "menu button", 0);
        res->addImage("screens/score_board/btn_reset.png", "reset button", 0);
        res->addImage("screens/story_break/phase_on.png", "phase on icon", 0);
        res->addImage("screens/story_break/phase_off.png", "phase off icon", 0);
        res->addSound("reward.wav", "reward sound", 0);
        plat::setImageFont(res->retrieveFont("normal"));
        plat::setColor(255, 255, 255);
    }
    void TearDown() override {
        forgetWidgetFocus();
        SingletonRegistry::resetAllForTests();
        fs::current_path(oldCwd);
        fs::remove_all(root);
    }

    fs::path settingsPath() const { return root / "assets/settings.txt"; }
    void writeSettings(const std::string& bytes) const { std::ofstream(settingsPath(), std::ios::binary) << bytes; }
    std::string readSettings() const {
        std::ifstream in(settingsPath(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    static void click(Object& screen, const std::shared_ptr<Object>& button) {
        screen.SendMessage(KZ_event::Create(KZ_event::ONCLICK), button);
    }
    static uint32_t pixel(int x, int y) { return plat::canvas().pixels().readPixel(x, y); }
    // Saves the canvas under the test output folder; the path for the failure message.
    static std::string savePng(const std::string& name) {
        const std::string out = std::string(TARN_TEST_OUT) + "/" + name + ".png";
        EXPECT_TRUE(plat::testing::saveCanvas(out)) << out;
        return out;
    }

    fs::path root, oldCwd;
};

}  // namespace progress_test
