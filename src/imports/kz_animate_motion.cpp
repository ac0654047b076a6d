#include "imports/kz_animate_motion.h"

#include <cmath>

#include "platform/sys.h"

void KZ_animate_motion::setPosition(const Vector& v) { _position = makeVector(v); }

// The step must hold the float-rounded values that the leg timings and positions are built
// from (the build keeps g++ 12's SLP vectoriser from dropping that rounding).
void KZ_animate_motion::run(const Vector& target, float speed, float turnRate) {
    const Vector d = target.SubtractCopy(*_position);
    const bool still = d.noAngle() != 0;
    // A zero-length leg has no direction of its own: keep the heading flown so far.
    const float a = still ? _rotation : float(d.toAngle());
    if (!(speed > 0.0f)) {
        // Nothing to fly at a speed of zero or less: the leg ends at once where it is.
        _timer = 0;
        _delta = makeVector(0.0, 0.0);
    } else {
        const float cx = float(double(speed) * plat::cosDeg(a));
        const float sy = float(double(speed) * plat::sinDeg(a));
        const double steps = std::sqrt(d.x * d.x + d.y * d.y) / double(speed);
        // Steps beyond the int range cannot be flown in any game; clamp instead of
        // letting the conversion overflow.
        _timer = steps >= 2147483647.0 ? 2147483647 : int(steps);
        _delta = makeVector(cx, sy);
    }
    _turnRate = turnRate;
    if (still) return;
    if (_delta->noAngle())
        _rotationUpdate(Vector::fromAngle(a));
    else
        _rotationUpdate(*_delta);
}

void KZ_animate_motion::_rotationUpdate(const Vector& v) {
    float diff = float(v.toAngle() - double(_rotation));
    // Wrapped fully into -180..180 so that the heading always turns the short way, even
    // after the object has circled the same way several times.
    if (diff < -180.0f || diff > 180.0f) {
        diff = std::fmod(diff, 360.0f);
        if (diff < -180.0f)
            diff += 360.0f;
        else if (diff > 180.0f)
            diff -= 360.0f;
    }
    if (diff == 0.0f) {
        _turnFrames = 0;
        return;
    }
    float step = std::fabs(diff) / 10.0f;
    step = step * _turnRate;
    if (!(step > 0.0f)) {
        _turnFrames = 0;
        return;
    }
    _turnDelta = diff < 0.0f ? -step : step;
    // The frame count in double from the float step: a step rounded up by the float
    // makes a short turn last 9 updates.
    const double frames = std::fabs(double(diff) / double(step));
    _turnFrames = frames >= 2147483647.0 ? 2147483647 : int(frames);
}

void KZ_animate_motion::update() {
    if (_timer > 0) {
        _position->Add(*_delta);
        _timer -= 1;
    }
    if (_turnFrames > 0) {
        _rotation = _rotation + _turnDelta;
        _turnFrames -= 1;
    }
}
