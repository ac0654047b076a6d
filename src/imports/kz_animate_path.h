// Flies an object along a KZ_path one straight leg per point, taking the next point as
// soon as a leg is done; with overrun the path gets a point far past its end, so the
// object flies on straight after the last drawn point.
#pragma once
#include <memory>

#include "imports/kz_animate_motion.h"
#include "imports/kz_path.h"
#include "imports/object.h"

class KZ_animate_path;
using KZ_animate_pathPtr = std::shared_ptr<KZ_animate_path>;

class KZ_animate_path : public Object {
public:
    KZ_animate_path() = default;

    // Starts on point 1 of the path (point 0 when it has only one, (0, 0) when empty).
    static KZ_animate_pathPtr Create(const KZ_pathPtr& path, int overrun);
    void setSpeed(float speed) { _speed = speed; }
    float getSpeed() const { return _speed; }
    void setOverrun(int overrun) { _overrun = overrun; }
    void start();
    // Takes a longer path without cutting short the leg under way, unless that leg is
    // the overrun beyond the old end: the object then turns back onto the new path at
    // once instead of flying off for thousands of steps.
    void continuePath(const KZ_pathPtr& path);
    const VectorPtr& getPosition() const { return _animation->getPosition(); }
    const VectorPtr& getVelocity() const { return _animation->getVelocity(); }
    float getAngle() const { return _animation->getAngle(); }
    // Call before start(): the first leg then turns from this heading.
    void setAngle(float degrees) { _animation->setAngle(degrees); }
    int getPathIndex() const { return _path->getIndex(); }
    int fromEndPoint() const { return _path->fromEndPoint(); }
    int isActive() const { return _active; }
    void update();

    const KZ_animate_motionPtr& getMotion() const { return _animation; }
    const KZ_pathPtr& getPath() const { return _path; }

private:
    void _appendOverrun();
    void _run(const Vector& target);

    float _speed = 0.4f;
    int _active = 0;
    KZ_animate_motionPtr _animation = std::make_shared<KZ_animate_motion>();
    KZ_pathPtr _path = std::make_shared<KZ_path>();
    float _turnRate = 1.0f;
    int _overrun = 0;
    // Index of the point appended past the end of the path, -1 when there is none.
    int _overrunIndex = -1;
    // Whether the leg under way heads for that point; decided when the leg starts, as
    // the flag may change before the next path comes.
    bool _overrunLeg = false;
};
