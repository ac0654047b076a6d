// Owns the objects of the airspace (drawn in height order) and the table of nations.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "game/traffic/gameobject.h"
#include "game/traffic/nationitem.h"
#include "imports/vector.h"
#include "vostrel/singleton.h"

class Aircraft;
class WeatherCloud;
using AircraftPtr = std::shared_ptr<Aircraft>;
using WeatherCloudPtr = std::shared_ptr<WeatherCloud>;

class GameWorld : public Object, public Singleton<GameWorld> {
public:
    GameWorld() = default;

    // Fresh nations in a new random order, and no storm clouds. The aircraft stay.
    void reset();
    void _loadNations();
    // The nations of a "nations.txt" text, in the order of its lines.
    static std::vector<NationItemPtr> readNations(const std::string& text);
    int getNationCount() const { return int(_nationArray.size()); }
    // nullptr outside 0 .. count - 1.
    NationItemPtr getNationByIndex(int i) const;
    NationItemPtr getNationById(const std::string& id) const;

    // The lists themselves. Walk a copy when the walk may remove objects.
    std::vector<GameObjectPtr>& getWorldList() { return _worldList; }
    std::vector<AircraftPtr>& getAircraftList() { return _aircraftList; }
    std::vector<WeatherCloudPtr>& getWeatherCloud() { return _weatherCloudList; }

    void addAircraft(const AircraftPtr& a);
    int getBirdCount() const;
    int getLifeFlightCount() const;
    int getUAVFlightCount() const;
    // Unlinks, invalidates, then calls onRemove; an object no longer listed is left alone.
    void removeAircraft(const GameObjectPtr& o);
    void removeAllAircrafts();

    void addWeatherCloud(const WeatherCloudPtr& c);
    void removeWeatherCloud(const WeatherCloudPtr& c);
    void removeAllWeatherClouds();

    // 1 when the point lies more than 50 pixels beyond a screen edge.
    int isOutsideWorld(const Vector& p) const;
    // Sorts the world list by height, lowest first (stable).
    void process();
    static int _compare_z(const GameObjectPtr& a, const GameObjectPtr& b);

private:
    std::vector<GameObjectPtr> _worldList;
    std::vector<AircraftPtr> _aircraftList;
    std::vector<WeatherCloudPtr> _weatherCloudList;
    std::vector<NationItemPtr> _nationArray;
};

using GameWorldPtr = std::shared_ptr<GameWorld>;
