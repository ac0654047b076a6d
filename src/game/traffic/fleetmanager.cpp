#include "game/traffic/fleetmanager.h"

#include <algorithm>
#include <climits>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameshell.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "game/traffic/nationitem.h"
#include "imports/basicfunctions.h"
#include "game/airport/runway.h"
#include "platform/canvas.h"
#include "platform/sys.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

namespace {

int frameNow() { return ScreenManager::GetInstance()->getFrameCount(); }

// A regular arrival, once the spacing since the last one has passed.
constexpr Chance REGULAR_ARRIVAL_CHANCE{50, 30};

}  // namespace

FleetManager::FleetManager() { init(); }

int FleetManager::init() {
    _laneArray.assign(size_t(360 / _headingSpacing), 0.0f);
    _blockInavalidLanes();
    return 0;
}

int FleetManager::reset() {
    _landCount = 0;
    GameWorld::GetInstance()->removeAllAircrafts();
    init();
    _medicalBeatActive = 0;
    // A flat line of the last game must not be read as the first of the next.
    _patientDeath = 0;
    _flatline = 0;
    _beatTimer = 0;
    if (_HOSAircraft && _HOSAircraft->isInvalid()) _HOSAircraft = nullptr;
    return 0;
}

int FleetManager::_addLandCount() {
    // The total is restored from the progress file, which may hold the top of int.
    if (_landCount < INT_MAX) ++_landCount;
    if (_totalLandCount < INT_MAX) ++_totalLandCount;
    return 0;
}

int FleetManager::payloadTime() const {
    int best = NO_PAYLOAD_TIME;
    for (const AircraftPtr& a : GameWorld::GetInstance()->getAircraftList()) {
        if (!a || a->getPayload() != Aircraft::LIFEGUARD) continue;
        const int t = a->getPayloadTimer();
        if (t > 0 && t < best) best = t;
    }
    return best;
}

int FleetManager::getFlatLine() {
    const int death = _patientDeath;
    _patientDeath = 0;
    return death;
}

int FleetManager::_updateMedicalBeat() {
    const int t = payloadTime();
    _flatline -= 1;
    if (t < 30 && _flatline <= 0) {
        _patientDeath = 1;
        _flatline = 150;
    }
    if (t < NO_PAYLOAD_TIME) {
        _beatDelay = t / 20;
        if (_beatDelay > 0 && _flatline <= 0) {
            _beatTimer -= 1;
            if (_beatTimer <= 0) {
                _beatTimer = _beatDelay + 10;
                SoundManager::GetInstance()->playChannel(4, "heartbeat sound");
            }
        }
    }
    return 0;
}

int FleetManager::removeAircraftType(int cls) {
    auto world = GameWorld::GetInstance();
    // A copy: removing from the list being walked would skip the aircraft after each one.
    const std::vector<AircraftPtr> snapshot = world->getAircraftList();
    for (const AircraftPtr& a : snapshot)
        if (a && !a->isInvalid() && a->getClass() == cls) world->removeAircraft(a);
    return 0;
}

int FleetManager::update() {
    auto world = GameWorld::GetInstance();
    auto airport = Airport::GetInstance();
    const int now = frameNow();

    if (_HOSAircraft && _HOSAircraft->isInvalid()) _HOSAircraft = nullptr;
    _sendArrivals(int(world->getAircraftList().size()), now);

    // The scenario's callbacks may remove any aircraft (the story removes them all to
    // restart a phase), and an explosion removes its aircraft inside its own update: walk
    // a copy and pass over whatever has left the world.
    const std::vector<AircraftPtr> snapshot = world->getAircraftList();
    for (const AircraftPtr& a : snapshot)
        if (a && !a->isInvalid()) _updateAircraft(a, *world, *airport);

    if (_medicalBeatActive == 1) _updateMedicalBeat();
    return 0;
}

void FleetManager::_sendArrivals(int n, int now) {
    if (n == 0) {
        addLandingAircraft(1);
        _latestFlightTime = now;
    }
    // Drawn every frame, before the spawn draw: scripted sequences depend on the order.
    const int lane = getFreeLane();
    if (n < MAX_AIRCRAFT && REGULAR_ARRIVAL_CHANCE.draw() && lane >= 0 &&
        now - _latestFlightTime > _minTimeSeperation - std::min(100, _landCount)) {
        addLandingAircraft(lane);
        _latestFlightTime = now;
    }
}

void FleetManager::_updateAircraft(const AircraftPtr& a, GameWorld& world, Airport& airport) {
    a->update();
    if (a->isInvalid()) return;
    if (a->getPhase() == Aircraft::APPROACH && a->fromEndPoint() == 0 && airport.inThreshold(a->GetPosition()))
        a->setPhase(Aircraft::ONFINAL);
    if (a->getRadarContact() > 0 && world.isOutsideWorld(a->GetPosition())) {
        if (auto pm = GameShell::get().getGameplayMan()) pm->onAircraftDrift(a);
        if (!a->isInvalid()) world.removeAircraft(a);
        return;
    }
    if (!a->isActive()) {
        auto pm = GameShell::get().getGameplayMan();
        // A lost game's score is already on the board; the game screen runs on while it
        // fades out, and a touchdown then would make the intermission claim one more.
        if (a->getPhase() == Aircraft::TOUCHDOWN && !(pm && pm->isGameOver())) {
            // Counted first, so the scenario already sees the new count.
            _addLandCount();
            if (pm) pm->onAircraftLanded(a);
        }
        if (!a->isInvalid()) world.removeAircraft(a);
    }
}

Vector FleetManager::screenCentre() const {
    auto sm = ScreenManager::GetInstance();
    return Vector(double(sm->getWidth() / 2), double(sm->getHeight() / 2));
}

Vector FleetManager::laneStart(int lane) const {
    const double w = double(ScreenManager::GetInstance()->getWidth());
    Vector r(0.0, w / 1.5);
    r.rotate(float(lane * _headingSpacing));
    return screenCentre().AddCopy(r);
}

FleetManager::AircraftPtr FleetManager::_spawn(int cls, int lane, int payload) {
    if (!_validLane(lane)) return nullptr;
    AircraftPtr a = Aircraft::Create(cls, laneStart(lane));
    // Life flights and drones carry their payload (picture, properties) before they
    // enter the world.
    if (payload != 0) a->setPayload(payload);
    if (payload == Aircraft::LIFEGUARD) a->setPayloadTimer(1900);
    GameWorld::GetInstance()->addAircraft(a);
    a->setHeadingIndex(lane);
    _laneArray[size_t(lane)] = 1.0f;
    return a;
}

FleetManager::AircraftPtr FleetManager::addLandingAircraft(int lane) {
    if (!_validLane(lane)) return nullptr;
    const int cls = plat::Rand(0, 1);
    AircraftPtr a = _spawn(cls, lane, 0);
    const float ds = ScreenManager::getDrawScale();
    moveAircraftTo(a, screenCentre(), cls == Aircraft::HEAVY ? 0.8f * ds : 0.5f * ds);
    return a;
}

FleetManager::AircraftPtr FleetManager::addLifeFlight(int lane) {
    AircraftPtr a = _spawn(Aircraft::LIGHT, lane, Aircraft::LIFEGUARD);
    if (a) moveAircraftTo(a, screenCentre(), 0.6f * ScreenManager::getDrawScale());
    return a;
}

FleetManager::AircraftPtr FleetManager::addUAVFlight(int lane) {
    AircraftPtr a = _spawn(Aircraft::LIGHT, lane, Aircraft::UAV);
    if (a) moveAircraftTo(a, screenCentre(), 1.0f * ScreenManager::getDrawScale());
    return a;
}

int FleetManager::addBirdFlock(int lane) {
    AircraftPtr a = _spawn(Aircraft::BIRD, lane, 0);
    if (a) a->flyDirect(screenCentre(), 0.2f * ScreenManager::getDrawScale());
    return 0;
}

FleetManager::AircraftPtr FleetManager::addHeadOfState(const NationItemPtr& nation, int lane, int loops) {
    if (!_validLane(lane)) return nullptr;
    _nation = nation;
    AircraftPtr a = Aircraft::Create(Aircraft::HEAVY, laneStart(lane));
    GameWorld::GetInstance()->addAircraft(a);
    const float speed = 0.5f * ScreenManager::getDrawScale();
    if (KZ_splinePtr path = _getLoopPath(a, Vector(200.0, 100.0), loops)) {
        a->flyPath(path, speed, 0);
    } else {
        // No runway of its class: it crosses the screen and leaves, at no cost.
        moveAircraftTo(a, screenCentre(), speed);
    }
    a->setUserControlled(0);
    a->setPayload(Aircraft::HOS);
    a->setPhase(Aircraft::APPROACH);
    _HOSAircraft = a;
    a->setHeadingIndex(lane);
    _laneArray[size_t(lane)] = 1.0f;
    return a;
}

int FleetManager::startHOSgreetings() {
    if (!_nation) return 0;
    const float ds = ScreenManager::getDrawScale();
    SoundManager::GetInstance()->load_play("audio/athems/" + _nation->id + ".ogg", 1);
    const std::string text = "NOW ARRIVING: HEAD OF STATE FROM " + _nation->country;
    const int x = int(float(ScreenManager::GetInstance()->textRightAlignX(text)) - 10.0f * ds);
    GameUI::GetInstance()->addText(x, int(10.0f * ds), text, 200);
    Airport::GetInstance()->setFlag(_nation->id);
    return 0;
}

int FleetManager::endHOSgreetings() {
    _nation = nullptr;
    Airport::GetInstance()->clearFlag();
    SoundManager::GetInstance()->stopBackground();
    return 0;
}

int FleetManager::moveAircraftTo(const AircraftPtr& aircraft, const Vector& target, float speed) {
    if (!aircraft) return 0;
    auto spline = std::make_shared<KZ_spline>();
    spline->addPoint(makeVector(aircraft->GetPosition()));
    spline->addPoint(makeVector(target));
    aircraft->flyPath(spline, speed, 1);
    return 0;
}

KZ_splinePtr FleetManager::_getLoopPath(const AircraftPtr& aircraft, const Vector& offset, int loops) {
    if (!aircraft) return nullptr;
    const double ds = ScreenManager::getDrawScale();
    auto spline = std::make_shared<KZ_spline>();
    spline->setRes(60);
    spline->addPoint(makeVector(aircraft->GetPosition()));
    const Vector corners[4] = {offset, offset.addScalarCopy(400.0, 0.0), offset.addScalarCopy(400.0, 250.0),
                               offset.addScalarCopy(0.0, 250.0)};
    for (int i = 0; i < loops; ++i) {
        spline->addPoint(makeVector(screenCentre()));
        for (const Vector& c : corners) spline->addPoint(makeVector(c.multiplyScalarCopy(ds)));
    }
    RunwayPtr runway = Airport::GetInstance()->getAvailableRunRunway(aircraft);
    if (!runway) return nullptr;
    runway->addVectorFinal(spline);
    return spline;
}

int FleetManager::getFreeLane() {
    for (int i = 0; i < LANE_TRIES; ++i) {
        const int lane = plat::Rand(0, 7);
        if (getLane(lane) == 0.0f) return lane;
    }
    for (int lane = 0; lane < getLaneCount(); ++lane)
        if (_laneArray[size_t(lane)] == 0.0f) return lane;
    return -1;
}

int FleetManager::laneAvailable() { return getFreeLane() > 0 ? 1 : 0; }

int FleetManager::_blockInavalidLanes() {
    if (_laneArray.size() > 4) {
        _laneArray[0] = 1.0f;
        _laneArray[4] = 1.0f;
    }
    return 0;
}

int FleetManager::lockOppositeLane(int lane) {
    const int o = oppositeLane(lane);
    if (!_validLane(o) || _laneArray[size_t(o)] != 0.0f) return 0;
    _laneArray[size_t(o)] = 1.0f;
    return 1;
}

int FleetManager::clearOppositeLane(int lane) { return clearLane(oppositeLane(lane)); }

int FleetManager::clearLane(int lane) {
    if (_validLane(lane)) _laneArray[size_t(lane)] = 0.0f;
    return 0;
}

float FleetManager::getLane(int lane) const { return _validLane(lane) ? _laneArray[size_t(lane)] : 1.0f; }

int FleetManager::debugLanes() const {
    const Vector c(400.0, 240.0);
    plat::setColor(255, 0, 0);
    for (int lane = 0; lane < getLaneCount(); ++lane) {
        if (lane == 0 || lane == 4 || _laneArray[size_t(lane)] == 0.0f) continue;
        const Vector e = laneStart(lane);
        plat::drawLine(float(c.x), float(c.y), float(e.x), float(e.y));
    }
    plat::setColor(255, 255, 255);
    return 0;
}

FleetManager::AircraftPtr FleetManager::getAircraftAt(int x, int y, int flag) const {
    const Vector p{double(x), double(y)};
    for (const AircraftPtr& a : GameWorld::GetInstance()->getAircraftList())
        if (a && (flag != 0 || a->GetUserControlled()) && a->pointInArea(p)) return a;
    return nullptr;
}
