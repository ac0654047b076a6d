// The harness kit: what the tests, the benchmarks, the fuzz targets and the soak all need to
// run the game outside a player's folder.
// - Scratch: a fresh folder, removed with everything in it when it goes.
// - sandboxAssets: the built asset tree mirrored into a scratch folder, safe to change.
// - forgetEverything: the process as fresh as a new one, between cases and starts.
// - offscreen: the platform's offscreen canvas, fake clock and silent audio.
// - startGame: the game's own start-up on a sandbox, as the executable starts it.
// - registerAssets: some entries of the game's own asset list, by key.
// No GoogleTest in here; the tests' own helpers are in kit_test.h.
#pragma once
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>

#include "platform/testing.h"
#include "screens/loadassets.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/singleton.h"

namespace kit {

namespace fs = std::filesystem;

// The built asset tree: TARN_ASSET_DIR from the environment when set (the fuzz build makes
// none of its own), else the one the build named.
inline fs::path builtAssets() {
    if (const char* env = std::getenv("TARN_ASSET_DIR"); env && *env) return env;
#ifdef TARN_ASSET_DIR
    return TARN_ASSET_DIR;
#else
    return {};
#endif
}

// A fresh folder named after `tag` under `base`; `enter()` makes it the working folder
// until the scratch goes. Removed whole, also after a case took its write bits.
class Scratch {
public:
    explicit Scratch(const std::string& tag, const fs::path& base = "/tmp") {
        std::string tmpl = (base / ("tarn-" + tag + "-XXXXXX")).string();
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("no scratch folder under " + base.string());
        _path = tmpl;
    }
    ~Scratch() {
        std::error_code ec;
        if (!_oldCwd.empty()) fs::current_path(_oldCwd, ec);
        ::chmod(_path.c_str(), 0755);
        fs::remove_all(_path, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const Scratch& enter() {
        if (_oldCwd.empty()) _oldCwd = fs::current_path();
        fs::current_path(_path);
        return *this;
    }
    const fs::path& path() const { return _path; }
    operator const fs::path&() const { return _path; }
    fs::path operator/(const fs::path& rel) const { return _path / rel; }
    std::string string() const { return _path.string(); }

private:
    fs::path _path;
    fs::path _oldCwd;
};

struct Sandbox {
    // The image cache taken from "original" (the same pictures at draw scale 1, so nothing
    // waits for a cache to be built); without it, the start builds one.
    bool cache = true;
    // Paths relative to the tree left out ("images/..." names a picture of the cache).
    std::set<std::string> skip = {};
    // The tree mirrored; the built one when empty.
    fs::path from = {};
};

// Mirrors an asset tree (the built one) into `to`, file by file: the data texts (*.txt) copied, so a
// case may rewrite one, every other file linked. The player's own files stay out: the
// progress file, the image cache and what its builds leave beside it ("images.part-...").
inline void sandboxAssets(const fs::path& to, const Sandbox& how = {}) {
    const fs::path from = how.from.empty() ? builtAssets() : how.from;
    if (!fs::is_directory(from / "original")) throw std::runtime_error("no built asset tree at " + from.string());
    fs::create_directories(to);
    auto put = [&](const fs::path& file, const fs::path& rel) {
        if (how.skip.count(rel.string())) return;
        fs::create_directories((to / rel).parent_path());
        if (file.extension() == ".txt")
            fs::copy_file(file, to / rel);
        else
            fs::create_symlink(fs::absolute(file), to / rel);
    };
    for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path rel = fs::relative(it->path(), from);
        const std::string top = rel.begin()->string();
        if (top.rfind("images", 0) == 0 || rel == "settings.txt") {
            if (it->is_directory()) it.disable_recursion_pending();
            continue;
        }
        if (it->is_directory()) continue;
        put(it->path(), rel);
        if (how.cache && top == "original") put(it->path(), "images" / fs::relative(rel, "original"));
    }
}

// Everything a process keeps between two starts of the game forgotten, as a fresh process
// has it: the singletons and the class-wide state first (they stop their sounds), then the
// platform. Around every test case, and between the benchmarks' starts.
inline void forgetEverything() {
    SingletonRegistry::resetAllForTests();
    plat::testing::resetAll();
}

// The platform as the harnesses run the game: an offscreen canvas, a fake clock that only
// moves when told, and a silent audio sink that records each play.
inline void offscreen() {
    plat::testing::useOffscreen();
    plat::testing::useFakeClock();
    plat::testing::useSilentAudio();
}

// The game's own start-up, offscreen, on the assets of `appFolder`/assets.
inline int startGame(const fs::path& appFolder, const std::function<void(int step)>& afterStep = nullptr) {
    offscreen();
    return startUp(appFolder.string(), afterStep);
}

// Registers the entries of the game's asset list named by `keys`, as loadAssets does, for a
// case whose own small tree holds those files only.
inline void registerAssets(std::initializer_list<std::string> keys) {
    auto res = ResourceManager::GetInstance();
    for (const std::string& key : keys)
        for (const AssetEntry& a : assetList()) {
            if (a.key != key) continue;
            switch (a.kind) {
                case AssetEntry::FONT: res->addFont(a.file, a.key, a.size); break;
                case AssetEntry::IMAGE: res->addImage(a.file, a.key, a.flag); break;
                case AssetEntry::SPRITE: res->addSprite(a.file, a.key, a.size, a.size, a.frames, a.flag); break;
                case AssetEntry::SOUND: res->addSound(a.file, a.key, a.flag); break;
                case AssetEntry::TEXT: res->addText(a.file, a.key); break;
            }
        }
}

}  // namespace kit
