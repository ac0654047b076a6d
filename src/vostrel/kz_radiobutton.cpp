#include "vostrel/kz_radiobutton.h"

#include "platform/canvas.h"
#include "vostrel/kz_event.h"
#include "vostrel/singleton.h"

[[maybe_unused]] static const bool groupsForgotten =
    (SingletonRegistry::onReset([] { KZ_radioButton::_groupMap.clear(); }), true);

std::shared_ptr<KZ_radioButton> KZ_radioButton::Create(int x, int y, int group, KZ_receiver receiver,
                                                       int screenId) {
    auto b = std::make_shared<KZ_radioButton>();
    b->_x = float(x);
    b->_y = float(y);
    b->_group = group;
    b->_receiver = receiver;
    b->_screenID = screenId;
    _groupMap[std::to_string(group)] = nullptr;
    return b;
}

std::shared_ptr<KZ_radioButton> KZ_radioButton::getSelected(int group) {
    auto it = _groupMap.find(std::to_string(group));
    return it == _groupMap.end() ? nullptr : it->second;
}

int KZ_radioButton::_isSelected() const {
    auto sel = getSelected(_group);
    return sel.get() == this ? 1 : 0;
}

void KZ_radioButton::_onClickLocal(int) {
    const std::string key = std::to_string(_group);
    auto previous = _groupMap[key];
    if (previous && previous.get() != this) previous->_send(KZ_event::ONUNSELECTED);
    _groupMap[key] = std::static_pointer_cast<KZ_radioButton>(_self());
    _send(KZ_event::ONSELECTED);
}

void KZ_radioButton::_forget(const KZ_radioButton* button) {
    for (auto& [key, sel] : _groupMap) {
        if (sel.get() == button) sel = nullptr;
    }
}

void KZ_radioButton::render() {
    if (!_visibility || !_enabled) return;
    plat::drawOval(_x, _y, float(_size), float(_size));
    if (_isSelected()) {
        plat::setColor(0, 0, 0);
        plat::drawOval(_x + float(_size / 4), _y + float(_size / 4), float(_size / 2), float(_size / 2));
        plat::setColor(255, 255, 255);
    }
}
