// Runs every frame: clears, drives the widgets, updates and draws the shown screen, fades
// between screens through black, keeps the back history, routes input and presents.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/image.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/kz_imagestring.h"
#include "imports/object.h"
#include "vostrel/singleton.h"

class KZ_systemUI2;

class ScreenManager : public Object, public Singleton<ScreenManager> {
public:
    static constexpr int NORMAL = 0;
    static constexpr int FADE_OUT = 1;
    static constexpr int FADE_IN = 2;

    ScreenManager();

    int initFont();
    static int setDrawScale(float scale);
    static float getDrawScale();
    int getFrameCount() const { return _frameCount; }
    int getFps() const { return _fps; }
    int textCenterAlignX(const std::string& text) const;
    int textRightAlignX(const std::string& text) const;
    int init(int width, int height, int fps, const std::shared_ptr<KZ_systemUI2>& ui);
    int setScreen(const ScreenPtr& screen);
    ScreenPtr getScreen() const { return _current; }
    // 1 when it switches; 0 when there is nothing to go back to or a fade is running.
    int navBack();
    int getPhase() const { return _phase; }
    int getSid() const;
    int Update();
    int switchTo(const ScreenPtr& screen, int push, float rate);
    int mouseMove(int x, int y);
    int mouseUp(int x, int y);
    int mousePressed(int x, int y);
    int keyPress(int key);
    int dragStart(int x, int y);
    int dragging(int x, int y);
    int dragStop(int x, int y);
    int pauseView();
    int unpauseView();
    int getWidth() const { return _width; }
    int getHeight() const { return _height; }
    int draw(const plat::ImagePtr& image, float x, float y, int frame, float scaleX, float scaleY);
    int auxShade(float alpha);

    KZ_imageStringPtr text_norm;

    // Read access for tests and tools.
    float shadeAlpha() const { return _shadeAlpha; }
    const std::vector<ScreenPtr>& navHistory() const { return _navHistory; }
    plat::ImagePtr pauseImage() const { return _pauseBGimg; }

protected:
    int _updateTransition();
    int _renderShade();

    ScreenPtr _in;
    ScreenPtr _current;
    ScreenPtr _out;
    int _phase = NORMAL;
    std::vector<ScreenPtr> _navHistory;
    int _width = 0;
    int _height = 0;
    // 32-bit floats on purpose: each half of a fade at 0.1 takes 11 frames this way.
    float _shadeAlpha = 1.0f;
    float _fadeRate = 0.1f;
    float _activeFadeRate = 0.0f;
    std::shared_ptr<KZ_systemUI2> _ui;
    int _frameCount = 0;
    int _fps = 0;
    plat::ImagePtr _pauseBGimg;

    static float _drawScale;
};
using ScreenManagerPtr = std::shared_ptr<ScreenManager>;
