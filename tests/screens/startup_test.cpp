// The start-up: its order, the asset list, and the fatal end when an asset is missing.
#include "support/child_process.h"
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "game/traffic/fleetmanager.h"
#include "game/traffic/gameobject.h"
#include "platform/canvas.h"
#include "platform/window.h"
#include "screens/menuscreen.h"
#include "screens/splashscreen.h"
#include "screens/shell_fixture.h"
#include "vostrel/kz_uielement.h"

using namespace shell_test;

namespace {

// What each step must have done, and what must still wait for a later step.
TEST_F(ShellTest, StartUpRunsItsStepsInOrder) {
    const fs::path settings = root / "assets" / "settings.txt";
    auto res = [] { return ResourceManager::Exists() ? ResourceManager::GetInstance() : nullptr; };
    std::vector<int> seen;
    startGame([&](int step) {
        seen.push_back(step);
        SCOPED_TRACE("after step " + std::to_string(step));
        ASSERT_NE(vostrel, nullptr);
        EXPECT_EQ(vostrel->getVersion(), step >= 3 ? "1.51" : "");
        // The flag and the scale are in place before initApp creates the registry.
        EXPECT_EQ(ResourceManager::Exists(), step >= 6);
        EXPECT_EQ(vostrel->screen != nullptr, step >= 6);
        if (step == 5) { EXPECT_EQ(ScreenManager::getDrawScale(), 1.0f); }
        EXPECT_EQ(GameObject::get_scale() == 1.0f && KZ_UIelement::_scale == 1.0f, step >= 7);
        EXPECT_EQ(res() && res()->retrieveText("credits data").size() > 0, step >= 8);
        EXPECT_EQ(res() && res()->retrieveFont("normal") && plat::getImageFont() == res()->retrieveFont("normal"),
                  step >= 9);
        EXPECT_EQ(vostrel->screen && vostrel->screen->text_norm != nullptr, step >= 10);
        EXPECT_EQ(MenuScreen::Exists(), step >= 11);
        if (step == 11) { EXPECT_FALSE(SplashScreen::Exists()); }
        EXPECT_EQ(vostrel->screen && vostrel->screen->getScreen() == ScreenPtr(SplashScreen::Exists() ? SplashScreen::GetInstance() : nullptr) &&
                      vostrel->screen->getScreen() != nullptr,
                  step >= 12);
        EXPECT_EQ(fs::exists(settings), step >= 13);
    });
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
    EXPECT_EQ(bundleFlagAtStep4, 1);
    // Nothing is drawn before the frame loop; the splash fades in from black.
    EXPECT_EQ(sm()->getFrameCount(), 0);
    EXPECT_EQ(sm()->getPhase(), ScreenManager::FADE_IN);
    EXPECT_EQ(MenuScreen::GetInstance()->get_ctnScreen(), nullptr);
}

TEST_F(ShellTest, EveryAssetIsRegisteredUnderItsKeyAtItsSize) {
    startGame();
    auto res = ResourceManager::GetInstance();
    ASSERT_EQ(assetList().size(), 45u);
    std::set<std::string> keys;
    for (const AssetEntry& a : assetList()) {
        SCOPED_TRACE(a.key);
        keys.insert(a.key);
        switch (a.kind) {
            case AssetEntry::FONT: ASSERT_NE(res->retrieveFont(a.key), nullptr); break;
            case AssetEntry::SOUND: EXPECT_NE(res->retrieveSound(a.key), nullptr); break;
            case AssetEntry::TEXT: EXPECT_FALSE(res->retrieveText(a.key).empty()); break;
            case AssetEntry::IMAGE:
            case AssetEntry::SPRITE: {
                auto img = res->retrieveImage(a.key);
                ASSERT_NE(img, nullptr);
                if (a.kind == AssetEntry::SPRITE) {
                    EXPECT_EQ(img->width(), a.size);
                    EXPECT_EQ(img->height(), a.size);
                    EXPECT_EQ(img->frameCount(), a.frames);
                }
                break;
            }
        }
    }
    EXPECT_EQ(keys.size(), 45u) << "a key is registered twice";
    EXPECT_NE(res->retrieveImageFont("KZ_default"), nullptr);
}

// Every key the code looks up by a literal is registered, as the kind it is looked up as: an
// unregistered key, or one of another kind, would be a silent null or "" in play.
TEST_F(ShellTest, EveryKeyTheCodeLooksUpIsRegisteredAsItsKind) {
    constexpr int BITMAP_FONT = -1;  // "KZ_default", registered apart from the list
    std::map<std::string, int> registered{{"KZ_default", BITMAP_FONT}};
    for (const AssetEntry& a : assetList()) registered[a.key] = a.kind;
    // Every road from a key to the registry: the call, which of its arguments is the key (or
    // COMPARED: the text its result is compared with), and the kinds it finds. Keys in that
    // argument may be picked between (a ? "x" : "y").
    constexpr size_t COMPARED = ~size_t(0);
    struct Lookup {
        std::string call;
        size_t arg;
        std::set<int> kinds;
    };
    const Lookup lookups[] = {
        {"retrieveImage(", 0, {AssetEntry::IMAGE, AssetEntry::SPRITE}},
        {"_setPicture(", 0, {AssetEntry::IMAGE, AssetEntry::SPRITE}},
        {"retrieveFont(", 0, {AssetEntry::FONT}},
        {"retrieveImageFont(", 0, {BITMAP_FONT}},
        {"retrieveSound(", 0, {AssetEntry::SOUND}},
        {"playChannel(", 1, {AssetEntry::SOUND}},
        {"getNowPlaying(", COMPARED, {AssetEntry::SOUND}},
        {"retrieveText(", 0, {AssetEntry::TEXT}},
        {"TextPageScreen(Layout{", 1, {AssetEntry::TEXT}},
    };

    // The text with comments blanked out (line breaks kept), so only code is read.
    auto code = [](const std::string& text) {
        std::string out = text;
        for (size_t i = 0; i < out.size(); ++i) {
            if (out[i] == '"' || out[i] == '\'') {
                const char quote = out[i];
                for (++i; i < out.size() && out[i] != quote; ++i)
                    if (out[i] == '\\') ++i;
            } else if (out.compare(i, 2, "//") == 0) {
                for (; i < out.size() && out[i] != '\n'; ++i) out[i] = ' ';
            } else if (out.compare(i, 2, "/*") == 0) {
                for (; i < out.size() && out.compare(i, 2, "*/") != 0; ++i)
                    if (out[i] != '\n') out[i] = ' ';
                if (i < out.size()) out[i] = out[i + 1] = ' ';
            }
        }
        return out;
    };
    // The string literals of each argument of the call whose arguments begin at `from`, and
    // where the call ends.
    auto arguments = [](const std::string& text, size_t from, size_t& end) {
        std::vector<std::vector<std::string>> args(1);
        int depth = 0;
        for (end = from; end < text.size(); ++end) {
            const char c = text[end];
            if (c == '"') {
                std::string literal;
                for (++end; end < text.size() && text[end] != '"'; ++end) {
                    if (text[end] == '\\') ++end;
                    literal += text[end];
                }
                args.back().push_back(literal);
            } else if (c == '(' || c == '[' || c == '{') {
                ++depth;
            } else if (c == ')' || c == ']' || c == '}') {
                if (depth-- == 0) break;
            } else if (c == ',' && depth == 0) {
                args.emplace_back();
            }
        }
        return args;
    };

    std::set<std::string> found;
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(TARN_SOURCE_DIR) / "src")) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text = code(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        for (const Lookup& lookup : lookups) {
            for (size_t at = text.find(lookup.call); at != std::string::npos; at = text.find(lookup.call, at + 1)) {
                if (at > 0 && (std::isalnum(static_cast<unsigned char>(text[at - 1])) || text[at - 1] == '_')) continue;
                size_t end = 0;
                auto args = arguments(text, at + lookup.call.size(), end);
                std::vector<std::string> keys = lookup.arg < args.size() ? args[lookup.arg] : std::vector<std::string>{};
                std::smatch m;
                static const std::regex comparedWith(R"(^\)\s*[=!]=\s*"([^"]*)\")");
                const std::string after = text.substr(std::min(end, text.size()), 80);
                if (lookup.arg == COMPARED && std::regex_search(after, m, comparedWith)) keys = {m[1]};
                for (const std::string& key : keys) {
                    const auto line = 1 + std::count(text.begin(), text.begin() + std::ptrdiff_t(at), '\n');
                    const auto it = registered.find(key);
                    EXPECT_TRUE(it != registered.end() && lookup.kinds.count(it->second))
                        << entry.path().string() << ":" << line << ": the key \"" << key << "\" of " << lookup.call
                        << "...) is " << (it == registered.end() ? "not registered" : "registered as another kind");
                    found.insert(key);
                }
            }
        }
    }
    ASSERT_GT(files, 100u) << "the sources were not found under " << TARN_SOURCE_DIR;
    // Every registered key is looked up somewhere but four that the list keeps for their files.
    std::set<std::string> expected;
    for (const auto& [key, kind] : registered) expected.insert(key);
    for (const char* unused : {"help button", "right button", "left button", "giant font"}) expected.erase(unused);
    EXPECT_EQ(found.size(), 42u);
    EXPECT_EQ(found, expected);
}

struct Missing {
    std::set<std::string> skip;
    std::string emptied;  // a file left empty rather than missing
    std::string message;
};

// Runs the start-up in a child process on a tree with files missing; returns its exit
// status and what it printed.
std::pair<int, std::string> startInChild(ShellTest* t, const std::function<void()>& start) {
    (void)t;
    const ChildResult r = runInChild(start);  // a start-up that did not stop exits 0
    return {r.status, r.out};
}

TEST_F(ShellTest, AMissingOrEmptyAssetEndsTheStartUpWithItsMessage) {
    // The pictures loaded by path are named by their whole path, in the folder the start-up took.
    const std::string direct = "Direct Image " + root.string() + "/assets/images/";
    const Missing cases[] = {
        // Never shown by any screen, and still required. Gone from "original" too: a cache
        // that lacks a picture of "original" is rebuilt at the start.
        {{"images/btn_left.png", "original/btn_left.png"}, "", "Image btn_left.png could not be found or is damaged"},
        {{"images/aircraft/birds.png", "original/aircraft/birds.png"}, "",
         "Image aircraft/birds.png could not be found or is damaged"},
        {{"fonts/ConsolaMono.ttf"}, "", "Font ConsolaMono.ttf could not be found or is damaged"},
        {{"audio/danger.wav"}, "", "Audio danger.wav could not be found or is damaged"},
        {{}, "help.txt", "String help.txt could not be found or is damaged"},
        // The first failure stops the list: help.txt comes after nations.txt.
        {{"nations.txt", "help.txt"}, "", "String nations.txt could not be found or is damaged"},
        // Pictures loaded only when a screen or a game needs them stop the start, not the game
        // under way. An empty one in the cache is used as it is, like any cached picture.
        {{}, "images/intermission.jpg", direct + "intermission.jpg could not be found or is damaged"},
        {{}, "images/screens/workload/bgd.jpg",
         direct + "screens/workload/bgd.jpg could not be found or is damaged"},
        {{"images/airport/seaside.png", "original/airport/seaside.png"}, "",
         direct + "airport/seaside.png could not be found or is damaged"},
        {{"images/stories/forgotten_port/Mei_Tarsa.png", "original/stories/forgotten_port/Mei_Tarsa.png"}, "",
         direct + "stories/forgotten_port/Mei_Tarsa.png could not be found or is damaged"},
        // A nation of nations.txt without its flag.
        {{"images/flags/italy.png", "original/flags/italy.png"}, "",
         direct + "flags/italy.png could not be found or is damaged"},
    };
    for (const Missing& c : cases) {
        SCOPED_TRACE(c.message);
        fs::remove_all(root / "assets");
        mirror(c.skip);
        if (!c.emptied.empty()) {
            fs::remove(root / "assets" / c.emptied);
            std::ofstream(root / "assets" / c.emptied).flush();
        }
        auto [status, printed] = startInChild(this, [&] { startGame(); });
        EXPECT_NE(status, 0);
        EXPECT_EQ(printed, c.message + "\n");
    }
}

// The close request is tested before every frame; the framework then records a running game.
// A closed terminal (SIGHUP) closes the game as a request does, unless started under nohup.
TEST_F(ShellTest, ClosingRecordsAndSavesOnlyARunningGame) {
    enum How { REQUEST, HANGUP, HANGUP_UNDER_NOHUP };
    struct Case {
        const char* what;
        bool playing;
        How how;
        int lines;  // of settings.txt afterwards: "0" alone, or the three lines of a save
    };
    const Case cases[] = {
        {"on the splash", false, REQUEST, 1},
        {"playing", true, REQUEST, 3},
        {"playing, terminal closed", true, HANGUP, 3},
        {"playing under nohup, terminal closed", true, HANGUP_UNDER_NOHUP, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(root / "assets");
        mirror();
        auto [status, printed] = startInChild(this, [&] {
            if (c.how == HANGUP_UNDER_NOHUP) signal(SIGHUP, SIG_IGN);
            startGame();
            if (c.playing) {
                ASSERT_TRUE(until(MenuScreen::GetInstance(), 300));
                playScenario();
                FleetManager::GetInstance()->setLandCount(2);  // the board takes no empty result
            }
            const int before = sm()->getFrameCount();
            // Pending before the loop's first test: no frame runs.
            if (c.how == REQUEST) {
                plat::requestClose();
            } else {
                raise(SIGHUP);
                // Ignored, the hangup leaves the game running; the player closes it later.
                if (c.how == HANGUP_UNDER_NOHUP) {
                    if (plat::closeRequested()) _exit(4);
                    plat::requestClose();
                }
            }
            runFrameLoop();
            _exit(sm()->getFrameCount() == before ? 0 : 3);
        });
        EXPECT_EQ(status, 0) << printed;
        std::ifstream in(root / "assets" / "settings.txt", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        int lines = 1;
        for (char ch : text) lines += ch == '\n';
        if (!text.empty() && text.back() == '\n') --lines;
        EXPECT_EQ(lines, c.lines) << text;
        if (c.playing) { EXPECT_NE(text.find("calmday"), std::string::npos) << text; }
    }
}

}  // namespace
