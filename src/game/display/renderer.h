// Draws one frame of the play screen: the airport, the world objects in their list order
// (lowest first), the smoke puffs, then the in-game display.
#pragma once
#include <memory>

#include "imports/object.h"

class Aircraft;
class Airport;
class GameUI;
class CloudManager;
class WeatherCloud;
class GlobalLightning;

class Renderer : public Object {
public:
    Renderer() = default;

    void update();
    // Each calls the object's render() and nothing else.
    void renderAircraft(Aircraft& a);
    void renderAirport(Airport& a);
    void renderUI(GameUI& ui);
    void renderClouds(CloudManager& c);
    void renderWeatherClouds(WeatherCloud& c);
    void renderGlobalLightning(GlobalLightning& g);
};

using RendererPtr = std::shared_ptr<Renderer>;
