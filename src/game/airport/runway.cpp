#include "game/airport/runway.h"

#include <algorithm>

#include "game/traffic/aircraft.h"
#include "imports/kz_collision.h"
#include "vostrel/singleton.h"

float Runway::_scale = 1.0f;

namespace {
// The threshold box's depth and the step from touch-down point 1 to point 2 are screen
// pixels whatever the draw scale.
constexpr int THRESHOLD_DEPTH = 96;
constexpr int TOUCHDOWN_STEP = 16;
// Beads closer than this to the touch-down point make a kink in the approach.
constexpr double BEAD_SEPARATION = 35.0;

const bool scaleResets = (SingletonRegistry::onReset([] { Runway::set_Scale(1.0f); }), true);

Vector alongHeading(int h) {
    Vector u(0.0, -1.0);
    u.rotate(float(h));
    return u;
}
}  // namespace

void Runway::set_Scale(float scale) { _scale = scale; }
float Runway::get_Scale() { return _scale; }

RunwayPtr Runway::Create(const Vector& position, int heading, int length, int cls) {
    (void)scaleResets;
    auto rw = std::make_shared<Runway>();
    rw->_heading = heading;
    rw->_length = int(float(length) * _scale);
    rw->_position = Vector(position.x * _scale, position.y * _scale);
    rw->_width = int(30.0f * _scale);

    const Vector& p = rw->_position;
    const int w = rw->_width;
    const int halfW = w / 2, halfL = rw->_length / 2;
    rw->_hotspot1 = KZ_boundingBox::Create(p, p.addScalarCopy(0, THRESHOLD_DEPTH), p.addScalarCopy(w, THRESHOLD_DEPTH),
                                           p.addScalarCopy(w, 0));
    rw->_hotspot1->move(Vector(-halfW, -halfL));
    rw->_hotspot1->rotate(float(heading), p);

    const Vector u = alongHeading(heading);
    rw->_touchDownVector1 = p.AddCopy(u.multiplyScalarCopy(halfL));
    rw->_touchDownVector2 = p.AddCopy(u.multiplyScalarCopy(halfL - TOUCHDOWN_STEP));
    rw->_class = cls;
    rw->_rwyLights = RunwayLights::Create(*rw);
    return rw;
}

void Runway::update() {
    if (_rwyLights) _rwyLights->update();
}

void Runway::lightsOff() {
    if (_rwyLights) _rwyLights->off();
}

int Runway::inThreshold(const Vector& point) const {
    if (!_hotspot1) return 0;
    return Collision::PointInPoly(float(point.x), float(point.y), _hotspot1->getFloatArray());
}

int Runway::onFinal(const KZ_spline& path) const {
    const auto& pts = path.getPointsArray();
    const size_t m = pts.size();
    if (m < 2 || !pts[m - 2]) return 0;
    return inThreshold(*pts[m - 2]);
}

int Runway::finalBeadIndex(const KZ_spline& path) const {
    const auto& pts = path.getPointsArray();
    const int m = int(pts.size());
    for (int i = m - 2; i <= m - 1; ++i) {
        if (i >= 0 && pts[size_t(i)] && inThreshold(*pts[size_t(i)])) return i;
    }
    return -1;
}

void Runway::joinFinal(KZ_spline& path, int i, int pathIndex) const {
    const auto& pts = path.getPointsArray();
    if (i < 0 || i >= int(pts.size())) return;
    int k = std::max(0, i - 1);
    if (i > 1 && pts[size_t(i - 1)] && pts[size_t(i - 1)]->distanceTo(_touchDownVector1) < BEAD_SEPARATION) k = i - 2;
    // An aircraft already flying the path must keep the beads it has passed and the
    // one it heads for may only give way to the touch-down point: cutting further would
    // leave its cursor past the end of the new curve, and it would stop short of the
    // runway without touching down.
    if (pathIndex > 0) {
        const int res = std::max(1, path.getRes());
        const int window = (pathIndex - 1) / res;
        k = std::min(std::max(k, window + 2), i);
    }
    path.trimTo(k, makeVector(_touchDownVector1));
    path.addPoint(makeVector(_position));
}

void Runway::setPathForFinal(Aircraft& aircraft) const {
    const KZ_splinePtr path = aircraft.getSplinePath();
    if (!path) return;
    const int i = finalBeadIndex(*path);
    if (i < 0) return;
    joinFinal(*path, i, aircraft.getMotion() ? aircraft.getPathIndex() : 0);
    aircraft.continuePath(path, 0);
}

void Runway::setPathForFinal(const std::shared_ptr<Aircraft>& aircraft) const {
    if (aircraft) setPathForFinal(*aircraft);
}

void Runway::addVectorFinal(KZ_spline& path) const {
    path.addPoint(makeVector(_touchDownVector1));
    path.addPoint(makeVector(_touchDownVector2));
    path.addPoint(makeVector(_position));
}

void Runway::render() const {
    if (_rwyLights) _rwyLights->render();
}
