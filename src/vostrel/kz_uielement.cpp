#include "vostrel/kz_uielement.h"

#include "platform/canvas.h"
#include "vostrel/kz_event.h"
#include "vostrel/singleton.h"

// Tests that run many cases in one process start each with no hover, no focus and no input.
[[maybe_unused]] static const bool classWideForgotten = (SingletonRegistry::onReset([] {
    KZ_UIelement::_mX = KZ_UIelement::_mY = 0;
    KZ_UIelement::_buttonClicked = 0;
    KZ_UIelement::_keyPressed = 0;
    KZ_UIelement::_scale = 0.0f;
    KZ_UIelement::_currentSid = 0;
    KZ_UIelement::_hoverElement = nullptr;
    KZ_UIelement::_focus = nullptr;
}), true);

Object* KZ_receiver::get() const {
    if (_raw) return _raw;
    auto r = _weak.lock();
    return r.get();
}

bool KZ_receiver::deliver(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) const {
    if (_raw) {
        // Keep a shared receiver alive through its own handler when it is shared at all.
        auto keep = _raw->weak_from_this().lock();
        _raw->SendMessage(message, context);
        return true;
    }
    auto r = _weak.lock();
    if (!r) return false;
    r->SendMessage(message, context);
    return true;
}

std::shared_ptr<KZ_UIelement> KZ_UIelement::_self() {
    return std::static_pointer_cast<KZ_UIelement>(weak_from_this().lock());
}

void KZ_UIelement::_send(int id, int keyCode) {
    if (_removed || !_receiver) return;
    auto ev = KZ_event::Create(id);
    if (keyCode) ev->setKeyCode(keyCode);
    auto self = _self();
    _receiver.deliver(ev, self);
}

void KZ_UIelement::_switchFocus(const std::shared_ptr<KZ_UIelement>& w) {
    auto old = _hoverElement;  // a handler may change the hover; the old one stays valid
    if (old) old->_onMouseOut();
    if (w && !w->_removed) w->_onMouseOver();
    _hoverElement = (w && !w->_removed) ? w : nullptr;
}

void KZ_UIelement::_onClick() {
    if (_removed) return;
    auto self = _self();
    _onClickLocal(1);
    if (_focus.get() != this) {
        auto old = _focus;
        if (old) old->_onBlur();
        _onFocus();
        if (!_removed) _focus = self;
    }
    _send(KZ_event::ONCLICK);
}

void KZ_UIelement::_onFocus() { _send(KZ_event::ONFOCUS); }
void KZ_UIelement::_onBlur() { _send(KZ_event::ONBLUR); }

void KZ_UIelement::_onMouseOver() {
    if (_removed || !_receiver) return;
    _hover = 1;
    _send(KZ_event::ONMOUSEOVER);
}

void KZ_UIelement::_onMouseOut() {
    if (_removed || !_receiver) return;
    _hover = 0;
    _send(KZ_event::ONMOUSEOUT);
}

void KZ_UIelement::_onKeypressed() {
    if (_removed || !_receiver) return;
    const int key = _keyPressed;
    _onKeyPressedLocal(key);
    _send(KZ_event::ONKEYPRESSED, key);
}

void KZ_UIelement::update() {
    if (_screenID != _currentSid || _removed) return;
    auto self = _self();  // handlers may drop every other reference to this widget
    if (_isMouseOver()) {
        if (_visibility && _enabled) {
            if (_buttonClicked != 0) {
                _onClick();
            } else if (_hoverElement.get() != this) {
                _switchFocus(self);
            }
        }
    } else if (_hoverElement.get() == this) {
        _switchFocus(nullptr);
    }
    if (hasFocus() && _keyPressed != 0) _onKeypressed();
}

void KZ_UIelement::_detach() {
    _removed = true;
    _hover = 0;
    if (_hoverElement.get() == this) _hoverElement = nullptr;
    if (_focus.get() == this) _focus = nullptr;
}

int KZ_UIelement::_textWidth(const std::string& s) {
    auto f = plat::getImageFont();
    return f ? f->textWidth(s) : 0;
}

int KZ_UIelement::_fontHeight() {
    auto f = plat::getImageFont();
    return f ? f->height() : 0;
}
