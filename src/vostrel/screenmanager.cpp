#include "vostrel/screenmanager.h"

#include "imports/kz_imagefx.h"
#include "platform/canvas.h"
#include "platform/window.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/resourcemanager.h"

float ScreenManager::_drawScale = 1.0f;
[[maybe_unused]] static const bool drawScaleForgotten =
    (SingletonRegistry::onReset([] { ScreenManager::setDrawScale(1.0f); }), true);

ScreenManager::ScreenManager() = default;

int ScreenManager::initFont() {
    text_norm = KZ_imageString::Create(ResourceManager::GetInstance()->retrieveImageFont("KZ_default"));
    return 0;
}

int ScreenManager::setDrawScale(float scale) {
    _drawScale = scale;
    return 0;
}

float ScreenManager::getDrawScale() { return _drawScale; }

int ScreenManager::textCenterAlignX(const std::string& text) const { return _width / 2 - plat::textWidth(text) / 2; }

int ScreenManager::textRightAlignX(const std::string& text) const { return _width - plat::textWidth(text); }

int ScreenManager::init(int width, int height, int fps, const std::shared_ptr<KZ_systemUI2>& ui) {
    _width = width;
    _height = height;
    _fps = fps;
    _ui = ui;
    _activeFadeRate = _fadeRate;
    return 0;
}

int ScreenManager::setScreen(const ScreenPtr& screen) {
    _current = screen;
    if (_ui) _ui->onScreenChange(getSid());
    _phase = NORMAL;
    _shadeAlpha = 0.0f;
    return 0;
}

int ScreenManager::navBack() {
    // A Back during a fade is the same click twice: taken, it would pop the screen the first
    // Back pushed and bring it back with itself on top of the history, so that Back could
    // never leave it again.
    if (_navHistory.empty() || _phase != NORMAL) return 0;
    ScreenPtr back = _navHistory.back();
    _navHistory.pop_back();
    switchTo(back, 1, 0.0f);
    return 1;
}

int ScreenManager::getSid() const { return _current ? _current->getID() : -1; }

int ScreenManager::Update() {
    ++_frameCount;
    plat::cls();
    if (_ui) _ui->update();
    // Each branch holds on to its screen for the whole frame: a switch requested from the
    // screen's own update must not get a screen drawn before its fade-in has started.
    switch (_phase) {
        case NORMAL: {
            ScreenPtr shown = _current;
            if (shown) {
                shown->update();
                shown->render();
                if (_ui) _ui->render();
                if (_pauseBGimg) plat::drawImage(*_pauseBGimg, 0.0f, 0.0f, 0);
            }
            break;
        }
        case FADE_OUT: {
            ScreenPtr leaving = _out;
            if (leaving) {
                leaving->update();
                leaving->render();
            }
            if (_ui) _ui->render();
            _updateTransition();
            break;
        }
        case FADE_IN: {
            ScreenPtr coming = _in;
            if (coming) {
                coming->update();
                coming->render();
            }
            if (_ui) _ui->render();
            _updateTransition();
            break;
        }
        default:
            break;
    }
    plat::flip();
    return 0;
}

int ScreenManager::switchTo(const ScreenPtr& screen, int push, float rate) {
    if (!screen) return 0;
    _activeFadeRate = (rate == 0.0f) ? _fadeRate : rate;
    _in = screen;
    if (!_current) {
        _phase = FADE_IN;
        _in->onFadeInStart();
        _current = screen;
        if (_ui) _ui->onScreenChange(getSid());
    } else {
        _phase = FADE_OUT;
        _out = _current;
        _out->onFadeOutStart();
        if (push) _navHistory.push_back(_out);
    }
    return 0;
}

int ScreenManager::mouseMove(int x, int y) {
    ScreenPtr s = _current;
    if (!s) return 0;
    s->onMouseMove(x, y);
    if (_ui) _ui->inputUpdate(x, y, getSid());
    return 0;
}

int ScreenManager::mouseUp(int x, int y) {
    ScreenPtr s = _current;
    if (!s) return 0;
    s->onMouseUp(x, y);
    if (_ui) {
        _ui->updateButtonQue("1");
        _ui->inputUpdate(x, y, getSid());
    }
    return 0;
}

int ScreenManager::mousePressed(int x, int y) {
    ScreenPtr s = _current;
    if (!s) return 0;
    s->onMouseDown(x, y);
    if (_ui) _ui->inputUpdate(x, y, getSid());
    return 0;
}

int ScreenManager::keyPress(int key) {
    ScreenPtr s = _current;
    if (!s) return 0;
    s->onKeyPress(key);
    if (_ui) _ui->updateKeyQue(std::to_string(key));
    return 0;
}

int ScreenManager::dragStart(int x, int y) {
    if (ScreenPtr s = _current) s->onDragStart(x, y);
    return 0;
}

int ScreenManager::dragging(int x, int y) {
    if (ScreenPtr s = _current) s->onDrag(x, y);
    return 0;
}

int ScreenManager::dragStop(int x, int y) {
    if (ScreenPtr s = _current) s->onDragStop(x, y);
    return 0;
}

int ScreenManager::pauseView() {
    if (_phase != NORMAL || _width <= 0 || _height <= 0) return 0;
    // The grab reads the last presented picture, so the snapshot shows what the player saw.
    plat::ImagePtr shot = plat::Image::create(_width, _height, 1);
    shot->grab(0, 0, 0);
    plat::PixelBufferPtr grey = KZ_imageFX::colorToBWImg(shot, 0.5f);
    if (!grey) return 0;
    _pauseBGimg = plat::Image::fromPixels(*grey);
    return 1;
}

int ScreenManager::unpauseView() {
    _pauseBGimg = nullptr;
    return 0;
}

int ScreenManager::_updateTransition() {
    if (_phase == FADE_IN) {
        if (_shadeAlpha <= 0.0f) {
            _shadeAlpha = 0.0f;
            _current = _in;
            if (_ui) _ui->onScreenChange(getSid());
            _phase = NORMAL;
            if (_current) _current->onFadeInEnd();
        } else {
            _shadeAlpha -= _activeFadeRate;
        }
    } else if (_phase == FADE_OUT) {
        if (_shadeAlpha >= 1.0f) {
            _shadeAlpha = 1.0f;
            _phase = FADE_IN;
            if (_out) _out->onFadeOutEnd();
            if (_in) _in->onFadeInStart();
            _current = _in;
            if (_ui) _ui->onScreenChange(getSid());
        } else {
            _shadeAlpha += _activeFadeRate;
        }
    }
    _renderShade();
    return 0;
}

int ScreenManager::_renderShade() {
    plat::setAlpha(_shadeAlpha);
    plat::setColor(0, 0, 0);
    plat::drawRect(0.0f, 0.0f, float(_width), float(_height));
    plat::setColor(255, 255, 255);
    plat::setAlpha(1.0f);
    return 0;
}

int ScreenManager::draw(const plat::ImagePtr& image, float x, float y, int frame, float scaleX, float scaleY) {
    if (!image) return 0;
    plat::setScale(scaleX * _drawScale, scaleY * _drawScale);
    plat::drawImage(*image, x, y, frame);
    plat::setScale(1.0f, 1.0f);
    return 0;
}

int ScreenManager::auxShade(float alpha) {
    if (alpha < 1.0f) {
        plat::setAlpha(alpha);
        plat::setColor(0, 0, 0);
        plat::drawRect(0.0f, 0.0f, float(_width), float(_height));
        plat::setAlpha(1.0f);
    } else {
        plat::setColor(0, 0, 0);
        plat::drawRect(0.0f, 0.0f, float(_width), float(_height));
    }
    plat::setColor(255, 255, 255);
    return 0;
}
