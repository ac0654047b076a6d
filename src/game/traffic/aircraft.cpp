#include "game/traffic/aircraft.h"

#include <algorithm>
#include <string>

#include "game/airport/airport.h"
#include "game/weather/cloudmanager.h"
#include "game/traffic/fleetmanager.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "game/display/renderer.h"
#include "platform/canvas.h"
#include "platform/sys.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

plat::ImagePtr Aircraft::_imgExplosion;

namespace {
const bool registered = (SingletonRegistry::onReset([] { Aircraft::forgetExplosionImage(); }), true);
}

void Aircraft::forgetExplosionImage() { _imgExplosion = nullptr; }

void Aircraft::_setPicture(const char* key, int centerX, int centerY) {
    const float ds = ScreenManager::getDrawScale();
    _img = ResourceManager::GetInstance()->retrieveImage(key);
    _imageCenterX = int(float(centerX) * ds);
    _imageCenterY = int(float(centerY) * ds);
    if (_img) _img->setHandle(float(_imageCenterX), float(_imageCenterY));
}

AircraftPtr Aircraft::Create(int aircraftClass, const Vector& position) {
    (void)registered;
    auto a = std::make_shared<Aircraft>();
    a->_class = aircraftClass;
    switch (aircraftClass) {
        case LIGHT:
            a->_setPicture("Mooney", 19, 16);
            a->_basePassengerCount = 2;
            break;
        case HEAVY:
            a->_setPicture(plat::Rand(0, 1) == 1 ? "TU-154" : "MD-11", 35, 24);
            a->_basePassengerCount = 50;
            break;
        case BIRD:
            a->_setPicture("Goose", 29, 30);
            a->_basePassengerCount = 0;
            a->_userControlled = 0;
            a->_solid = 0;
            a->_transitFlight = 1;
            a->_anim_aircraft = SpriteAnimator::Create(8, 0.5f);
            a->_anim_aircraft->setLoop(-1);
            break;
        default: break;
    }
    a->_height = 1000.0f;
    a->SetPosition(position);
    return a;
}

void Aircraft::setPayload(int p) {
    switch (p) {
        case HOS: _setPicture("A380", 37, 31); break;
        case LIFEGUARD:
            _setPicture("C130", 24, 23);
            _basePassengerCount = 12;
            _imgPayloadDeath = ResourceManager::GetInstance()->retrieveImage("death");
            break;
        case UAV:
            _setPicture("uav", 19, 16);
            _transitFlight = 1;
            break;
        default: break;
    }
    _payload = p;
}

void Aircraft::setPhase(int p) {
    _phase = p;
    if (p == ONFINAL) {
        _warning = 0;
        _userControlled = 0;
    }
}

int Aircraft::getFlightTime() const { return ScreenManager::GetInstance()->getFrameCount() - _flightStartTime; }

void Aircraft::flyPath(const KZ_splinePtr& spline, float speed, int overrun) {
    if (!spline) return;
    _path = std::make_shared<KZ_path>();
    _path->importArray(spline->getCurvePoints());
    _path->endPath();
    _splinePath = spline;
    _motion = KZ_animate_path::Create(_path, overrun);
    _motion->setSpeed(speed);
    _speed = speed;
    _splineRes = spline->getRes();
    // The new follower turns from the heading flown so far rather than from 0.
    _motion->setAngle(_rotation);
    _motion->start();
}

void Aircraft::continuePath(const KZ_splinePtr& spline, int overrun) {
    if (!spline) return;
    if (!_motion || !_path) {
        flyPath(spline, _speed, overrun);
        return;
    }
    _path->importArray(spline->getCurvePoints());
    _splinePath = spline;
    _motion->setOverrun(overrun);
    _motion->continuePath(_path);
}

int Aircraft::isActive() const { return _motion ? _motion->isActive() : 0; }

int Aircraft::getPathIndex() const { return _motion ? _motion->getPathIndex() : 0; }

int Aircraft::_atSplinePoint() const {
    if (_splineRes <= 0) return -1;
    const int index = getPathIndex();
    return index % _splineRes == 0 ? index / _splineRes + 1 : -1;
}

int Aircraft::fromEndPoint() const {
    if (!_motion || _splineRes <= 0) return 0;
    return _motion->fromEndPoint() / _splineRes;
}

int Aircraft::pointInArea(const Vector& p) const {
    if (!_img) return 0;
    // Only the halves are whole numbers: a moving aircraft's box keeps its fractional place.
    const double X = _position.x - double(_imageCenterX / 2);
    const double Y = _position.y - double(_imageCenterY / 2);
    const int w = _img->width();
    const int h = _img->height();
    const double x0 = X - double(w / 2);
    const double y0 = Y - double(h / 2);
    return (p.x >= x0 && p.x <= X + double(w) && p.y >= y0 && p.y <= Y + double(h)) ? 1 : 0;
}

void Aircraft::update() {
    if (!_motion) return;
    // Held for the whole update: removal from the world may drop the last other reference.
    const AircraftPtr self = std::static_pointer_cast<Aircraft>(shared_from_this());
    auto sm = ScreenManager::GetInstance();

    _motion->update();

    const int k = _atSplinePoint();
    if (k != -1 && _splinePath) _motion->setSpeed(_speed * (1.0f - _splinePath->getPointAuxData(k)));

    _position = *_motion->getPosition();
    _rotation = _motion->getAngle();
    _velocity = *_motion->getVelocity();

    if (_splinePath) _splinePath->setMinIndex(getPathIndex() + 1);

    if (_phase == ONFINAL) {
        _height = std::max(0.0f, _height - _glideSlope);
        if (_height == 0.0f) {
            if (_class == HEAVY)
                SoundManager::GetInstance()->playChannel(2, "touchdown heavy");
            else if (_class == LIGHT)
                SoundManager::GetInstance()->playChannel(2, "touchdown light");
            _phase = TOUCHDOWN;
            Airport::getInstance()->aircraftLanded(self);
        }
    }

    if (_radarContact == AIRSPACE_OUTSIDE) {
        const double W = sm->getWidth();
        const double H = sm->getHeight();
        if (_position.x >= 0.0 && _position.x <= W && _position.y >= 0.0 && _position.y <= H) {
            _onRadarContact();
        } else {
            const double m = int(16.0f * ScreenManager::getDrawScale());
            const Vector sign(std::clamp(_position.x, m, W - m), std::clamp(_position.y, m, H - m));
            GameUI::GetInstance()->addRadarContact(sign);
        }
    }

    bool removed = false;
    if (_anim_explosion) {
        _anim_explosion->Update();
        if (_anim_explosion->atEnd()) {
            if (!_holdOnExplosion) {
                GameWorld::GetInstance()->removeAircraft(self);
                removed = true;
            }
            _anim_explosion = nullptr;
        }
    }

    if (_anim_aircraft) _anim_aircraft->Update();

    if (_smoke) {
        if (_smokeCounter == 0) {
            CloudManager::GetInstance()->add(ResourceManager::GetInstance()->retrieveImage("smoke"), _position,
                                             Vector(0.0, 0.0), 0.8f, 0.0025f);
            _smokeCounter = _smokeDelay;
        }
        _smokeCounter -= 1;
    }

    if (_payloadTimer > 0) _payloadTimer -= 1;

    // Gone from the world, its lanes were settled on removal: a lane locked now would
    // never be freed.
    if (removed) return;
    if (_radarContact == AIRSPACE_ENTERED) _arrivalLaneControl();
    if (_radarContact == AIRSPACE_IN && _transitFlight)
        _departureLaneControl();
}

void Aircraft::_onRadarContact() {
    _radarContact = AIRSPACE_ENTERED;
    _flightStartTime = ScreenManager::GetInstance()->getFrameCount();
    if (_class == BIRD)
        SoundManager::GetInstance()->playChannel(4, "geese sound");
    else if (_payload == HOS)
        FleetManager::GetInstance()->startHOSgreetings();
}

void Aircraft::_arrivalLaneControl() {
    if (_radarContact == AIRSPACE_ENTERED && getFlightTime() > _airspaceArrivalTimeBuffer) {
        FleetManager::GetInstance()->clearLane(getHeadingIndex());
        _radarContact = AIRSPACE_IN;
    }
}

void Aircraft::_departureLaneControl() {
    if (getFlightTime() > _airspaceDepartureTimeBuffer &&
        FleetManager::GetInstance()->lockOppositeLane(getHeadingIndex()) != 0)
        _radarContact = AIRSPACE_LEAVING;
}

void Aircraft::saveState(const std::shared_ptr<StateManager>& state) { (void)state; }
void Aircraft::loadState(const plat::StreamPtr& stream) { (void)stream; }
void Aircraft::renderTo(Renderer& renderer) { renderer.renderAircraft(*this); }

void Aircraft::onRemove() {
    if (_radarContact == AIRSPACE_OUTSIDE || _radarContact == AIRSPACE_ENTERED)
        FleetManager::GetInstance()->clearLane(getHeadingIndex());
    else if (_radarContact == AIRSPACE_LEAVING && _transitFlight)
        FleetManager::GetInstance()->clearOppositeLane(getHeadingIndex());
    if (_payload == HOS) FleetManager::GetInstance()->endHOSgreetings();
    if (_class == BIRD) {
        auto sound = SoundManager::GetInstance();
        if (sound->getNowPlaying(4) == "geese sound" && GameWorld::GetInstance()->getBirdCount() == 0)
            sound->endChannel(4);
    }
}

void Aircraft::explode() {
    _anim_explosion = SpriteAnimator::Create(25, 1.0f);
    _imgExplosion = ResourceManager::GetInstance()->retrieveImage("explosion");
    if (!_holdOnExplosion) _phase = COLLISION;
}

void Aircraft::engineFailure() {
    setUserControlled(0);
    setWarning(0);
    _phase = ENGINE_FAILURE;
    _flyTangent();
    setSmoke(1);
}

void Aircraft::_flyTangent() {
    if (!_path) return;
    _path->nextPoint();
    if (auto p = _path->nextPoint()) flyDirect(*p, 0.41f);
}

void Aircraft::flyDirect(const Vector& target, float speed) {
    auto curve = std::make_shared<KZ_spline>();
    curve->addPoint(makeVector(_position));
    curve->addPoint(makeVector(target));
    flyPath(curve, speed, 1);
}

void Aircraft::render() {
    const float s = _scale;
    const float x = float(_position.x);
    const float y = float(_position.y);
    if (_showPath && _splinePath) _splinePath->render(_class == HEAVY ? 1 : 0);

    plat::setRotation(_rotation);
    const float h = _phase > APPROACH ? _height / 2500.0f : 0.4f;

    plat::setScale(0.6f, 0.6f);
    plat::setColor(0, 0, 0);
    plat::setAlpha(0.75f);
    plat::drawImage(_img, x + h * 100.0f * s, y + h * 100.0f * s, 0);

    plat::setColor(255, 255, 255);
    plat::setAlpha(1.0f);
    plat::setScale(h + 0.6f, h + 0.6f);
    if (_warning)
        plat::setColor(255, 0, 0);
    else if (_phase == INFLIGHT && _userControlled && !_transitFlight)
        plat::setColor(0, 0, 255);
    plat::drawImage(_img, x, y, _anim_aircraft ? _anim_aircraft->getFrame() : 0);

    plat::setColor(255, 255, 255);
    plat::setScale(1.0f, 1.0f);
    plat::setRotation(0.0f);
    if (_anim_explosion) plat::drawImage(_imgExplosion, x, y, _anim_explosion->getFrame());

    if (_payload == LIFEGUARD && !_transitFlight) {
        const float tx = x - 25.0f * s;
        const float ty = y - 25.0f * s;
        if (_payloadTimer > 0) {
            plat::setColor(GameUI::r, GameUI::g, GameUI::b);
            plat::drawText(std::to_string(_payloadTimer / 30), tx, ty);
            plat::setColor(255, 255, 255);
        } else {
            plat::drawImage(_imgPayloadDeath, tx, ty, 0);
        }
    }
}
