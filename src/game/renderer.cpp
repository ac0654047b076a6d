#include "game/renderer.h"

#include <vector>

#include "game/aircraft.h"
#include "game/airport.h"
#include "game/cloudmanager.h"
#include "game/gameui.h"
#include "game/gameworld.h"
#include "game/globallightning.h"
#include "game/weathercloud.h"

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
