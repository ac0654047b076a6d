#include "screens/splashscreen.h"

#include "screens/constants.h"
#include "platform/canvas.h"
#include "screens/menuscreen.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

SplashScreen::SplashScreen() { _id = Constants::SPLASH; }

int SplashScreen::update() {
    // Exactly 0, not "<= 0": the screen manager keeps updating the splash through its own
    // fade-out, and the counter runs on below 0 there without switching again.
    _timer -= 1;
    if (_timer == 0) ScreenManager::GetInstance()->switchTo(MenuScreen::GetInstance(), 1, 0.0f);
    return 0;
}

int SplashScreen::render() {
    plat::drawImage(_bgd, 0.0f, 0.0f, 0);
    return 0;
}

int SplashScreen::onFadeInStart() {
    _bgd = ResourceManager::GetInstance()->getDirectImage("images/logo.png");
    return 0;
}

int SplashScreen::onFadeOutEnd() {
    _bgd = nullptr;
    return 0;
}
