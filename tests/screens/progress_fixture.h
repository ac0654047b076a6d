// Shared set-up for the score board, progress file, intermission and story break tests: an
// offscreen window and the screen manager with every asset of the game, in a scratch working
// folder holding a sandbox of the asset tree, with a "settings.txt" of its own.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/kit_test.h"

namespace progress_test {

namespace fs = std::filesystem;

using kit::ScreenManagerPeek;

class ProgressFixture : public kit::ScreenTest {
protected:
    void SetUp() override {
        kit::sandboxAssets(root / "assets");
        kit::openScreens();
    }

    fs::path settingsPath() const { return root / "assets/settings.txt"; }
    void writeSettings(const std::string& bytes) const { std::ofstream(settingsPath(), std::ios::binary) << bytes; }
    std::string readSettings() const {
        std::ifstream in(settingsPath(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    kit::Scratch scratch{"progress"};
    const fs::path root = scratch.enter();
};

}  // namespace progress_test
