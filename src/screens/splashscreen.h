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
    int onFadeInEnd() override { return 0; }
    int onFadeOutStart() override { return 0; }
    int onFadeOutEnd() override;
    int onMouseMove(int, int) override { return 0; }
    int onMouseUp(int, int) override { return 0; }
    int onMouseDown(int, int) override { return 0; }
    int onKeyPress(int) override { return 0; }
    int onDragStart(int, int) override { return 0; }
    int onDrag(int, int) override { return 0; }
    int onDragStop(int, int) override { return 0; }

    int getTimer() const { return _timer; }

    plat::ImagePtr _bgd;
    int _timer = 100;
};
