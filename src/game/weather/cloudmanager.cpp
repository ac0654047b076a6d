#include "game/weather/cloudmanager.h"

#include <algorithm>

#include "game/display/renderer.h"

void CloudManager::add(const plat::ImagePtr& img, const Vector& position, const Vector& velocity, float alpha,
                       float fadeRate) {
    _cloudList.push_back(CloudItem::Create(img, position, velocity, alpha, fadeRate));
}

void CloudManager::remove(const CloudItemPtr& item) {
    auto it = std::find(_cloudList.begin(), _cloudList.end(), item);
    if (it != _cloudList.end()) _cloudList.erase(it);
}

void CloudManager::update() {
    // Over a copy: dropping a faded puff must not skip the one after it.
    const std::vector<CloudItemPtr> items = _cloudList;
    for (const auto& item : items) {
        item->update();
        if (item->alpha <= 0.0f) remove(item);
    }
}

void CloudManager::renderTo(Renderer& renderer) { renderer.renderClouds(*this); }

void CloudManager::render() {
    for (const auto& item : _cloudList) item->render();
}
