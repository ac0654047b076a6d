// Free play with bird flocks crossing the airspace; flocks that leave count as migrated.
#pragma once
#include "game/scenarios/game_playmanager.h"
#include "vostrel/singleton.h"

class GP_birdMigration : public Game_playManager, public Singleton<GP_birdMigration> {
public:
    int init() override;
    int update() override;
    int onAircraftDrift(const std::shared_ptr<Aircraft>& aircraft) override;

    using Singleton<GP_birdMigration>::Create;
    using Singleton<GP_birdMigration>::GetInstance;

    int _migration = 0;
};
