#include "game/scenarios/gp_unitednations.h"

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/traffic/gameworld.h"

int GP_unitedNations::init() {
    // Each game walks its freshly shuffled nation list from the start.
    _HOSindex = 0;
    _counter = 0;
    _HOScount = 0;
    Airport::getInstance()->setFunds(Airport::STARTING_FUNDS);
    return 0;
}

int GP_unitedNations::update() {
    _globalUpdate();
    auto fleet = FleetManager::GetInstance();
    auto world = GameWorld::GetInstance();
    auto hos = fleet->getHOSaircraft();
    bool visitorInAir = hos && !hos->isInvalid();
    if (!visitorInAir && _counter <= 0 && getMissionStatus() != FAILED && world->getNationCount() > 0 &&
        fleet->laneAvailable()) {
        auto nation = world->getNationByIndex(_HOSindex);
        fleet->addHeadOfState(nation, fleet->getFreeLane(), 1);
        ++_HOSindex;
        if (nation) ++nation->visit;
        if (_HOSindex >= world->getNationCount()) _HOSindex = 0;
    }
    --_counter;
    return 0;
}

int GP_unitedNations::onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) {
    if (!aircraft || aircraft->getPayload() != Aircraft::HOS) return 0;
    _counter = _timeSpacing;
    ++_HOScount;
    auto world = GameWorld::GetInstance();
    int count = world->getNationCount();
    auto nation = world->getNationByIndex(_HOSindex == 0 ? count - 1 : _HOSindex - 1);
    if (nation) _addFlagIcon(nation->id, _HOScount);
    return 0;
}
