// The game brought up once per fuzz process, offscreen, through its real start-up, on a
// sandbox of the asset tree (kit.h): its data texts are copies, so a target can replace one.
//
// The asset tree is the built one: the environment's TARN_ASSET_DIR when set, else the one
// the build named. The fuzz build itself makes no asset tree.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/kit.h"
#include "vostrel/vostrelframework.h"

namespace fuzz_game {

namespace fs = std::filesystem;

// The scratch folder, memory-backed when the system has it: targets rewrite a data file for
// every input. Removed when the process ends.
inline kit::Scratch& scratch() {
    static kit::Scratch s("fuzz", access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    return s;
}
inline const fs::path& root() { return scratch().path(); }

// Starts the game the first time it is called. The working directory stays the fuzzer's,
// whose corpus paths are relative to it: the start-up is given the sandbox's folder.
inline void start() {
    static bool started = false;
    if (started) return;
    started = true;
    if (!fs::is_directory(kit::builtAssets() / "original")) {
        std::fprintf(stderr, "fuzz: set TARN_ASSET_DIR to a built asset tree (build/bin/assets)\n");
        std::exit(2);
    }
    kit::sandboxAssets(root() / "assets");
    kit::startGame(root());
}

inline void writeFile(const std::string& rel, const uint8_t* data, size_t size) {
    std::ofstream out(root() / "assets" / rel, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

inline void frames(int n) {
    for (int i = 0; i < n; ++i) vostrel->update();
}

}  // namespace fuzz_game
