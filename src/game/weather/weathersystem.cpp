#include "game/weather/weathersystem.h"

#include <algorithm>
#include <vector>

#include "game/traffic/gameworld.h"
#include "platform/sys.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

WeatherSystem::WeatherSystem() {
    auto res = ResourceManager::GetInstance();
    _cloudImageArray[0] = res->retrieveImage("cloud 1");
    _cloudImageArray[1] = res->retrieveImage("cloud 2");
    _cloudImageArray[2] = res->retrieveImage("cloud 3");
    _cloudImageArray[3] = res->retrieveImage("cloud 4");
    setCloudCover(CLOUD_NONE);
}

void WeatherSystem::reset() {
    _activeCloud = nullptr;
    removeGlobalLightning();
    setCloudCover(CLOUD_NONE);
    _syncCloudCount();
}

void WeatherSystem::setCloudCover(int cover) {
    switch (cover) {
        case CLOUD_NONE: _setCloud_none(); break;
        case CLOUD_LIGHT: _setCloud_light(); break;
        case CLOUD_THUNDER: _setCloud_thunder(); break;
        default: break;  // HEAVY keeps the settings and the pending strikes
    }
    _cloudCover = cover;
}

WeatherCloudPtr WeatherSystem::getActiveCloud() const { return _globalLightning ? _activeCloud : nullptr; }

void WeatherSystem::removeGlobalLightning() {
    if (!_globalLightning) return;
    auto& list = GameWorld::GetInstance()->getWorldList();
    list.erase(std::remove(list.begin(), list.end(), std::static_pointer_cast<GameObject>(_globalLightning)),
               list.end());
    _globalLightning = nullptr;
}

void WeatherSystem::setGlobalLightning() {
    removeGlobalLightning();
    _globalLightning = std::make_shared<GlobalLightning>();
    GameWorld::GetInstance()->getWorldList().push_back(_globalLightning);
}

void WeatherSystem::update() {
    if (_cloudCover > 0 && _cloudCount < _maxCloudCount) _cloudGenerator();
    // Held: the flash's last update removes it from here.
    if (GlobalLightningPtr flash = _globalLightning) flash->update();
    _updateClouds();
    _cloudDelay += 1;
}

void WeatherSystem::_setCloud_none() { _defuseThunderClouds(); }

void WeatherSystem::_setCloud_light() {
    _maxCloudDelay = 1000;
    _maxCloudCount = 3;
    _defuseThunderClouds();
}

void WeatherSystem::_setCloud_thunder() {
    _maxCloudDelay = 400;
    _maxCloudCount = 6;
}

void WeatherSystem::_defuseThunderClouds() {
    for (const auto& c : GameWorld::GetInstance()->getWeatherCloud())
        if (c->getStrkieTime() >= 0) c->setStrikeTime(-1);
}

void WeatherSystem::_updateClouds() {
    auto world = GameWorld::GetInstance();
    const double limit = ScreenManager::GetInstance()->getWidth() + 100;
    const std::vector<WeatherCloudPtr> clouds = world->getWeatherCloud();
    for (const auto& c : clouds) {
        c->update();
        if (c->GetPosition().x > limit) {
            world->removeWeatherCloud(c);
            _syncCloudCount();
        }
    }
}

void WeatherSystem::_syncCloudCount() { _cloudCount = int(GameWorld::GetInstance()->getWeatherCloud().size()); }

void WeatherSystem::_cloudGenerator() {
    if (!((_cloudDelay >= _maxCloudDelay || _cloudCount == 0) && _cloudCover != CLOUD_NONE)) return;
    const float s = ScreenManager::getDrawScale();
    const int index = _cloudCover == CLOUD_THUNDER ? 0 : plat::Rand(1, int(_cloudImageArray.size()) - 1);
    const Vector velocity(plat::Rnd(0.4 * s, 0.75 * s), 0.0);
    const int yLo = int(50.0f * s);
    const int yHi = int(float(ScreenManager::GetInstance()->getHeight()) - 150.0f * s);
    const double x = -230.0 * s;
    const Vector position(x, plat::Rand(yLo, yHi));
    WeatherCloudPtr cloud = WeatherCloud::Create(position, velocity, _cloudImageArray[size_t(index)]);
    if (index == 0) cloud->setStrikeTime(plat::Rand(500, 1000));
    GameWorld::GetInstance()->addWeatherCloud(cloud);
    _cloudDelay = 0;
    _syncCloudCount();
}
