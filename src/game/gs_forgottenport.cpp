#include "game/gs_forgottenport.h"

int GS_forgottenPort::init() { _storyMode = STORY; return 0; }
int GS_forgottenPort::setPhase(int phase) { _phase = phase; _step = 0; _var1 = _var2 = _var3 = 0; return 0; }
int GS_forgottenPort::update() { _globalUpdate(); return 0; }
int GS_forgottenPort::onAircraftDrift(const std::shared_ptr<Aircraft>& aircraft) { (void)aircraft; return 0; }
int GS_forgottenPort::onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) { (void)aircraft; return 0; }
int GS_forgottenPort::onCollision(const std::shared_ptr<Aircraft>& a, const std::shared_ptr<Aircraft>& b) { (void)a; (void)b; return 0; }
int GS_forgottenPort::_saveDataToSettings() { return 0; }
int GS_forgottenPort::_addNationIcon(const std::string& id) { (void)id; ++_nationCount; return 0; }
