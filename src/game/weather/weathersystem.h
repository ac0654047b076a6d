// The sky over the airport: how many clouds come and how often, and under a thunder cover
// the storm clouds' strikes with their flash.
#pragma once
#include <array>
#include <memory>

#include "game/weather/globallightning.h"
#include "game/weather/weathercloud.h"
#include "platform/image.h"
#include "vostrel/singleton.h"

class WeatherSystem : public Object, public Singleton<WeatherSystem> {
public:
    static constexpr int CLOUD_NONE = 0;
    static constexpr int CLOUD_LIGHT = 1;
    static constexpr int CLOUD_HEAVY = 2;
    static constexpr int CLOUD_THUNDER = 3;

    // Fetches "cloud 1" .. "cloud 4", so those must be registered first.
    WeatherSystem();

    static std::shared_ptr<WeatherSystem> getInstance() { return GetInstance(); }
    void reset();
    void setCloudCover(int cover);
    int getCloudCover() const { return _cloudCover; }
    // The cloud that struck last, while its flash lasts; otherwise nullptr.
    WeatherCloudPtr getActiveCloud() const;
    void setActiveCloud(const WeatherCloudPtr& cloud) { _activeCloud = cloud; }
    void removeGlobalLightning();
    void setGlobalLightning();
    void update();
    void _setCloud_none();
    void _setCloud_light();
    void _setCloud_thunder();
    void _defuseThunderClouds();
    void _updateClouds();
    void _syncCloudCount();
    void _cloudGenerator();

    int getCloudDelay() const { return _cloudDelay; }
    int getMaxCloudDelay() const { return _maxCloudDelay; }
    int getMaxCloudCount() const { return _maxCloudCount; }
    int getCloudCount() const { return _cloudCount; }
    const GlobalLightningPtr& getGlobalLightning() const { return _globalLightning; }
    const plat::ImagePtr& getCloudImage(int i) const { return _cloudImageArray.at(size_t(i)); }

private:
    int _cloudCover = CLOUD_NONE;
    int _cloudDelay = 0;
    int _maxCloudDelay = 1000;
    int _maxCloudCount = 6;
    int _cloudCount = 0;
    std::array<plat::ImagePtr, 4> _cloudImageArray;
    GlobalLightningPtr _globalLightning;
    WeatherCloudPtr _activeCloud;
};

using WeatherSystemPtr = std::shared_ptr<WeatherSystem>;
