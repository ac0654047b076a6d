// The story: twelve phases on the story airport; a failure restarts the current phase, and
// the phase with the funds is kept in the progress file's story slot.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "game/scenarios/game_playmanager.h"
#include "imports/basicfunctions.h"
#include "vostrel/singleton.h"

class GS_forgottenPort : public Game_playManager, public Singleton<GS_forgottenPort> {
public:
    // The nations whose heads of state the story brings; all must be in "nations.txt".
    static const std::vector<std::string>& storyNations();
    // Every picture the story loads by path as it goes: its storm background and the portraits.
    static const std::vector<std::string>& storyPictures();

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
    int _update_phase_1();
    int _update_phase_2();
    int _update_phase_3();
    int _update_phase_4();
    int _update_phase_5();
    int _update_phase_6();
    int _update_phase_7();
    int _update_phase_8();
    int _update_phase_9();
    int _update_phase_10();
    int _update_phase_11();
    int _update_phase_12();
    int _addNationIcon(const std::string& id);

    int getVar1() const { return _var1; }
    int getVar2() const { return _var2; }
    int getVar3() const { return _var3; }

    int _var1 = 0;
    int _var2 = 0;
    int _var3 = 0;
    int _nationCount = 0;
    std::vector<std::string> _speech;

private:
    // The story break screen's portrait and speech line k (empty when the file lacks it).
    void _show(const std::string& portrait, int line);
    void _endPhase(const std::string& portrait, int line, int next);
    void _restart(int line);
    // A head of state of `nation` over three steps from `first`; the landing moves on.
    void _visit(const std::string& nation, int first);
    // A storm of `frames` frames over steps 0-4; ends the phase as given.
    void _storm(int frames, const std::string& portrait, int line, int next);
    // Life flights over steps 0-1 until `patients` have landed: one is sent while fewer than
    // `inAir` fly (and `chance`, when given, hits); a patient's death restarts the phase.
    // True in the frame the last patient is in, with the heartbeat stopped.
    bool _lifeFlights(int patients, int inAir, const std::optional<Chance>& chance);
    void _stormBreaks();
    void _wait();
    // Counts setPhase calls, so a frame can tell that its phase ended or restarted.
    int _phaseStarts = 0;
};
