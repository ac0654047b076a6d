// The logo, shown once at start-up for 100 frames before the main menu.
#pragma once
#include <memory>

#include "platform/image.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/singleton.h"

class SplashScreen : public inf_screenManager, public Singleton<SplashScreen> {
public:
    SplashScreen();

    int update() override;
    int render() override;
    int onFadeInStart() override;
    int onFadeOutEnd() override;

    int getTimer() const { return _timer; }

    plat::ImagePtr _bgd;
    int _timer = 100;
};
