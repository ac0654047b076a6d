#include "game/gameengine.h"

#include <algorithm>
#include <cstddef>
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
    _airport->setFunds(Airport::STARTING_FUNDS);
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

GameEngine::SeparationVerdict GameEngine::separationVerdict(const std::vector<SeparationSubject>& subjects,
                                                            int spacingLimit, int collisionLimit, double drawScale) {
    SeparationVerdict verdict;
    for (size_t i = 0; i < subjects.size(); ++i) {
        const SeparationSubject& a = subjects[i];
        for (size_t j = 0; j < subjects.size(); ++j) {
            const SeparationSubject& b = subjects[j];
            if (i == j || !a.examined || !b.examined) continue;
            const double d2 = a.position.distanceSqrTo(b.position);
            const int bonus = (a.heavy ? 1 : 0) + (b.heavy ? 1 : 0);
            const int spacing = int(double(spacingLimit) + double(bonus) * 10.0 * drawScale);
            const int collide = int(double(collisionLimit) + double(bonus) * 10.0 * drawScale);
            // Two flocks (nothing solid) pass through each other like a pair far apart.
            if (d2 < double(spacing * spacing) && (a.solid || b.solid)) {
                verdict.close = SubjectPair{i, j};
                verdict.collide = d2 < double(collide * collide);
                return verdict;
            }
            verdict.cleared.push_back(SubjectPair{i, j});
        }
    }
    return verdict;
}

int GameEngine::_checkCollision() {
    const std::vector<AircraftPtr> aircraft = GameWorld::GetInstance()->getAircraftList();
    std::vector<SeparationSubject> subjects(aircraft.size());
    for (size_t i = 0; i < aircraft.size(); ++i) {
        const AircraftPtr& a = aircraft[i];
        if (!a || a->isInvalid()) continue;
        SeparationSubject& s = subjects[i];
        s.position = a->GetPosition();
        // An aircraft listed twice is one aircraft: its second entry could only pair it with
        // itself or repeat the pairs of its first.
        const bool repeated = std::find(aircraft.begin(), aircraft.begin() + std::ptrdiff_t(i), a) !=
                              aircraft.begin() + std::ptrdiff_t(i);
        s.examined = !repeated && examined(*a);
        s.heavy = a->getClass() == Aircraft::HEAVY;
        s.solid = a->isSolid() != 0;
    }
    const SeparationVerdict verdict =
        separationVerdict(subjects, _spacingLimit, _collisionLimit, ScreenManager::getDrawScale());

    for (const SubjectPair& pair : verdict.cleared) {
        aircraft[pair.first]->setWarning(0);
        aircraft[pair.second]->setWarning(0);
    }
    if (verdict.close) {
        const AircraftPtr& a = aircraft[verdict.close->first];
        const AircraftPtr& b = aircraft[verdict.close->second];
        a->setWarning(1);
        b->setWarning(1);
        if (verdict.collide) _collide(a, b);
    }

    const bool warning = verdict.close.has_value();
    if (warning && !_sirenOn)
        setSiren();
    else if (!warning && _sirenOn)
        clearSiren();
    return 0;
}

void GameEngine::_collide(const AircraftPtr& a, const AircraftPtr& b) {
    auto world = GameWorld::GetInstance();
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
