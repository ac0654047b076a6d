// One drag frame of the engine with a long drawn path: the mouse moves, the end of the
// path follows the cursor (the whole curve is resampled), the aircraft takes the new
// samples, the rest test runs, and the aircraft flies one step. Reported in microseconds
// per frame; a frame has 33 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "game/traffic/aircraft.h"
#include "game/gameengine.h"
#include "game/traffic/gameworld.h"
#include "platform/testing.h"
#include "vostrel/screenmanager.h"
#include "vostrel/singleton.h"
#include "vostrel/vostrelframework.h"
#include "screens/loadassets.h"
#include "support/kit.h"

namespace fs = std::filesystem;

namespace {

// The framework offscreen, in a scratch working folder holding a sandbox of the asset tree
// (kit.h), with the game's assets registered.
struct Stage {
    kit::Scratch root{"bench"};

    Stage() {
        kit::forgetEverything();
        kit::offscreen();
        kit::sandboxAssets(root / "assets");
        root.enter();
        VostrelFramework::GetInstance()->initApp(800, 480, 30, 0);
        loadAssets();
    }
    ~Stage() { SingletonRegistry::resetAllForTests(); }
};

}  // namespace

static void BM_EngineDragFrame(benchmark::State& state) {
    Stage stage;
    const int beads = int(state.range(0));
    auto engine = GameEngine::GetInstance();
    auto a = Aircraft::Create(Aircraft::LIGHT, Vector(400.0, 240.0));
    GameWorld::GetInstance()->addAircraft(a);
    engine->onMouseDown(400, 240);
    engine->onDragStart(400, 240);
    // Rows of beads 40 pixels apart: every drag frame here lays one.
    for (int i = 1; i <= beads; ++i) {
        const int x = 60 + (i % 17) * 40, y = 40 + ((i / 17) * 40) % 400;
        engine->onMouseMove(x, y);
        engine->onDrag(x, y);
    }
    const int entries = int(engine->getTempPath()->getPointsArray().size());
    const Vector end = *engine->getTempPath()->getPointsArray().back();
    int step = 0;
    for (auto _ : state) {
        // Within the bead distance of the last bead: the end follows the cursor.
        const int x = int(end.x) + (step & 15), y = int(end.y) + ((step >> 4) & 7);
        ++step;
        engine->onMouseMove(x, y);
        engine->onDrag(x, y);
        a->update();
        benchmark::DoNotOptimize(a->GetPosition());
    }
    state.counters["control points"] = double(entries - 2);
    state.counters["curve samples"] = double(engine->getTempPath()->getCurvePoints()->size());
}
BENCHMARK(BM_EngineDragFrame)->Arg(50)->Arg(200)->Arg(500)->Unit(benchmark::kMicrosecond);
