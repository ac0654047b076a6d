#include "game/gp_calmday.h"

int GP_calmDay::init() { return 0; }
int GP_calmDay::update() { _globalUpdate(); return 0; }
int GP_calmDay::onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) { (void)aircraft; return 0; }
