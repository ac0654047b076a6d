// The widget registry: holds every widget in the order it was made, turns raw input into
// widget events once per frame and draws the current screen's widgets.
#pragma once
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/image.h"
#include "vostrel/kz_uielement.h"
#include "imports/object.h"
#include "vostrel/singleton.h"

class KZ_button;
class KZ_textbox;
class KZ_radioButton;

class KZ_systemUI2 : public Object, public Singleton<KZ_systemUI2> {
public:
    KZ_systemUI2();

    // Each makes the widget, gives it the next id and appends it to the list. The receiver
    // is a shared_ptr (held weakly) or, for a screen, a plain pointer (see KZ_receiver).
    std::shared_ptr<KZ_button> CreateButton(int x, int y, const plat::ImagePtr& image, KZ_receiver receiver,
                                            int screenId);
    std::shared_ptr<KZ_textbox> createTextbox(int x, int y, int width, int height, KZ_receiver receiver,
                                              int screenId);
    std::shared_ptr<KZ_radioButton> CreateRadioButton(int x, int y, int group, KZ_receiver receiver,
                                                      int screenId);
    // Takes the widget out of the list; it is no longer updated, drawn, hovered or focused.
    // A widget that is not in the list (or nullptr) changes nothing.
    int removeItem(const std::shared_ptr<KZ_UIelement>& item);
    int update();
    int inputUpdate(int mx, int my, int screenId);
    int onScreenChange(int screenId);
    int updateButtonQue(const std::string& text);
    int updateKeyQue(const std::string& text);
    int render();

    const std::vector<std::shared_ptr<Object>>& items() const { return _itemList; }

protected:
    int _nextButton();
    int _nextKey();
    void _append(const std::shared_ptr<KZ_UIelement>& w);
    // Calls fn on every widget of the current screen, in list order. Widgets appended by a
    // handler are reached too; a widget removed by a handler is skipped from then on.
    template <class Fn>
    void _walk(Fn fn);

    std::vector<std::shared_ptr<Object>> _itemList;
    int _UIid = 1;
    std::list<std::string> _buttonQue;
    std::list<std::string> _keyQue;
    // Position of the running walk, moved back when an earlier entry is removed; -1 outside.
    long long _walkPos = -1;
};
