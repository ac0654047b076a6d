#include "game/gameengine.h"

#include <vector>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/weather/cloudmanager.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/traffic/gameobject.h"
#include "game/gameshell.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "game/display/renderer.h"
#include "game/airport/runway.h"
#include "game/airport/runwaylights.h"
#include "game/weather/weathercloud.h"
#include "game/weather/weathersystem.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

GameEngine::GameEngine()
    : _fleet(FleetManager::GetInstance()),
      _airport(Airport::GetInstance()),
      _renderer(std::make_shared<Renderer>()),
      _gui(GameUI::GetInstance()),
      _cloudMan(CloudManager::GetInstance()) {
    const float s = GameObject::get_scale();
    _spacingLimit = int(40.0f * s);
    _collisionLimit = int(20.0f * s);
    _airport->setFunds(5000);
}

int GameEngine::start() { return clearPause(); }

int GameEngine::reset() {
    _clearCounter();
    clearPause();
    _sirenOn = 0;
    SoundManager::GetInstance()->endAllChannels();
    return 0;
}

int GameEngine::setPause() {
    _pause = 1;
    SoundManager::GetInstance()->mute();
    if (_sirenOn) clearSiren();
    return 0;
}

int GameEngine::clearPause() {
    _pause = 0;
    SoundManager::GetInstance()->unMute();
    return 0;
}

int GameEngine::setSiren() {
    SoundManager::GetInstance()->playChannel(3, "danger sound");
    _sirenOn = 1;
    return 0;
}

int GameEngine::clearSiren() {
    SoundManager::GetInstance()->endChannel(3);
    _sirenOn = 0;
    return 0;
}

int GameEngine::onMouseMove(int x, int y) {
    (void)x;
    (void)y;
    _mouseLastMoved = _counter;
    return 0;
}

void GameEngine::_dropLostSelection() {
    if (!_selectedAircraft) return;
    const AircraftPtr& a = _selectedAircraft;
    if (a->isInvalid() || !a->GetUserControlled() || a->getPhase() == Aircraft::COLLISION ||
        a->getPhase() == Aircraft::ENGINE_FAILURE || a->getPhase() >= Aircraft::ONFINAL)
        _selectedAircraft = nullptr;
}

int GameEngine::onMouseDown(int x, int y) {
    // A press straight after the release that ended a drag comes without that drag's
    // stop: put its runway lights out here, and let this press begin a path of its own.
    if (_dragOpen) {
        _airport->clearRunwaysLights();
        _dragOpen = 0;
    }
    _pathStarted = 0;

    const AircraftPtr previous = _selectedAircraft;
    _selectedAircraft = _fleet->getAircraftAt(x, y, 0);
    if (_selectedAircraft && _selectedAircraft->getPhase() >= Aircraft::ONFINAL) _selectedAircraft = nullptr;
    // A plain click selects without a drag, so no drag stop puts its lights out: dropping
    // that selection does. The same aircraft picked again keeps its sweep running.
    if (previous && previous != _selectedAircraft) _airport->clearRunwaysLights();
    if (_selectedAircraft) _airport->hilightRunway(_selectedAircraft);

    // Slow-down points, whatever was selected: one point of one heavy aircraft per press.
    const Vector p{double(x), double(y)};
    const std::vector<AircraftPtr> aircraft = GameWorld::GetInstance()->getAircraftList();
    for (const AircraftPtr& a : aircraft) {
        if (!a || a->getClass() != Aircraft::HEAVY) continue;
        const KZ_splinePtr& path = a->getSplinePath();
        if (!path) continue;
        const int k = path->getHandleIndex(p);
        if (k < 0) continue;
        path->setPointAuxData(k, path->getPointAuxData(k) == 0.0f ? 0.5f : 0.0f);
        break;
    }
    return 0;
}

int GameEngine::onDragStart(int x, int y) {
    _dropLostSelection();
    if (!_selectedAircraft) return 0;
    const AircraftPtr a = _selectedAircraft;
    const Vector pos = a->GetPosition();
    const Vector cursor{double(x), double(y)};
    // A start right on the aircraft has no direction: normalise leaves the zero vector,
    // so the second point is the cursor itself.
    Vector d = cursor.SubtractCopy(pos);
    d.normalise();
    d.MultiplyScalar(5.0);

    _tempPath = std::make_shared<KZ_spline>();
    _tempPath->addPoint(makeVector(pos));
    _tempPath->addPoint(makeVector(cursor.AddCopy(d)));
    a->flyPath(_tempPath, a->GetSpeed(), 1);
    a->setShowPath(1);
    _tempPath->setLine_width(4.0f * ScreenManager::getDrawScale());
    _tempPath->setDspColor(GameUI::r, GameUI::g, GameUI::b);
    _pathStarted = 1;
    _dragOpen = 1;
    return 0;
}

int GameEngine::onDrag(int x, int y) {
    _dropLostSelection();
    if (!_selectedAircraft) return 0;
    if (!_pathStarted || !_tempPath) {
        // This press had no drag start (it came right after a release): its first drag
        // frame begins the path, rather than growing the last aircraft's.
        return onDragStart(x, y);
    }
    const AircraftPtr a = _selectedAircraft;
    a->setPhase(Aircraft::INFLIGHT);

    const Vector p{double(x), double(y)};
    if (!_prePoint) _prePoint = makeVector(p);
    if (p.distanceSqrTo(*_prePoint) > double(_beadSeparation * _beadSeparation)) {
        _tempPath->addPoint(makeVector(p));
        _prePoint = makeVector(p);
    } else {
        // Between beads the end of the path follows the cursor, in this very frame.
        _tempPath->movePoint(int(_tempPath->getPointsArray().size()) - 1, x, y);
    }
    a->continuePath(_tempPath, 1);

    if (_pause || _counter - _mouseLastMoved <= REST_FRAMES) return 0;
    RunwayPtr runway = _airport->pathOnFinal(a->getSplinePath());
    if (!runway || runway->getClass() != a->getClass()) return 0;
    runway->setPathForFinal(a);
    a->setPhase(Aircraft::APPROACH);
    if (const RunwayLightsPtr& lights = runway->getRuwayLights()) {
        lights->setColorGreen();
        lights->on();
    }
    _tempPath->setLine_width(1.0f);
    _selectedAircraft = nullptr;
    SoundManager::GetInstance()->playChannel(2, "path ok");
    return 0;
}

int GameEngine::onDragStop(int x, int y) {
    (void)x;
    (void)y;
    _airport->clearRunwaysLights();
    _dragOpen = 0;
    return 0;
}

int GameEngine::update() {
    if (_pause) return 0;
    _counter += 1;
    _airport->update();
    _fleet->update();
    _checkCollision();
    _checkWeather();
    _cloudMan->update();
    _gui->setLanded(_fleet->getLandCount());
    return 0;
}

int GameEngine::_checkWeather() {
    WeatherCloudPtr cloud = WeatherSystem::GetInstance()->getActiveCloud();
    if (!cloud) return 0;
    const std::vector<AircraftPtr> aircraft = GameWorld::GetInstance()->getAircraftList();
    for (const AircraftPtr& a : aircraft) {
        if (!a || a->isInvalid()) continue;
        const int phase = a->getPhase();
        if (!cloud->isInStrikeZone(a->GetPosition())) continue;
        if (phase != Aircraft::INFLIGHT && phase != Aircraft::APPROACH) continue;
        if (!a->GetUserControlled()) continue;
        a->setHoldOnExplosion(1);
        a->explode();
        a->engineFailure();
    }
    return 0;
}

namespace {

bool examined(const Aircraft& a) {
    const int phase = a.getPhase();
    return a.getRadarContact() > Aircraft::AIRSPACE_OUTSIDE && phase != Aircraft::COLLISION &&
           phase <= Aircraft::APPROACH;
}

}  // namespace

int GameEngine::_checkCollision() {
    const double ds = ScreenManager::getDrawScale();
    int warning = 0;
    int stop = 0;
    auto world = GameWorld::GetInstance();
    const std::vector<AircraftPtr> aircraft = world->getAircraftList();
    for (size_t i = 0; i < aircraft.size() && !stop; ++i) {
        const AircraftPtr& a = aircraft[i];
        for (size_t j = 0; j < aircraft.size() && !stop; ++j) {
            const AircraftPtr& b = aircraft[j];
            if (!a || !b || a == b || a->isInvalid() || b->isInvalid()) continue;
            if (!examined(*a) || !examined(*b)) continue;
            const double d2 = a->GetPosition().distanceSqrTo(b->GetPosition());
            const int bonus = (a->getClass() == Aircraft::HEAVY ? 1 : 0) + (b->getClass() == Aircraft::HEAVY ? 1 : 0);
            const int spacing = int(double(_spacingLimit) + double(bonus) * 10.0 * ds);
            const int collide = int(double(_collisionLimit) + double(bonus) * 10.0 * ds);
            if (d2 < double(spacing * spacing) && (a->isSolid() || b->isSolid())) {
                a->setWarning(1);
                b->setWarning(1);
                warning = 1;
                if (d2 < double(collide * collide)) {
                    const bool birdStrike = (a->getClass() == Aircraft::BIRD) != (b->getClass() == Aircraft::BIRD);
                    for (const AircraftPtr& c : {a, b}) {
                        if (c->getClass() == Aircraft::BIRD) {
                            world->removeAircraft(c);
                        } else {
                            c->setHoldOnExplosion(birdStrike ? 1 : 0);
                            c->explode();
                            if (birdStrike) c->engineFailure();
                        }
                    }
                    SoundManager::GetInstance()->playChannel(2, "explosion sound");
                    if (auto pm = GameShell::get().getGameplayMan()) pm->onCollision(a, b);
                }
                stop = 1;
            } else {
                a->setWarning(0);
                b->setWarning(0);
            }
        }
    }
    if (warning && !_sirenOn)
        setSiren();
    else if (!warning && _sirenOn)
        clearSiren();
    return 0;
}
