// Free play with heads of state one after another; each landing adds its nation's flag.
#pragma once
#include "game/scenarios/game_playmanager.h"
#include "vostrel/singleton.h"

class GP_unitedNations : public Game_playManager, public Singleton<GP_unitedNations> {
public:
    int init() override;
    int update() override;
    int onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) override;

    using Singleton<GP_unitedNations>::Create;
    using Singleton<GP_unitedNations>::GetInstance;

    int _HOSindex = 0;
    int _timeSpacing = 300;
    int _counter = 0;
    int _HOScount = 0;
};
