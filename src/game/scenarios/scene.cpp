#include "game/scenarios/scene.h"

#include "platform/text.h"

std::shared_ptr<Scene> Scene::Create(const std::string& line) {
    auto s = std::make_shared<Scene>();
    auto f = plat::split(line, ",");
    auto num = [&](size_t i) { return i < f.size() ? plat::toInt(f[i]) : 0; };
    s->id = num(0);
    if (f.size() > 1) s->name = f[1];
    s->mode = num(2);
    s->var1 = num(3);
    s->var2 = num(4);
    s->var3 = num(5);
    return s;
}
