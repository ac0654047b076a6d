// The whole game under measurement, offscreen, through its real start-up and frame:
// - BM_GameFrame: one game frame of a busy scene (20 aircraft of every kind circling, a
//   thunderstorm with its flash, the display, a path being dragged through the real input).
// - BM_GameFrameDrawOnly: the same scene's drawing alone (clear, the game screen's drawing,
//   the widgets, present), the simulation standing still. GameFrame / DrawOnly is what the
//   simulation adds to its own drawing.
// - BM_StartToFirstFrame: start-up to the first presented frame, image cache present.
// - BM_FirstStartBuildingCache: the same with no image cache, so the start builds it.
// - BM_ResidentAfterTenMinutes: 18000 frames of play in a fresh child process; its
//   resident memory at the end is the "rss_MB" counter.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/airport/airportitem.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameengine.h"
#include "game/traffic/gameobject.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "game/weather/weathercloud.h"
#include "game/weather/weathersystem.h"
#include "screens/constants.h"
#include "screens/loadassets.h"
#include "platform/canvas.h"
#include "platform/sys.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "screens/gamescreen.h"
#include "screens/menuscreen.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/singleton.h"
#include "vostrel/vostrelframework.h"
#include "support/kit.h"

namespace fs = std::filesystem;

namespace {

// A sandbox of the asset tree in a scratch folder (kit.h). With `cache` the image cache is
// taken from "original" (the same pictures at draw scale 1); without it the start builds one.
struct Tree {
    kit::Scratch root{"gamebench"};

    explicit Tree(bool cache) { kit::sandboxAssets(root / "assets", {.cache = cache}); }
    void dropCache() const {
        std::error_code ec;
        fs::remove_all(root / "assets" / "images", ec);
        fs::remove_all(root / "assets" / "images.part", ec);
    }
};

// Everything the process keeps between starts goes back to nothing.
void forgetGame() { kit::forgetEverything(); }
// The game's own start-up on the tree.
void startGame(const Tree& tree) { kit::startGame(tree.root); }

std::shared_ptr<ScreenManager> sm() { return ScreenManager::GetInstance(); }

bool until(const ScreenPtr& screen, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (sm()->getScreen() == screen && sm()->getPhase() == ScreenManager::NORMAL) return true;
        vostrel->update();
    }
    return false;
}

// A calm day on the first airport, as the grid and the airport choice set it up.
bool playCalmDay() {
    if (!until(MenuScreen::GetInstance(), 400)) return false;
    auto game = GameScreen::GetInstance();
    game->setGameplayMan(Game_playManager::loadScene(Constants::CALM_DAY));
    auto records = AirportItem::loadRecords(ResourceManager::GetInstance()->retrieveText("airport data"));
    Airport::GetInstance()->loadData(records[0]);
    sm()->switchTo(game, 1, 0.0f);
    return until(game, 400);
}

// The busy scene. Nineteen aircraft circle, each in a cell of a 5 x 4 grid over the screen,
// so they stay clear of one another's collision limits; the twentieth, in the free cell,
// follows a path the held mouse keeps drawing to and fro. Six storm clouds drift over them
// and the flash is lit again whenever it has burnt out.
class BusyScene {
public:
    static constexpr int CELL_W = 160, CELL_H = 120, RADIUS = 25;
    static constexpr int FREE_CELL = 17;  // bottom row, third from the left

    BusyScene() {
        auto world = GameWorld::GetInstance();
        FleetManager::GetInstance()->reset();
        // What kinds fly: light and heavy, geese, a visiting head of state, life flights and
        // a drone.
        struct Kind { int cls, payload; float speed; bool showPath; };
        const Kind kinds[19] = {
            {Aircraft::LIGHT, 0, 0.5f, true},  {Aircraft::HEAVY, 0, 0.8f, true},  {Aircraft::LIGHT, 0, 0.5f, false},
            {Aircraft::HEAVY, 0, 0.8f, false}, {Aircraft::BIRD, 0, 0.2f, false},  {Aircraft::LIGHT, Aircraft::LIFEGUARD, 0.6f, true},
            {Aircraft::HEAVY, 0, 0.8f, true},  {Aircraft::LIGHT, 0, 0.5f, false}, {Aircraft::HEAVY, Aircraft::HOS, 0.8f, false},
            {Aircraft::LIGHT, Aircraft::UAV, 1.0f, false}, {Aircraft::HEAVY, 0, 0.8f, false}, {Aircraft::LIGHT, 0, 0.5f, true},
            {Aircraft::BIRD, 0, 0.2f, false},  {Aircraft::HEAVY, 0, 0.8f, true},  {Aircraft::LIGHT, Aircraft::LIFEGUARD, 0.6f, false},
            {Aircraft::LIGHT, 0, 0.5f, false}, {Aircraft::HEAVY, 0, 0.8f, false}, {Aircraft::LIGHT, 0, 0.5f, true},
            {Aircraft::HEAVY, 0, 0.8f, false},
        };
        int k = 0;
        for (int cell = 0; cell < 20; ++cell) {
            if (cell == FREE_CELL) continue;
            const Kind& kind = kinds[k++];
            const Vector centre = cellCentre(cell);
            auto a = Aircraft::Create(kind.cls, centre.addScalarCopy(RADIUS, 0.0));
            if (kind.payload) a->setPayload(kind.payload);
            if (kind.payload == Aircraft::LIFEGUARD) a->setPayloadTimer(100000);
            a->setShowPath(kind.showPath ? 1 : 0);
            world->addAircraft(a);
            _circlers.push_back({a, centre, kind.speed, cell});
            circle(_circlers.back());
        }
        _dragged = Aircraft::Create(Aircraft::LIGHT, cellCentre(FREE_CELL));
        world->addAircraft(_dragged);
        _dragged->flyDirect(cellCentre(FREE_CELL).addScalarCopy(-20.0, 0.0), 0.5f);

        auto ws = WeatherSystem::GetInstance();
        ws->setCloudCover(WeatherSystem::CLOUD_THUNDER);
        // A full sky, so the generator adds no cloud of its own; defused, so the flash never
        // picks a cloud to strike from and the scene keeps its twenty aircraft.
        for (int i = 0; i < ws->getMaxCloudCount(); ++i) {
            auto c = WeatherCloud::Create(Vector(-150.0 + 110.0 * i, 40.0 + 60.0 * (i % 5)), Vector(0.3, 0.0),
                                          ws->getCloudImage(0));
            c->setStrikeTime(-1);
            world->addWeatherCloud(c);
        }
        ws->_syncCloudCount();
        ws->setGlobalLightning();
        const std::string warning = "Storm warning: thunder cells over the field";
        GameUI::GetInstance()->addText(sm()->textRightAlignX(warning), 0, warning, 100000);

        // The press on the free cell's aircraft; the drag starts in the next frame.
        const Vector p = _dragged->GetPosition();
        plat::testing::setMouse(int(p.x), int(p.y));
        plat::testing::setButton(true);
    }

    // Keeps the scene as it was built: circling paths renewed before they run out, the flash
    // relit, the held cursor moved on. Cheap, and run outside the timing.
    void tend() {
        for (Circler& c : _circlers)
            if (!c.a->isInvalid() && c.a->fromEndPoint() < 3) circle(c);
        auto ws = WeatherSystem::GetInstance();
        if (!ws->getGlobalLightning()) ws->setGlobalLightning();
        ++_step;
        // To and fro across the free cell, faster than the aircraft, which keeps following
        // the zigzag laid ahead of it and so stays in its cell.
        const Vector centre = cellCentre(FREE_CELL);
        plat::testing::setMouse(int(centre.x + 50.0 * std::sin(_step * 0.03)), int(centre.y + 10.0 * std::sin(_step * 0.011)));
    }

    // The scene is whole when no aircraft has left, collided or been struck.
    bool whole() const {
        auto& list = GameWorld::GetInstance()->getAircraftList();
        if (list.size() != 20) return why("aircraft count " + std::to_string(list.size()));
        for (const auto& a : list)
            if (a->isInvalid() || a->isExploding() || a->getPhase() == Aircraft::COLLISION)
                return why("aircraft at " + std::to_string(int(a->GetPosition().x)) + "," +
                           std::to_string(int(a->GetPosition().y)) + " class " + std::to_string(a->getClass()) +
                           " phase " + std::to_string(a->getPhase()));
        if (Game_playManager::getMissionStatus() != Game_playManager::ACTIVE) return why("mission not active");
        return true;
    }
    static bool why(const std::string& reason) {
        std::fprintf(stderr, "busy scene: %s\n", reason.c_str());
        return false;
    }
    int pathBeads() const {
        auto path = GameEngine::GetInstance()->getTempPath();
        return path ? int(path->getPointsArray().size()) : 0;
    }
    bool dragging() const { return GameEngine::GetInstance()->getSelectedAircraft() == _dragged; }

private:
    struct Circler {
        AircraftPtr a;
        Vector centre;
        float speed;
        int cell;
    };
    static Vector cellCentre(int cell) {
        return Vector(CELL_W / 2 + (cell % 5) * CELL_W, CELL_H / 2 + (cell / 5) * CELL_H);
    }
    // Three laps round the cell's centre from where the aircraft is.
    static void circle(Circler& c) {
        auto spline = std::make_shared<KZ_spline>();
        const Vector at = c.a->GetPosition();
        double start = std::atan2(at.y - c.centre.y, at.x - c.centre.x);
        const double dir = (c.cell % 2) ? 1.0 : -1.0;
        for (int i = 0; i <= 24; ++i) {
            const double t = start + dir * i * (M_PI / 4.0);
            spline->addPoint(makeVector(Vector(c.centre.x + RADIUS * std::cos(t), c.centre.y + RADIUS * std::sin(t))));
        }
        c.a->flyPath(spline, c.speed, 0);
    }

    std::vector<Circler> _circlers;
    AircraftPtr _dragged;
    long _step = 0;
};

// The game up to the busy scene, which has flown `settle` frames so the path is under way.
struct BusyGame {
    Tree tree{true};
    std::unique_ptr<BusyScene> scene;
    bool ok = false;

    explicit BusyGame(int settle) {
        forgetGame();
        startGame(tree);
        plat::seedRnd(20);
        if (!playCalmDay()) return;
        scene = std::make_unique<BusyScene>();
        for (int i = 0; i < settle; ++i) {
            vostrel->update();
            scene->tend();
        }
        ok = scene->whole() && scene->dragging();
    }
    ~BusyGame() {
        plat::testing::setButton(false);
        scene.reset();
        SingletonRegistry::resetAllForTests();
    }
};

constexpr int SETTLE_FRAMES = 150;
constexpr int MEASURED_FRAMES = 900;  // half a minute of play

void BM_GameFrame(benchmark::State& state) {
    BusyGame game(SETTLE_FRAMES);
    if (!game.ok) {
        state.SkipWithError("the busy scene could not be set up");
        return;
    }
    auto ws = WeatherSystem::GetInstance();
    long lit = 0;
    for (auto _ : state) {
        vostrel->update();
        state.PauseTiming();
        lit += ws->getGlobalLightning() && ws->getGlobalLightning()->isOn() ? 1 : 0;
        game.scene->tend();
        state.ResumeTiming();
    }
    state.counters["flash_lit_share"] = double(lit) / double(state.iterations());
    if (!game.scene->whole()) state.SkipWithError("an aircraft left the busy scene");
    if (!game.scene->dragging()) state.SkipWithError("the drag was lost");
    state.counters["aircraft"] = double(GameWorld::GetInstance()->getAircraftList().size());
    state.counters["path_beads"] = double(game.scene->pathBeads());
}
BENCHMARK(BM_GameFrame)->Iterations(MEASURED_FRAMES)->Repetitions(3)->Unit(benchmark::kMillisecond);

void BM_GameFrameDrawOnly(benchmark::State& state) {
    // The scene as it stands half-way through BM_GameFrame's frames (its drawn path grows).
    BusyGame game(SETTLE_FRAMES + MEASURED_FRAMES / 2);
    if (!game.ok) {
        state.SkipWithError("the busy scene could not be set up");
        return;
    }
    auto screen = GameScreen::GetInstance();
    auto ui = KZ_systemUI2::GetInstance();
    // The flash lights the screen on about every other frame of the game; here on exactly
    // every other frame. Until it is lit, the flash stays in the world and burns on.
    auto ws = WeatherSystem::GetInstance();
    for (int i = 0; i < 200 && !(ws->getGlobalLightning() && ws->getGlobalLightning()->isOn()); ++i) {
        if (!ws->getGlobalLightning()) ws->setGlobalLightning();
        ws->getGlobalLightning()->update();
    }
    GameObjectPtr flash = ws->getGlobalLightning();
    auto& list = GameWorld::GetInstance()->getWorldList();
    long frame = 0;
    for (auto _ : state) {
        if (flash && (frame++ & 1)) {
            state.PauseTiming();
            std::erase(list, flash);
            state.ResumeTiming();
        }
        plat::cls();
        screen->render();
        ui->render();
        plat::flip();
        state.PauseTiming();
        if (flash && std::find(list.begin(), list.end(), flash) == list.end()) list.push_back(flash);
        state.ResumeTiming();
    }
    // Lit on every other frame.
    state.counters["flash_lit_share"] = flash && ws->getGlobalLightning() && ws->getGlobalLightning()->isOn() ? 0.5 : 0.0;
    state.counters["path_beads"] = double(game.scene->pathBeads());
}
BENCHMARK(BM_GameFrameDrawOnly)->Iterations(MEASURED_FRAMES)->Repetitions(3)->Unit(benchmark::kMillisecond);

void BM_StartToFirstFrame(benchmark::State& state) {
    Tree tree(true);
    int presented = 0;
    for (auto _ : state) {
        state.PauseTiming();
        forgetGame();
        const int before = plat::presentedFrames();
        state.ResumeTiming();
        startGame(tree);
        vostrel->update();
        state.PauseTiming();
        presented = plat::presentedFrames() - before;
        SingletonRegistry::resetAllForTests();
        state.ResumeTiming();
    }
    if (presented != 1) state.SkipWithError("the start did not present exactly one frame");
}
BENCHMARK(BM_StartToFirstFrame)->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_FirstStartBuildingCache(benchmark::State& state) {
    Tree tree(false);
    size_t cached = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tree.dropCache();
        forgetGame();
        state.ResumeTiming();
        startGame(tree);
        vostrel->update();
        state.PauseTiming();
        cached = 0;
        for (auto it = fs::recursive_directory_iterator(tree.root / "assets" / "images");
             it != fs::recursive_directory_iterator(); ++it)
            cached += it->is_regular_file() ? 1 : 0;
        SingletonRegistry::resetAllForTests();
        state.ResumeTiming();
    }
    state.counters["cached_images"] = double(cached);
    if (cached == 0) state.SkipWithError("no image cache was built");
}
BENCHMARK(BM_FirstStartBuildingCache)->Iterations(3)->Unit(benchmark::kMillisecond);

// Kilobytes of a /proc/self/status field ("VmRSS", "VmHWM").
long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string want = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.rfind(want, 0) == 0) return std::atol(line.c_str() + want.size());
    return -1;
}

// A player who keeps the game going: now and then presses on an aircraft and drags a path
// in some direction for up to two seconds; starts a new calm day after each game over.
void playTenMinutes(const Tree& tree, int frames, long out[4]) {
    forgetGame();
    startGame(tree);
    plat::seedRnd(7);
    if (!playCalmDay()) return;
    auto game = GameScreen::GetInstance();
    uint32_t r = 12345;
    auto next = [&r](int n) {
        r = r * 1103515245u + 12345u;
        return int((r >> 8) % uint32_t(n));
    };
    int hold = 0;
    long inGame = 0, games = 1;
    double x = 400, y = 240, dx = 0, dy = 0;
    for (int f = 0; f < frames; ++f) {
        inGame += sm()->getScreen() == game ? 1 : 0;
        if (sm()->getScreen() != game && sm()->getPhase() == ScreenManager::NORMAL) {
            ++games;
            // The intermission or the menu after a game over: a new game.
            plat::testing::setButton(false);
            hold = 0;
            game->setGameplayMan(Game_playManager::loadScene(Constants::CALM_DAY));
            sm()->switchTo(game, 1, 0.0f);
        }
        if (hold > 0) {
            x = std::clamp(x + dx, 0.0, 799.0);
            y = std::clamp(y + dy, 0.0, 479.0);
            plat::testing::setMouse(int(x), int(y));
            if (--hold == 0) plat::testing::setButton(false);
        } else if (next(40) == 0) {
            auto& list = GameWorld::GetInstance()->getAircraftList();
            if (!list.empty()) {
                const Vector p = list[size_t(next(int(list.size())))]->GetPosition();
                x = p.x, y = p.y;
                const double a = next(360) * M_PI / 180.0;
                dx = 3.0 * std::cos(a), dy = 3.0 * std::sin(a);
                hold = 10 + next(50);
                plat::testing::setMouse(int(x), int(y));
                plat::testing::setButton(true);
            }
        }
        vostrel->update();
    }
    out[0] = statusKb("VmRSS");
    out[1] = statusKb("VmHWM");
    out[2] = inGame;
    out[3] = games;
}

void BM_ResidentAfterTenMinutes(benchmark::State& state) {
    constexpr int FRAMES = 18000;
    long kb[4] = {-1, -1, 0, 0};
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) break;
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            // What the benchmarks before this one freed goes back to the system first.
            SingletonRegistry::resetAllForTests();
            malloc_trim(0);
            long mine[4] = {-1, -1, 0, 0};
            {
                Tree tree(true);
                playTenMinutes(tree, FRAMES, mine);
            }
            if (write(fds[1], mine, sizeof mine) != ssize_t(sizeof mine)) _exit(2);
            _exit(0);
        }
        close(fds[1]);
        if (read(fds[0], kb, sizeof kb) != ssize_t(sizeof kb)) kb[0] = -1;
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    if (kb[0] < 0) {
        state.SkipWithError("the play did not finish");
        return;
    }
    state.counters["rss_MB"] = double(kb[0]) / 1024.0;
    state.counters["peak_rss_MB"] = double(kb[1]) / 1024.0;
    state.counters["frames"] = FRAMES;
    state.counters["frames_in_game"] = double(kb[2]);
    state.counters["games"] = double(kb[3]);
}
BENCHMARK(BM_ResidentAfterTenMinutes)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
