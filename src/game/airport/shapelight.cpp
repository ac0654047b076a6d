#include "game/airport/shapelight.h"

#include "platform/canvas.h"

ShapeLightPtr ShapeLight::Create(const Vector& position, int radius, int r, int g, int b) {
    auto light = std::make_shared<ShapeLight>();
    light->_position = position;
    light->_radius = radius;
    light->changeColor(r, g, b);
    return light;
}

void ShapeLight::off() {
    _alpha = 0.0f;
    _dir = 1;
    _active = 0;
}

void ShapeLight::changeColor(int r, int g, int b) {
    _r = r;
    _g = g;
    _b = b;
}

void ShapeLight::update() {
    if (!_active) return;
    if (_dir == 1) {
        _alpha += _ramp_up_rate;
        if (!(_alpha < _intensity)) {
            _alpha = _intensity;
            _dir = 0;
        }
    } else {
        _alpha -= _ramp_down_rate;
        if (!(_alpha > 0.0f)) {
            _alpha = 0.0f;
            _dir = 1;
            if (_mode == ONESHOT) _active = 0;
        }
    }
}

void ShapeLight::render() const {
    if (!_active) return;
    plat::setColor(_r, _g, _b);
    plat::setAlpha(_alpha);
    const float d = float(2 * _radius);
    plat::drawOval(float(_position.x) - float(_radius), float(_position.y) - float(_radius), d, d);
    plat::setColor(255, 255, 255);
    plat::setAlpha(1.0f);
}
