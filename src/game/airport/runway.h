// One landing strip: centre, heading, length and width, the aircraft class it serves,
// the threshold box a drawn path must end in, the touch-down points and its lights.
//
// A heading h points from the centre towards the threshold end along (sin h, -cos h):
// 0 is up the screen, 90 to the right.
#pragma once
#include <memory>

#include "game/airport/runwaylights.h"
#include "imports/kz_boundingbox.h"
#include "imports/kz_spline.h"
#include "imports/object.h"
#include "imports/vector.h"

class Aircraft;
class Runway;
using RunwayPtr = std::shared_ptr<Runway>;

class Runway : public Object {
public:
    Runway() = default;

    // position in design pixels, heading in whole degrees, length in design pixels,
    // class LIGHT 0 or HEAVY 1.
    static RunwayPtr Create(const Vector& position, int heading, int length, int cls);
    // The scale applied to every runway created afterwards.
    static void set_Scale(float scale);
    static float get_Scale();

    float getHeading() const { return float(_heading); }
    const Vector& getPosition() const { return _position; }
    int getLength() const { return _length; }
    int getWidth() const { return _width; }
    int getClass() const { return _class; }
    void update();
    const RunwayLightsPtr& getRuwayLights() const { return _rwyLights; }
    void lightsOff();
    // 1 when the control point before the last lies in the threshold box (the engine
    // keeps a drawn path's end doubled, so that is the bead under the cursor).
    int onFinal(const KZ_spline& path) const;
    int onFinal(const KZ_splinePtr& path) const { return path ? onFinal(*path) : 0; }
    int inThreshold(const Vector& point) const;
    // Rewrites the end of the aircraft's drawn path into the final approach: the beads
    // near the threshold give way to touch-down point 1, then on to the centre.
    void setPathForFinal(Aircraft& aircraft) const;
    void setPathForFinal(const std::shared_ptr<Aircraft>& aircraft) const;
    // Touch-down point 1, touch-down point 2, then the centre.
    void addVectorFinal(KZ_spline& path) const;
    void addVectorFinal(const KZ_splinePtr& path) const { if (path) addVectorFinal(*path); }
    void render() const;

    // Read access for the engine, the fleet and tests.
    const Vector& getTouchDownVector1() const { return _touchDownVector1; }
    const Vector& getTouchDownVector2() const { return _touchDownVector2; }
    const KZ_boundingBoxPtr& getHotspot1() const { return _hotspot1; }

    // Trims a drawn curve whose bead `i` lies in the threshold box so that it ends at
    // touch-down point 1 then the centre; pathIndex is the cursor of an aircraft flying
    // the curve (0 when none). The aircraft-free half of setPathForFinal.
    void joinFinal(KZ_spline& path, int i, int pathIndex = 0) const;
    // The index of the bead (the one before the last, then the last) in the threshold
    // box, or -1.
    int finalBeadIndex(const KZ_spline& path) const;

private:
    int _heading = 0;
    int _length = 0;
    Vector _position;
    int _width = 30;
    KZ_boundingBoxPtr _hotspot1;
    Vector _touchDownVector1;
    Vector _touchDownVector2;
    int _class = 0;
    RunwayLightsPtr _rwyLights;

    static float _scale;
};
