// The simulation started offscreen on the real asset tree: framework, the assets the
// simulation looks up, a scripted random source, a scenario that records what it hears
// and a play screen that runs the engine the way the game screen does.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameengine.h"
#include "game/gameshell.h"
#include "game/traffic/gameworld.h"
#include "game/display/renderer.h"
#include "game/airport/runway.h"
#include "platform/canvas.h"
#include "platform/testing.h"
#include "screens/loadassets.h"
#include "support/kit.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"
#include "vostrel/vostrelframework.h"

namespace simtest {

namespace fs = std::filesystem;

// Random draws served from a queue; an empty queue answers `fallback` clamped to the
// bounds. Every draw's bounds are recorded, so tests can pin the order of the draws.
struct ScriptedRand {
    std::deque<int> queue;
    int fallback = 0;
    std::vector<std::pair<int, int>> calls;

    void install() {
        plat::testing::scriptRand([this](int lo, int hi) {
            calls.emplace_back(lo, hi);
            int v = fallback;
            if (!queue.empty()) {
                v = queue.front();
                queue.pop_front();
            }
            return v;
        });
    }
    void push(std::initializer_list<int> values) { queue.insert(queue.end(), values); }
};

// Hears the engine and the fleet; each callback notes the landing count it saw.
class RecordingScenario : public Game_playManager {
public:
    int update() override { return _globalUpdate(); }
    int onAircraftLanded(const std::shared_ptr<Aircraft>& a) override {
        landed.push_back(a);
        landCountSeen.push_back(FleetManager::GetInstance()->getLandCount());
        if (onLanded) onLanded(a);
        return 0;
    }
    int onAircraftDrift(const std::shared_ptr<Aircraft>& a) override {
        drifted.push_back(a);
        if (onDrift) onDrift(a);
        return 0;
    }
    int onCollision(const std::shared_ptr<Aircraft>& a, const std::shared_ptr<Aircraft>& b) override {
        collisions.emplace_back(a, b);
        if (onCollide) onCollide(a, b);
        return 0;
    }

    std::vector<std::shared_ptr<Aircraft>> landed;
    std::vector<int> landCountSeen;
    std::vector<std::shared_ptr<Aircraft>> drifted;
    std::vector<std::pair<std::shared_ptr<Aircraft>, std::shared_ptr<Aircraft>>> collisions;
    std::function<void(const std::shared_ptr<Aircraft>&)> onLanded, onDrift;
    std::function<void(const std::shared_ptr<Aircraft>&, const std::shared_ptr<Aircraft>&)> onCollide;
};

// What the game screen does with the engine, and nothing more.
class PlayScreen : public inf_screenManager {
public:
    int update() override {
        auto engine = GameEngine::GetInstance();
        if (!engine->getPause()) {
            engine->update();
            GameWorld::GetInstance()->process();
        }
        return 0;
    }
    int render() override {
        GameEngine::GetInstance()->getRenderer()->update();
        return 0;
    }
    int onMouseMove(int x, int y) override { return GameEngine::GetInstance()->onMouseMove(x, y); }
    int onMouseDown(int x, int y) override { return GameEngine::GetInstance()->onMouseDown(x, y); }
    int onDragStart(int x, int y) override { return GameEngine::GetInstance()->onDragStart(x, y); }
    int onDrag(int x, int y) override { return GameEngine::GetInstance()->onDrag(x, y); }
    int onDragStop(int x, int y) override { return GameEngine::GetInstance()->onDragStop(x, y); }
};

// The framework on the offscreen canvas, in a scratch working folder holding a sandbox of
// the asset tree, with every asset of the game registered.
class SimEnv {
public:
    void start() {
        kit::offscreen();
        _scratch = std::make_unique<kit::Scratch>("sim");
        kit::sandboxAssets(*_scratch / "assets");
        _scratch->enter();
        VostrelFramework::GetInstance()->initApp(800, 480, 30, 0);
        loadAssets();
        plat::setImageFont(ResourceManager::GetInstance()->retrieveFont("normal"));
        rand.install();
        scenario = std::make_shared<RecordingScenario>();
        GameShell::get().setGameplayMan(scenario);
    }
    // The folder goes (also with the environment); the state goes between the cases.
    void stop() { _scratch.reset(); }

    // Plays of sounds whose file name holds `part`, since the last clearPlayLog.
    static int plays(const std::string& part) {
        int n = 0;
        for (const auto& p : plat::testing::playLog())
            if (p.path.find(part) != std::string::npos) ++n;
        return n;
    }

    // One presented frame with nothing shown: the screen manager's clock moves on.
    static void tick() { ScreenManager::GetInstance()->Update(); }

    ScriptedRand rand;
    std::shared_ptr<RecordingScenario> scenario;

private:
    std::unique_ptr<kit::Scratch> _scratch;
};

// The fixture of most simulation tests: the environment started for every case.
class SimTest : public ::testing::Test {
protected:
    void SetUp() override { env.start(); }
    SimEnv env;
};

// An aircraft put straight into the world: on screen (so it has radar contact) and
// flying a straight path from `at` towards `towards` at `speed`, or standing still.
inline std::shared_ptr<Aircraft> placeAircraft(int cls, Vector at, bool contact = true, float speed = 0.0f,
                                               Vector towards = Vector(400.0, 240.0)) {
    auto a = Aircraft::Create(cls, at);
    GameWorld::GetInstance()->addAircraft(a);
    if (speed > 0.0f) FleetManager::GetInstance()->moveAircraftTo(a, towards, speed);
    if (contact) a->_onRadarContact();
    return a;
}

// The two runways the engine tests draw to: heavy at (400, 300) heading 0 (threshold box
// x 385..415, y 135..231), light at (200, 300) heading 0 (box x 185..215, y 187..283).
inline void twoRunways() {
    auto airport = Airport::GetInstance();
    airport->_addRunway(Runway::Create(Vector(400.0, 300.0), 0, 330, Aircraft::HEAVY));
    airport->_addRunway(Runway::Create(Vector(200.0, 300.0), 0, 226, Aircraft::LIGHT));
}

}  // namespace simtest
