// The terminal building with its facilities, one more shown for each add-on level. No
// screen opens it yet; it is complete so that one can.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "platform/image.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/singleton.h"

class Terminal : public inf_screenManager, public Singleton<Terminal> {
public:
    static constexpr int MAX_LEVEL = 9;

    Terminal();

    int render() override;
    int onFadeInStart() override;
    int onFadeOutEnd() override;
    int onKeyPress(int key) override;

    int incAddOnLevel();
    int getAddOnLevel() const { return _addonLevel; }
    int _renderAddons(float scale);

    // Read access for tests.
    const std::array<plat::ImagePtr, 9>& addonImages() const { return _addonImages; }

protected:
    std::array<std::string, 9> _addon_names;
    std::array<int, 18> _addon_Position;
    std::array<plat::ImagePtr, 9> _addonImages;
    int _addonLevel = 0;
    plat::ImagePtr _bgd;
};
