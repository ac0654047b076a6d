// The two rows of lights along a runway's long edges. While on, they light pair after
// pair from the threshold end towards the far end, one pair every few frames, and start
// again; the pair at the very far end is never lit by the sweep.
#pragma once
#include <memory>
#include <vector>

#include "game/airport/shapelight.h"
#include "imports/object.h"
#include "imports/vector.h"

class Runway;
class RunwayLights;
using RunwayLightsPtr = std::shared_ptr<RunwayLights>;

class RunwayLights : public Object {
public:
    RunwayLights() = default;

    // Takes the runway's length, width, centre and heading, then places the lights.
    static RunwayLightsPtr Create(const Runway& runway);
    void _init();
    void setColorYellow();
    void setColorGreen();
    // Resumes the sweep where it stood.
    void on() { _active = 1; }
    // Darkens every light and rewinds the sweep to the threshold end.
    void off();
    void update();
    void render() const;
    // Development aid: the two runway edges as lines.
    void debugRender() const;

    // Read access for tests and the airport picture check.
    int getLightCount() const { return _lightCount; }
    const std::vector<ShapeLightPtr>& getLightsArray() const { return _lightsArray; }
    int getLightIndex() const { return _lightIndex; }
    int isActive() const { return _active; }

private:
    int _lastIndex() const { return int(_lightsArray.size()) - 1; }

    int _length = 0;
    int _width = 0;
    Vector _position;
    float _heading = 0.0f;
    int _lightCount = 10;
    std::vector<ShapeLightPtr> _lightsArray;
    int _lightIndex = 0;
    int _delay = 3;
    int _delayCounter = 0;
    int _active = 0;
};
