#include "game/scenarios/gp_birdmigration.h"

#include <algorithm>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "imports/basicfunctions.h"

namespace {
// A new flock, while fewer are in the air than allowed.
constexpr Chance FLOCK_CHANCE{200, 20};
}  // namespace

int GP_birdMigration::init() {
    auto airport = Airport::getInstance();
    airport->queBGsound();
    _migration = 0;
    airport->setFunds(Airport::STARTING_FUNDS);
    return 0;
}

int GP_birdMigration::update() {
    _globalUpdate();
    auto fleet = FleetManager::GetInstance();
    // One flock more is allowed for every 15 landings, up to 6.
    int allowed = std::min(6, fleet->getLandCount() / 15 + 1);
    if (GameWorld::GetInstance()->getBirdCount() < allowed && FLOCK_CHANCE.draw() && fleet->laneAvailable())
        fleet->addBirdFlock(fleet->getFreeLane());
    return 0;
}

int GP_birdMigration::onAircraftDrift(const std::shared_ptr<Aircraft>& aircraft) {
    if (aircraft && aircraft->getClass() == Aircraft::BIRD) {
        ++_migration;
        GameUI::GetInstance()->setAuxMsg("Flocks Migrated: " + std::to_string(_migration));
        return 0;
    }
    return Game_playManager::onAircraftDrift(aircraft);
}
