#include "game/airport/runwaylights.h"

#include <algorithm>

#include "game/airport/runway.h"
#include "platform/canvas.h"
#include "vostrel/screenmanager.h"

namespace {
// Along the runway towards its threshold end, and across it.
Vector alongHeading(float h) {
    Vector u(0.0, -1.0);
    u.rotate(h);
    return u;
}
Vector acrossHeading(float h) {
    Vector v(1.0, 0.0);
    v.rotate(h);
    return v;
}
}  // namespace

RunwayLightsPtr RunwayLights::Create(const Runway& runway) {
    auto lights = std::make_shared<RunwayLights>();
    lights->_length = runway.getLength();
    lights->_width = runway.getWidth();
    lights->_position = runway.getPosition();
    lights->_heading = runway.getHeading();
    lights->_init();
    return lights;
}

void RunwayLights::_init() {
    // A spacing of 0 (a vanishing draw scale) would divide by zero; one pixel is the least.
    const int s = std::max(1, int(20.0f * ScreenManager::getDrawScale()));
    _lightCount = _length / s;
    const Vector u = alongHeading(_heading);
    const Vector v = acrossHeading(_heading);
    const int halfW = _width / 2;
    const int halfL = _length / 2;
    _lightsArray.clear();
    for (int k = 0; k <= _lightCount; ++k) {
        const double along = double(k * s - halfL);
        const Vector left(_position.x - halfW * v.x + along * u.x, _position.y - halfW * v.y + along * u.y);
        const Vector right(_position.x + halfW * v.x + along * u.x, _position.y + halfW * v.y + along * u.y);
        _lightsArray.push_back(ShapeLight::Create(left, 3, 0, 255, 0));
        _lightsArray.push_back(ShapeLight::Create(right, 3, 0, 255, 0));
    }
    _lightIndex = _lastIndex();
}

void RunwayLights::setColorYellow() {
    for (auto& light : _lightsArray) light->changeColor(255, 255, 0);
}

void RunwayLights::setColorGreen() {
    for (auto& light : _lightsArray) light->changeColor(0, 255, 0);
}

void RunwayLights::off() {
    _active = 0;
    _delayCounter = 0;
    _lightIndex = _lastIndex();
    for (auto& light : _lightsArray) light->off();
}

void RunwayLights::update() {
    if (!_active || _lightsArray.size() < 2) return;
    for (auto& light : _lightsArray) light->update();
    _delayCounter -= 1;
    if (_delayCounter <= 0) {
        _delayCounter = _delay;
        _lightsArray[size_t(_lightIndex)]->on();
        _lightsArray[size_t(_lightIndex - 1)]->on();
        _lightIndex -= 2;
        if (_lightIndex <= 1) _lightIndex = _lastIndex();
    }
}

void RunwayLights::render() const {
    if (!_active) return;
    for (const auto& light : _lightsArray) light->render();
}

void RunwayLights::debugRender() const {
    const Vector u = alongHeading(_heading);
    const Vector v = acrossHeading(_heading);
    const double halfW = _width / 2, halfL = _length / 2;
    plat::setColor(0, 255, 0);
    for (double side : {-halfW, halfW}) {
        const double x = _position.x + side * v.x, y = _position.y + side * v.y;
        plat::drawLine(float(x - halfL * u.x), float(y - halfL * u.y), float(x + halfL * u.x), float(y + halfL * u.y));
    }
    plat::setColor(255, 255, 255);
}
