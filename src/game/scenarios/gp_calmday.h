// Free play with a head of state after every 30 landings and a gift on its landing.
#pragma once
#include "game/scenarios/game_playmanager.h"
#include "vostrel/singleton.h"

class GP_calmDay : public Game_playManager, public Singleton<GP_calmDay> {
public:
    int init() override;
    int update() override;
    int onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) override;

    using Singleton<GP_calmDay>::Create;
    using Singleton<GP_calmDay>::GetInstance;

    int _HOSindex = 0;
    int _countSpacing = 30;
    int _nextACcount = 30;
};
