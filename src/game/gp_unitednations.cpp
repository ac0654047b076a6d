#include "game/gp_unitednations.h"

int GP_unitedNations::init() { return 0; }
int GP_unitedNations::update() { _globalUpdate(); return 0; }
int GP_unitedNations::onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) { (void)aircraft; return 0; }
