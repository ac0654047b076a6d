#include "screens/terminal.h"

#include "platform/canvas.h"
#include "screens/gamescreen.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

namespace {
constexpr int KEY_ESC = 27;
}

// "resturant" is the picture's file name as it stands.
Terminal::Terminal()
    : _addon_names{"restroom", "seating", "baggage", "fastfood", "phones",
                   "giftshop", "arcade", "resturant", "car_rental"},
      _addon_Position{281, 259, 50, 100, 397, 49, 429, 349, 630, 142, 342, 142, 523, 141, 58, 281, 542, 275} {}

int Terminal::incAddOnLevel() {
    if (_addonLevel < MAX_LEVEL) ++_addonLevel;
    return 0;
}

int Terminal::onFadeInStart() {
    auto res = ResourceManager::GetInstance();
    for (int i = 0; i < _addonLevel; ++i)
        _addonImages[size_t(i)] = res->getDirectImage("images/airport/" + _addon_names[size_t(i)] + ".png");
    _bgd = res->getDirectImage("images/airport/terminal.png");
    return 0;
}

int Terminal::onFadeOutEnd() {
    _bgd = nullptr;
    return 0;
}

int Terminal::onKeyPress(int key) {
    if (key == KEY_ESC) ScreenManager::GetInstance()->switchTo(GameScreen::GetInstance(), 1, 0.0f);
    return 0;
}

int Terminal::render() {
    const float s = ScreenManager::getDrawScale();
    plat::setScale(s, s);
    plat::drawImage(_bgd, 0.0f, 0.0f, 0);
    _renderAddons(s);
    plat::setScale(1.0f, 1.0f);
    return 0;
}

int Terminal::_renderAddons(float scale) {
    // Only what the last fade-in loaded: a level raised meanwhile shows from the next one.
    for (int i = 0; i < _addonLevel; ++i) {
        const auto& img = _addonImages[size_t(i)];
        if (!img) continue;
        plat::drawImage(img, float(_addon_Position[size_t(2 * i)]) * scale,
                        float(_addon_Position[size_t(2 * i + 1)]) * scale, 0);
    }
    return 0;
}

