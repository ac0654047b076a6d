// Placeholder registry: queues input and draws nothing until the widgets land.
#include "vostrel/kz_systemui2.h"

KZ_systemUI2::KZ_systemUI2() = default;
int KZ_systemUI2::removeItem(const std::shared_ptr<KZ_UIelement>&) { return 0; }
int KZ_systemUI2::update() {
    _nextButton();
    _nextKey();
    return 0;
}
int KZ_systemUI2::inputUpdate(int, int, int) { return 0; }
int KZ_systemUI2::onScreenChange(int) { return 0; }
int KZ_systemUI2::updateButtonQue(const std::string& t) { _buttonQue.push_back(t); return 0; }
int KZ_systemUI2::updateKeyQue(const std::string& t) { _keyQue.push_back(t); return 0; }
int KZ_systemUI2::render() { return 0; }
int KZ_systemUI2::_nextButton() { if (!_buttonQue.empty()) _buttonQue.pop_front(); return 0; }
int KZ_systemUI2::_nextKey() { if (!_keyQue.empty()) _keyQue.pop_front(); return 0; }
