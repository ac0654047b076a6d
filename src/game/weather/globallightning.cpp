#include "game/weather/globallightning.h"

#include "game/display/renderer.h"
#include "game/weather/weathersystem.h"
#include "platform/canvas.h"
#include "platform/sys.h"
#include "vostrel/screenmanager.h"

GlobalLightning::GlobalLightning() {
    _height = 11000.0f;
    _timer = _length;
    auto sm = ScreenManager::GetInstance();
    _sWidth = sm->getWidth();
    _sHeight = sm->getHeight();
}

void GlobalLightning::update() {
    _timer -= 1;
    if (_timer == 0) WeatherSystem::GetInstance()->removeGlobalLightning();
    _on = plat::Rand(0, 1) == 1 ? 1 : 0;
}

void GlobalLightning::saveState(const std::shared_ptr<StateManager>& state) { (void)state; }
void GlobalLightning::loadState(const plat::StreamPtr& stream) { (void)stream; }
void GlobalLightning::renderTo(Renderer& renderer) { renderer.renderGlobalLightning(*this); }
void GlobalLightning::onRemove() {}

void GlobalLightning::render() {
    if (_on != 1) return;
    plat::setBlend(plat::LIGHTBLEND);
    plat::drawRect(0.0f, 0.0f, float(_sWidth), float(_sHeight));
    plat::setBlend(plat::ALPHABLEND);
}
