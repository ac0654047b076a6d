// A storm or rain cloud drifting over the airport; an armed one strikes once when its
// countdown reaches exactly 0.
#pragma once
#include <memory>

#include "game/traffic/gameobject.h"
#include "platform/image.h"

class WeatherCloud;
using WeatherCloudPtr = std::shared_ptr<WeatherCloud>;

class WeatherCloud : public GameObject {
public:
    WeatherCloud() = default;

    void update() override;
    void saveState(const std::shared_ptr<StateManager>& state) override;
    void loadState(const plat::StreamPtr& stream) override;
    void renderTo(Renderer& renderer) override;
    void onRemove() override;

    static WeatherCloudPtr Create(const Vector& position, const Vector& velocity, const plat::ImagePtr& img);
    void setStrikeTime(int frames) { _timeToStrike = frames; }
    int getStrkieTime() const { return _timeToStrike; }
    // 1 when the point lies strictly inside the strike circle.
    int isInStrikeZone(const Vector& point) const;
    void _lightningStrike();
    void render();

    const plat::ImagePtr& getImage() const { return _img; }
    const Vector& getCenter() const { return _center; }
    float getRadius() const { return _radius; }

private:
    plat::ImagePtr _img;
    int _timeToStrike = 0;
    Vector _center;
    float _radius = 0.0f;
};
