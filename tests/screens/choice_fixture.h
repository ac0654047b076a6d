// Offscreen set-up for the grid, airport choice, help, credits and terminal tests: a
// temporary working folder whose "assets" links to the built tree (images from "original",
// as a first start makes them), with data texts that a test may replace before boot().
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "game/traffic/gameobject.h"
#include "game/gameshell.h"
#include "screens/loadassets.h"
#include "platform/canvas.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_uielement.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/singleton.h"
#include "screens/screenshell.h"

namespace choice_test {

namespace fs = std::filesystem;

// The screen a running switch is heading for.
struct ScreenManagerPeek : ScreenManager {
    static ScreenPtr incoming(const ScreenManager& sm) { return static_cast<const ScreenManagerPeek&>(sm)._in; }
};
inline ScreenPtr incoming(const ScreenManager& sm) { return ScreenManagerPeek::incoming(sm); }

// Stands in for the menu: a plain screen to come from and go back to.
class PlainScreen : public inf_screenManager {
public:
    explicit PlainScreen(int id) { _id = id; }
    int onFadeInStart() override { ++fadeIns; return 0; }
    int fadeIns = 0;
};

class ChoiceFixture : public ::testing::Test {
protected:
    // The widgets' class-wide hover and focus outlive the screens that a reset forgets, and
    // a widget there still names its old screen as receiver.
    static void forgetWidgetState() {
        KZ_UIelement::_hoverElement = nullptr;
        KZ_UIelement::_focus = nullptr;
        KZ_UIelement::updateGlobal(0, 0, 0);
        KZ_UIelement::setButtonClicked(0);
        KZ_UIelement::setKeyPressed(0);
    }
    void SetUp() override {
        forgetWidgetState();
        SingletonRegistry::resetAllForTests();
        plat::testing::useOffscreen();
        plat::testing::useFakeClock();
        plat::testing::useSilentAudio();
        char tmpl[] = "/tmp/tarn-choice-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
        oldCwd = fs::current_path();
        fs::current_path(root);
        const fs::path real = TARN_ASSET_DIR;
        fs::create_directories(root / "assets");
        for (const char* dir : {"fonts", "audio", "original", "Stories"})
            fs::create_directory_symlink(real / dir, root / "assets" / dir);
        fs::create_directory_symlink(real / "original", root / "assets/images");
        for (const char* text : {"workload.txt", "airports.txt", "help.txt", "credits.txt", "nations.txt"})
            fs::copy_file(real / text, root / "assets" / text);
    }
    void TearDown() override {
        GameShell::install(nullptr);
        forgetWidgetState();
        SingletonRegistry::resetAllForTests();
        fs::current_path(oldCwd);
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // Replaces a data text; call before boot().
    void writeText(const std::string& name, const std::string& bytes) {
        std::ofstream(root / "assets" / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string realText(const std::string& name) {
        std::ifstream in(fs::path(TARN_ASSET_DIR) / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The window, the manager, every asset of the game under its key and the simulation's
    // links to the screens; then the stand-in menu is shown.
    void boot() {
        ASSERT_TRUE(plat::openWindow(800, 480, 30));
        ScreenManager::setDrawScale(1.0f);
        auto sm = ScreenManager::GetInstance();
        sm->init(800, 480, 30, KZ_systemUI2::GetInstance());
        GameObject::set_scale(1.0f);
        // The game's own asset list, and its links from the simulation to the screens.
        loadAssets();
        installScreenShell();
        auto res = ResourceManager::GetInstance();
        sm->initFont();
        plat::setImageFont(res->retrieveFont("normal"));
        plat::setColor(255, 255, 255);
        menu = std::make_shared<PlainScreen>(1);
        sm->switchTo(menu, 0, 0.0f);
        settle();
    }

    static std::shared_ptr<ScreenManager> sm() { return ScreenManager::GetInstance(); }
    // Runs frames until no fade is running.
    static void settle() {
        for (int i = 0; i < 60 && sm()->getPhase() != ScreenManager::NORMAL; ++i) sm()->Update();
        sm()->Update();
    }
    // Goes from the current screen to `screen` the way the menu does (history push).
    void open(const ScreenPtr& screen) {
        sm()->switchTo(screen, 1, 0.0f);
        settle();
    }
    static void click(Object& screen, const std::shared_ptr<Object>& button) {
        screen.SendMessage(KZ_event::Create(KZ_event::ONCLICK), button);
    }
    // Widgets in the registry that belong to screen `sid`.
    static int widgetsOf(int sid) {
        int n = 0;
        for (const auto& o : KZ_systemUI2::GetInstance()->items()) {
            auto w = std::dynamic_pointer_cast<KZ_UIelement>(o);
            if (w && w->getSID() == sid) ++n;
        }
        return n;
    }
    static uint32_t pixel(int x, int y) { return plat::canvas().pixels().readPixel(x, y); }
    static std::string savePng(const std::string& name) {
        fs::create_directories(TARN_TEST_OUT);
        const std::string out = std::string(TARN_TEST_OUT) + "/" + name + ".png";
        EXPECT_TRUE(plat::testing::saveCanvas(out)) << out;
        return out;
    }
    // Standard output written while fn runs.
    static std::string captureStdout(const std::function<void()>& fn) {
        testing::internal::CaptureStdout();
        fn();
        std::fflush(stdout);
        return testing::internal::GetCapturedStdout();
    }

    fs::path root, oldCwd;
    std::shared_ptr<PlainScreen> menu;
};

}  // namespace choice_test
