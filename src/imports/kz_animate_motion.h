// One straight leg: the position steps toward a target at a fixed speed, while the
// displayed heading turns toward the leg's direction over (about) 10 updates.
#pragma once
#include <memory>

#include "imports/vector.h"
#include "imports/object.h"

class KZ_animate_motion : public Object {
public:
    KZ_animate_motion() = default;

    void setPosition(const Vector& v);
    int isActive() const { return _timer > 0 ? 1 : 0; }
    // The live position, changed in place by every update.
    const VectorPtr& getPosition() const { return _position; }
    float getAngle() const { return _rotation; }
    // The heading to turn from: an owner that already flies somewhere hands it over, so
    // the first leg turns from there instead of from 0.
    void setAngle(float degrees) { _rotation = degrees; }
    // The step of the current leg; a new object for every leg, (0, 0) before the first.
    const VectorPtr& getVelocity() const { return _delta; }
    void run(const Vector& target, float speed, float turnRate);
    void _rotationUpdate(const Vector& v);
    void update();

    int getTimer() const { return _timer; }
    int getTurnFrames() const { return _turnFrames; }
    float getTurnDelta() const { return _turnDelta; }

private:
    // Never null: an owner whose path ran out before its first leg still reads a
    // position and a (still) step.
    VectorPtr _position = makeVector(0.0, 0.0);
    VectorPtr _delta = makeVector(0.0, 0.0);
    int _timer = 0;
    float _rotation = 0.0f;
    float _turnRate = 1.0f;
    int _turnFrames = 0;
    float _turnDelta = 0.0f;
};

using KZ_animate_motionPtr = std::shared_ptr<KZ_animate_motion>;
