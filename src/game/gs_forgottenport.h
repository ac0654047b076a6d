// The story: twelve phases on the story airport; a failure restarts the current phase.
#pragma once
#include <string>
#include <vector>

#include "game/game_playmanager.h"
#include "vostrel/singleton.h"

class GS_forgottenPort : public Game_playManager, public Singleton<GS_forgottenPort> {
public:
    int init() override;
    int getPhase() override { return _phase; }
    int setPhase(int phase) override;
    int update() override;
    int onAircraftDrift(const std::shared_ptr<Aircraft>& aircraft) override;
    int onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) override;
    int onCollision(const std::shared_ptr<Aircraft>& a, const std::shared_ptr<Aircraft>& b) override;

    using Singleton<GS_forgottenPort>::Create;
    using Singleton<GS_forgottenPort>::GetInstance;

    int _saveDataToSettings();
    int _updateBasics() { return 0; }
    int _addNationIcon(const std::string& id);

    int _var1 = 0;
    int _var2 = 0;
    int _var3 = 0;
    int _nationCount = 0;
    std::vector<std::string> _speech;
};
