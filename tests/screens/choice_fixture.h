// Offscreen set-up for the grid, airport choice, help, credits and terminal tests: a scratch
// working folder holding a sandbox of the asset tree, whose data texts a test may replace
// before boot().
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "screens/screenshell.h"
#include "support/kit_test.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_uielement.h"
#include "vostrel/screenmanager.h"

namespace choice_test {

namespace fs = std::filesystem;

using kit::incoming;

class ChoiceFixture : public kit::ScreenTest {
protected:
    void SetUp() override { kit::sandboxAssets(root / "assets"); }

    // Replaces a data text; call before boot().
    void writeText(const std::string& name, const std::string& bytes) {
        std::ofstream(root / "assets" / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string realText(const std::string& name) {
        std::ifstream in(kit::builtAssets() / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The window, the manager, every asset of the game under its key and the simulation's
    // links to the screens; then the stand-in menu is shown.
    void boot() {
        kit::openScreens();
        installScreenShell();
        sm()->initFont();
        menu = std::make_shared<kit::RecordingScreen>(1);
        sm()->switchTo(menu, 0, 0.0f);
        settle();
    }

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
    // Widgets in the registry that belong to screen `sid`.
    static int widgetsOf(int sid) {
        int n = 0;
        for (const auto& o : KZ_systemUI2::GetInstance()->items()) {
            auto w = std::dynamic_pointer_cast<KZ_UIelement>(o);
            if (w && w->getSID() == sid) ++n;
        }
        return n;
    }

    kit::Scratch scratch{"choice"};
    const fs::path root = scratch.enter();
    // Stands in for the menu: a plain screen to come from and go back to.
    std::shared_ptr<kit::RecordingScreen> menu;
};

}  // namespace choice_test
