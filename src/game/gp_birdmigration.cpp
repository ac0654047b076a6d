#include "game/gp_birdmigration.h"

int GP_birdMigration::init() { return 0; }
int GP_birdMigration::update() { _globalUpdate(); return 0; }
int GP_birdMigration::onAircraftDrift(const std::shared_ptr<Aircraft>& aircraft) { return Game_playManager::onAircraftDrift(aircraft); }
