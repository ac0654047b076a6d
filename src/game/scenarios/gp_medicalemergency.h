// Free play with life flights whose patients die when their timers run out.
#pragma once
#include "game/scenarios/game_playmanager.h"
#include "vostrel/singleton.h"

class GP_medicalEmergency : public Game_playManager, public Singleton<GP_medicalEmergency> {
public:
    int init() override;
    int update() override;
    int onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) override;

    using Singleton<GP_medicalEmergency>::Create;
    using Singleton<GP_medicalEmergency>::GetInstance;

    // The smallest patient timer above 0 in the world; 100000 when there is none.
    int payloadTime();
    int _patientDeath();

    int _beatDelay = 0;
    int _beatTimer = 0;
    int _flatline = 0;
    int _lifeSaved = 0;
};
