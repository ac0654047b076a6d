// The widget registry: holds every widget, turns raw input into widget events once per
// frame and draws the current screen's widgets.
#pragma once
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "vostrel/object.h"
#include "vostrel/singleton.h"

class KZ_UIelement;

class KZ_systemUI2 : public Object, public Singleton<KZ_systemUI2> {
public:
    KZ_systemUI2();

    int removeItem(const std::shared_ptr<KZ_UIelement>& item);
    int update();
    int inputUpdate(int mx, int my, int screenId);
    int onScreenChange(int screenId);
    int updateButtonQue(const std::string& text);
    int updateKeyQue(const std::string& text);
    int render();

protected:
    int _nextButton();
    int _nextKey();

    std::vector<std::shared_ptr<Object>> _itemList;
    int _UIid = 1;
    std::list<std::string> _buttonQue;
    std::list<std::string> _keyQue;
};
