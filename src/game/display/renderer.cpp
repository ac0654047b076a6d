#include "game/display/renderer.h"

#include <vector>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/weather/cloudmanager.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "game/weather/globallightning.h"
#include "game/weather/weathercloud.h"

void Renderer::update() {
    Airport::getInstance()->renderTo(*this);
    // A copy: drawing never changes the list, but a holder of the list may.
    const std::vector<GameObjectPtr> objects = GameWorld::GetInstance()->getWorldList();
    for (const auto& o : objects)
        if (o) o->renderTo(*this);
    CloudManager::GetInstance()->renderTo(*this);
    GameUI::GetInstance()->renderTo(*this);
}

void Renderer::renderAircraft(Aircraft& a) { a.render(); }
void Renderer::renderAirport(Airport& a) { a.render(); }
void Renderer::renderUI(GameUI& ui) { ui.render(); }
void Renderer::renderClouds(CloudManager& c) { c.render(); }
void Renderer::renderWeatherClouds(WeatherCloud& c) { c.render(); }
void Renderer::renderGlobalLightning(GlobalLightning& g) { g.render(); }
