// One runway light: a small disc that flashes up and fades out, in 32-bit floats so the
// fade takes the same number of frames everywhere.
#pragma once
#include <memory>

#include "imports/object.h"
#include "imports/vector.h"

class ShapeLight;
using ShapeLightPtr = std::shared_ptr<ShapeLight>;

class ShapeLight : public Object {
public:
    // A one-shot light switches itself off at the end of its fall.
    static constexpr int ONESHOT = 1;

    ShapeLight() = default;

    static ShapeLightPtr Create(const Vector& position, int radius, int r, int g, int b);
    void on() { _active = 1; }
    void off();
    void changeColor(int r, int g, int b);
    void update();
    void render() const;

    // Read access for the lights and for tests.
    const Vector& getPosition() const { return _position; }
    int getRadius() const { return _radius; }
    int getR() const { return _r; }
    int getG() const { return _g; }
    int getB() const { return _b; }
    float getAlpha() const { return _alpha; }
    int isActive() const { return _active; }
    int getDir() const { return _dir; }

private:
    Vector _position;
    int _radius = 0;
    int _r = 0, _g = 0, _b = 0;
    float _intensity = 1.0f;
    float _alpha = 0.0f;
    float _ramp_up_rate = 10.0f;
    float _ramp_down_rate = 0.1f;
    int _active = 0;
    int _dir = 1;
    int _mode = ONESHOT;
};
