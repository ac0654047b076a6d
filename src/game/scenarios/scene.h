// A record read from one comma-separated line: id, name, mode and three numbers.
#pragma once
#include <memory>
#include <string>

#include "imports/object.h"

class Scene : public Object {
public:
    static constexpr int MODE_FREE = 0;
    static constexpr int MODE_TIMER = 1;
    static constexpr int MODE_AIRCRAFT = 2;
    static constexpr int MODE_SPECIAL = 3;
    static constexpr int MODE_CRASH = 4;
    static constexpr int MODE_LEADERS = 5;
    static constexpr int SCENE_NORMAL = 0;
    static constexpr int SCENE_STATE_VISIT = 1;
    static constexpr int SCENE_RUNWAY_REPAIR = 2;
    static constexpr int SCENE_EMERGENCY = 3;
    static constexpr int SCENE_FLOCK_MIGRATION = 4;
    static constexpr int SCENE_AIR_SHOW = 5;
    static constexpr int SCENE_OVERCAST = 6;
    static constexpr int SCENE_AIRPORT_CLOSURE = 7;

    // Missing fields stay 0 or "".
    static std::shared_ptr<Scene> Create(const std::string& line);

    int index = 0;
    int id = 0;
    std::string name;
    int mode = 0;
    int var1 = 0;
    int var2 = 0;
    int var3 = 0;
};
