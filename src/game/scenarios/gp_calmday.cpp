#include "game/scenarios/gp_calmday.h"

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/traffic/gameworld.h"
#include "platform/sys.h"
#include "vostrel/soundmanager.h"

int GP_calmDay::init() {
    _nextACcount = _countSpacing;
    _HOSindex = 0;
    auto airport = Airport::getInstance();
    airport->queBGsound();
    airport->setFunds(Airport::STARTING_FUNDS);
    return 0;
}

int GP_calmDay::update() {
    _globalUpdate();
    auto fleet = FleetManager::GetInstance();
    auto world = GameWorld::GetInstance();
    // The fleet greets one visiting nation at a time and forgets it when that visit ends, so
    // a second visitor waits (only delayed, like a busy lane) until the first has gone.
    auto hos = fleet->getHOSaircraft();
    bool visitorInAir = hos && !hos->isInvalid();
    if (fleet->getLandCount() >= _nextACcount && getMissionStatus() != FAILED && !visitorInAir &&
        world->getNationCount() > 0 && fleet->laneAvailable()) {
        auto nation = world->getNationByIndex(_HOSindex);
        fleet->addHeadOfState(nation, fleet->getFreeLane(), 1);
        ++_HOSindex;
        if (nation) ++nation->visit;
        if (_HOSindex >= world->getNationCount()) _HOSindex = 0;
        _nextACcount += _countSpacing;
        Airport::getInstance()->stopBGsound();
    }
    return 0;
}

int GP_calmDay::onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) {
    if (!aircraft || aircraft->getPayload() != Aircraft::HOS) return 0;
    int gift = 1000 + 1000 * plat::Rand(0, 10);
    auto airport = Airport::getInstance();
    airport->addToFunds(gift);
    auto world = GameWorld::GetInstance();
    int count = world->getNationCount();
    auto nation = world->getNationByIndex(_HOSindex == 0 ? count - 1 : _HOSindex - 1);
    _addRightText("Gift from " + (nation ? nation->country : std::string()) + ": $" + std::to_string(gift));
    SoundManager::GetInstance()->playChannel(3, "reward sound");
    airport->startBGsound();
    return 0;
}
