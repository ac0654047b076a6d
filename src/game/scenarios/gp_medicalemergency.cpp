#include "game/scenarios/gp_medicalemergency.h"

#include <algorithm>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "imports/basicfunctions.h"
#include "vostrel/soundmanager.h"

namespace {
// A new life flight, while fewer are in the air than allowed.
constexpr Chance LIFE_FLIGHT_CHANCE{200, 20};
}  // namespace

int GP_medicalEmergency::init() {
    auto airport = Airport::getInstance();
    airport->queBGsound();
    _lifeSaved = 0;
    airport->setFunds(Airport::STARTING_FUNDS);
    return 0;
}

int GP_medicalEmergency::payloadTime() {
    int t = 100000;
    // A copy: nothing here removes aircraft, but the list is the world's own.
    auto list = GameWorld::GetInstance()->getAircraftList();
    for (const auto& a : list) {
        if (!a || a->getPayload() != Aircraft::LIFEGUARD) continue;
        int timer = a->getPayloadTimer();
        if (timer > 0 && timer < t) t = timer;
    }
    return t;
}

int GP_medicalEmergency::update() {
    _globalUpdate();
    auto fleet = FleetManager::GetInstance();
    int allowed = std::min(6, fleet->getLandCount() / 15 + 1);
    if (GameWorld::GetInstance()->getLifeFlightCount() < allowed && LIFE_FLIGHT_CHANCE.draw() &&
        fleet->laneAvailable())
        fleet->addLifeFlight(fleet->getFreeLane());

    int t = payloadTime();
    --_flatline;
    if (t < 30 && _flatline <= 0) {
        _patientDeath();
        _flatline = 150;
    }
    if (t < 100000) {
        _beatDelay = t / 20;
        if (_beatDelay > 0 && _flatline <= 0) {
            --_beatTimer;
            if (_beatTimer <= 0) {
                _beatTimer = _beatDelay + 10;
                SoundManager::GetInstance()->playChannel(4, "heartbeat sound");
            }
        }
    }
    return 0;
}

int GP_medicalEmergency::_patientDeath() {
    SoundManager::GetInstance()->playChannel(4, "flatline sound");
    Airport::getInstance()->removeFromFunds(10000);
    _addRightText("Death of Patients: -$10000");
    return 0;
}

int GP_medicalEmergency::onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) {
    if (!aircraft || aircraft->getPayload() != Aircraft::LIFEGUARD) return 0;
    ++_lifeSaved;
    GameUI::GetInstance()->setAuxMsg("Life Saved: " + std::to_string(_lifeSaved));
    return 0;
}
