#include "game/weather/weathercloud.h"

#include <string>

#include "game/display/renderer.h"
#include "game/weather/weathersystem.h"
#include "platform/canvas.h"
#include "vostrel/soundmanager.h"

WeatherCloudPtr WeatherCloud::Create(const Vector& position, const Vector& velocity, const plat::ImagePtr& img) {
    auto c = std::make_shared<WeatherCloud>();
    const float s = get_scale();
    c->_position = position;
    c->_velocity = velocity;
    c->_img = img;
    c->_height = 10000.0f;
    c->_center = Vector(118.0 * s, 93.0 * s);
    c->_radius = 80.0f * s;
    c->_timeToStrike = 0;
    return c;
}

void WeatherCloud::update() {
    _position.Add(_velocity);
    _timeToStrike -= 1;
    if (_timeToStrike == 0) _lightningStrike();
}

void WeatherCloud::saveState(const std::shared_ptr<StateManager>& state) { (void)state; }
void WeatherCloud::loadState(const plat::StreamPtr& stream) { (void)stream; }
void WeatherCloud::renderTo(Renderer& renderer) { renderer.renderWeatherClouds(*this); }
void WeatherCloud::onRemove() {}

int WeatherCloud::isInStrikeZone(const Vector& point) const {
    const Vector c = _position.AddCopy(_center);
    const double r = _radius;
    return point.distanceSqrTo(c) < r * r ? 1 : 0;
}

void WeatherCloud::_lightningStrike() {
    auto weather = WeatherSystem::GetInstance();
    weather->setGlobalLightning();
    weather->setActiveCloud(std::static_pointer_cast<WeatherCloud>(shared_from_this()));
    SoundManager::GetInstance()->playChannel(4, "thunder sound");
}

void WeatherCloud::render() {
    plat::drawImage(_img, float(_position.x), float(_position.y), 0);
    if (_timeToStrike > 0) {
        plat::setColor(255, 255, 0);
        const Vector c = _position.AddCopy(_center);
        plat::drawText(std::to_string(_timeToStrike / 30), float(c.x), float(c.y));
        plat::setColor(255, 255, 255);
    }
}
