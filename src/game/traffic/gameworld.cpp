#include "game/traffic/gameworld.h"

#include <algorithm>

#include "game/traffic/aircraft.h"
#include "game/weather/weathercloud.h"
#include "game/weather/weathersystem.h"
#include "imports/arrayfunc.h"
#include "platform/sortlist.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

namespace {

// Takes `o` out of `list`; false when it was not there.
template <class T>
bool unlink(std::vector<T>& list, const GameObject* o) {
    auto it = std::find_if(list.begin(), list.end(), [o](const T& e) { return e.get() == o; });
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

}  // namespace

void GameWorld::reset() {
    _loadNations();
    removeAllWeatherClouds();
}

std::vector<NationItemPtr> GameWorld::readNations(const std::string& text) {
    std::vector<NationItemPtr> items;
    size_t start = 0;
    while (true) {
        size_t lf = text.find('\n', start);
        std::string line = text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        // A line without the five fields (the empty piece after a final LF) is no nation.
        if (std::count(line.begin(), line.end(), '|') >= 4) items.push_back(NationItem::Create(line));
        if (lf == std::string::npos) break;
        start = lf + 1;
    }
    return items;
}

void GameWorld::_loadNations() {
    const std::vector<NationItemPtr> items = readNations(ResourceManager::GetInstance()->retrieveText("nation data"));
    const std::vector<int> order = ArrayFunc::randomize(int(items.size()));
    _nationArray.clear();
    for (int i : order) _nationArray.push_back(items[size_t(i)]);
}

NationItemPtr GameWorld::getNationByIndex(int i) const {
    if (i < 0 || i >= int(_nationArray.size())) return nullptr;
    return _nationArray[size_t(i)];
}

NationItemPtr GameWorld::getNationById(const std::string& id) const {
    for (const auto& n : _nationArray)
        if (n->id == id) return n;
    return nullptr;
}

void GameWorld::addAircraft(const AircraftPtr& a) {
    if (!a) return;
    _worldList.push_back(a);
    _aircraftList.push_back(a);
}

int GameWorld::getBirdCount() const {
    return int(std::count_if(_aircraftList.begin(), _aircraftList.end(),
                             [](const AircraftPtr& a) { return a->getClass() == Aircraft::BIRD; }));
}

int GameWorld::getLifeFlightCount() const {
    return int(std::count_if(_aircraftList.begin(), _aircraftList.end(),
                             [](const AircraftPtr& a) { return a->getPayload() == Aircraft::LIFEGUARD; }));
}

int GameWorld::getUAVFlightCount() const {
    return int(std::count_if(_aircraftList.begin(), _aircraftList.end(),
                             [](const AircraftPtr& a) { return a->getPayload() == Aircraft::UAV; }));
}

void GameWorld::removeAircraft(const GameObjectPtr& o) {
    if (!o) return;
    const bool inWorld = unlink(_worldList, o.get());
    const bool inList = unlink(_aircraftList, o.get());
    // A second removal of the same object must not run its onRemove again.
    if (!inWorld && !inList) return;
    o->invalidate();
    o->onRemove();
}

void GameWorld::removeAllAircrafts() {
    // onRemove may remove further aircraft; a copy keeps the walk whole.
    const std::vector<AircraftPtr> all = _aircraftList;
    for (const auto& a : all) removeAircraft(a);
}

void GameWorld::addWeatherCloud(const WeatherCloudPtr& c) {
    if (!c) return;
    _worldList.push_back(c);
    _weatherCloudList.push_back(c);
}

void GameWorld::removeWeatherCloud(const WeatherCloudPtr& c) {
    if (!c) return;
    const bool inWorld = unlink(_worldList, c.get());
    const bool inList = unlink(_weatherCloudList, c.get());
    if (!inWorld && !inList) return;
    c->invalidate();
    c->onRemove();
}

void GameWorld::removeAllWeatherClouds() {
    const std::vector<WeatherCloudPtr> all = _weatherCloudList;
    for (const auto& c : all) removeWeatherCloud(c);
    // The weather's count must follow, or a count left from a stormy game would keep the
    // next cover's clouds away for good.
    if (WeatherSystem::Exists()) WeatherSystem::GetInstance()->_syncCloudCount();
}

int GameWorld::isOutsideWorld(const Vector& p) const {
    auto sm = ScreenManager::GetInstance();
    const double w = sm->getWidth();
    const double h = sm->getHeight();
    const bool inside = p.x >= -50.0 && p.x <= w + 50.0 && p.y >= -50.0 && p.y <= h + 50.0;
    return inside ? 0 : 1;
}

void GameWorld::process() { plat::stableSort(_worldList, &GameWorld::_compare_z); }

int GameWorld::_compare_z(const GameObjectPtr& a, const GameObjectPtr& b) {
    return int(a->GetHeight() - b->GetHeight());
}
