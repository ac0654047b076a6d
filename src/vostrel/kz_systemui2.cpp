#include "vostrel/kz_systemui2.h"

#include <algorithm>

#include "platform/text.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_radiobutton.h"
#include "vostrel/kz_textbox.h"

KZ_systemUI2::KZ_systemUI2() = default;

void KZ_systemUI2::_append(const std::shared_ptr<KZ_UIelement>& w) {
    w->setID(_UIid);
    _itemList.push_back(w);
    ++_UIid;
}

std::shared_ptr<KZ_button> KZ_systemUI2::CreateButton(int x, int y, const plat::ImagePtr& image,
                                                      KZ_receiver receiver, int screenId) {
    auto b = KZ_button::Create(x, y, image, receiver, screenId);
    _append(b);
    return b;
}

std::shared_ptr<KZ_textbox> KZ_systemUI2::createTextbox(int x, int y, int width, int height, KZ_receiver receiver,
                                                        int screenId) {
    auto b = KZ_textbox::Create(x, y, width, height, receiver, screenId);
    _append(b);
    return b;
}

std::shared_ptr<KZ_radioButton> KZ_systemUI2::CreateRadioButton(int x, int y, int group, KZ_receiver receiver,
                                                                int screenId) {
    auto b = KZ_radioButton::Create(x, y, group, receiver, screenId);
    _append(b);
    return b;
}

int KZ_systemUI2::removeItem(const std::shared_ptr<KZ_UIelement>& item) {
    if (!item) return 0;
    auto it = std::find(_itemList.begin(), _itemList.end(), std::static_pointer_cast<Object>(item));
    if (it == _itemList.end()) return 0;
    const long long index = it - _itemList.begin();
    _itemList.erase(it);
    if (index <= _walkPos) --_walkPos;  // outside a walk _walkPos is -1
    // A removed widget must not be called again through the hover, the focus or its group.
    item->_detach();
    if (auto radio = std::dynamic_pointer_cast<KZ_radioButton>(item)) KZ_radioButton::_forget(radio.get());
    return 0;
}

template <class Fn>
void KZ_systemUI2::_walk(Fn fn) {
    const long long outer = _walkPos;  // render never runs inside update, but stay correct if it did
    for (_walkPos = 0; _walkPos < static_cast<long long>(_itemList.size()); ++_walkPos) {
        auto w = std::dynamic_pointer_cast<KZ_UIelement>(_itemList[size_t(_walkPos)]);
        if (w && w->getSID() == KZ_UIelement::getCurrentSID()) fn(*w);
    }
    _walkPos = outer;
}

int KZ_systemUI2::update() {
    _nextButton();
    _nextKey();
    _walk([](KZ_UIelement& w) { w.update(); });
    return 0;
}

int KZ_systemUI2::render() {
    _walk([](KZ_UIelement& w) { w.render(); });
    return 0;
}

int KZ_systemUI2::inputUpdate(int mx, int my, int screenId) {
    KZ_UIelement::updateGlobal(mx, my, screenId);
    return 0;
}

int KZ_systemUI2::onScreenChange(int screenId) {
    KZ_UIelement::setCurrentSID(screenId);
    return 0;
}

int KZ_systemUI2::updateButtonQue(const std::string& text) {
    _buttonQue.push_back(text);
    return 0;
}

int KZ_systemUI2::updateKeyQue(const std::string& text) {
    _keyQue.push_back(text);
    return 0;
}

int KZ_systemUI2::_nextButton() {
    if (_buttonQue.empty()) {
        KZ_UIelement::setButtonClicked(0);
    } else {
        KZ_UIelement::setButtonClicked(plat::toInt(_buttonQue.front()));
        _buttonQue.pop_front();
    }
    return 0;
}

int KZ_systemUI2::_nextKey() {
    if (_keyQue.empty()) {
        KZ_UIelement::setKeyPressed(0);
    } else {
        KZ_UIelement::setKeyPressed(plat::toInt(_keyQue.front()));
        _keyQue.pop_front();
    }
    return 0;
}
