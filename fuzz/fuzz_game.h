// The game brought up once per fuzz process, offscreen, through its real start-up, on a
// private copy of the asset tree whose data texts are real files (so a target can replace
// one) and whose image cache is the original pictures (draw scale 1).
//
// The asset tree is the built one: the environment's TARN_ASSET_DIR when set, else the one
// the build named. The fuzz build itself makes no asset tree.
#pragma once
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "screens/loadassets.h"
#include "platform/testing.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrelframework.h"

namespace fuzz_game {

namespace fs = std::filesystem;

inline fs::path& root() {
    static fs::path r;
    return r;
}

inline fs::path builtAssets() {
    if (const char* env = std::getenv("TARN_ASSET_DIR"); env && *env) return env;
#ifdef TARN_ASSET_DIR
    return TARN_ASSET_DIR;
#else
    return {};
#endif
}

// Copies text files and links everything else, folder by folder.
inline void mirror(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& e : fs::directory_iterator(from)) {
        const std::string name = e.path().filename().string();
        if (name == "images" || name == "images.part" || name == "images.old" || name == "settings.txt") continue;
        if (e.is_directory() && name != "original")
            mirror(e.path(), to / name);
        else if (e.path().extension() == ".txt")
            fs::copy_file(e.path(), to / name);
        else
            fs::create_symlink(fs::absolute(e.path()), to / name);
    }
}

// Starts the game the first time it is called.
inline void start() {
    if (!root().empty()) return;
    const fs::path built = builtAssets();
    if (built.empty() || !fs::is_directory(built / "original")) {
        std::fprintf(stderr, "fuzz: set TARN_ASSET_DIR to a built asset tree (build/bin/assets)\n");
        std::exit(2);
    }
    // Memory-backed when the system has it: targets rewrite a data file for every input.
    std::string tmpl = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/tarn-fuzz-XXXXXX");
    if (!mkdtemp(tmpl.data())) std::exit(2);
    root() = tmpl;
    mirror(built, root() / "assets");
    fs::create_directory_symlink(fs::absolute(built / "original"), root() / "assets" / "images");
    static const bool cleanup = std::atexit([] {
        std::error_code ec;
        fs::remove_all(root(), ec);
    }) == 0;
    (void)cleanup;

    plat::testing::useOffscreen();
    plat::testing::useFakeClock();
    plat::testing::useSilentAudio();
    // The registry is pointed at the private tree by an absolute path: the working
    // directory stays the fuzzer's, whose corpus paths are relative to it.
    startUp([](int step) {
        if (step == 4) {
            ResourceManager::setMacReleaseCompile(0);
            ResourceManager::_appPath = root().string() + "/";
        }
    });
}

inline void writeFile(const std::string& rel, const uint8_t* data, size_t size) {
    std::ofstream out(root() / "assets" / rel, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

inline void frames(int n) {
    for (int i = 0; i < n; ++i) vostrel->update();
}

}  // namespace fuzz_game
