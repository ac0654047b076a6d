// The lightning flash: for 30 frames the whole screen may light up, at random.
#pragma once
#include <memory>

#include "game/traffic/gameobject.h"

class GlobalLightning;
using GlobalLightningPtr = std::shared_ptr<GlobalLightning>;

class GlobalLightning : public GameObject {
public:
    GlobalLightning();

    void update() override;
    void saveState(const std::shared_ptr<StateManager>& state) override;
    void loadState(const plat::StreamPtr& stream) override;
    void renderTo(Renderer& renderer) override;
    void onRemove() override;
    void render();

    int getTimer() const { return _timer; }
    int isOn() const { return _on; }

private:
    int _length = 30;
    int _timer = 30;
    int _on = 0;
    int _sWidth = 0;
    int _sHeight = 0;
};
