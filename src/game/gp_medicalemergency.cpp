#include "game/gp_medicalemergency.h"

int GP_medicalEmergency::init() { return 0; }
int GP_medicalEmergency::update() { _globalUpdate(); return 0; }
int GP_medicalEmergency::onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) { (void)aircraft; return 0; }
int GP_medicalEmergency::payloadTime() { return 100000; }
int GP_medicalEmergency::_patientDeath() { return 0; }
