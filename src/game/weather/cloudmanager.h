// The decorative puffs (the smoke of a damaged aircraft); no part of the game's rules.
#pragma once
#include <memory>
#include <vector>

#include "game/weather/clouditem.h"
#include "vostrel/singleton.h"

class Renderer;

class CloudManager : public Object, public Singleton<CloudManager> {
public:
    CloudManager() = default;

    void reset() { _cloudList.clear(); }
    void add(const plat::ImagePtr& img, const Vector& position, const Vector& velocity, float alpha, float fadeRate);
    void remove(const CloudItemPtr& item);
    // Moves and fades every puff; a puff faded out is dropped in the same update.
    void update();
    void renderTo(Renderer& renderer);
    void render();

    const std::vector<CloudItemPtr>& getCloudList() const { return _cloudList; }

private:
    std::vector<CloudItemPtr> _cloudList;
};

using CloudManagerPtr = std::shared_ptr<CloudManager>;
