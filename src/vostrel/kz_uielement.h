// The widget base: position, size, flags, the owning screen, and the class-wide state
// (mouse, pending click and key, hover and focus) that turns input into widget events.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>

#include "imports/object.h"

// Who hears a widget's events.
// - A shared_ptr is held weakly: a widget never keeps its receiver alive, and a receiver
//   that has gone simply hears nothing.
// - A plain pointer is for a receiver that outlives its widgets (a screen: screens are
//   singletons kept for the whole run). It lets a screen make its widgets inside its own
//   constructor, before any shared_ptr to it exists.
class KZ_receiver {
public:
    KZ_receiver() = default;
    KZ_receiver(std::nullptr_t) {}
    KZ_receiver(Object* wholeRun) : _raw(wholeRun) {}
    template <class T>
        requires std::is_convertible_v<T*, Object*>
    KZ_receiver(const std::shared_ptr<T>& r) : _weak(std::shared_ptr<Object>(r)), _raw(nullptr) {}

    // The receiver while it exists, else nullptr.
    Object* get() const;
    explicit operator bool() const { return get() != nullptr; }
    // Calls the receiver's SendMessage; false when there is no receiver.
    bool deliver(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) const;

private:
    std::weak_ptr<Object> _weak;
    Object* _raw = nullptr;
};

class KZ_UIelement : public Object {
public:
    ~KZ_UIelement() override = default;

    // ---- Per widget ----
    int _width = 0, _height = 0;      // hit area
    float _x = 0.0f, _y = 0.0f;       // top-left corner
    int _enabled = 1;
    int _visibility = 1;
    KZ_receiver _receiver;
    int _hover = 0;                   // 1 while this is the hover widget (only with a receiver)
    int _group = 0;                   // radio-button group
    int _uiID = -1;
    int _screenID = 0;
    // Set when the registry drops the widget: it is neither hover nor focus any more and
    // sends nothing, even if a screen still holds it.
    bool _removed = false;

    // ---- Class-wide ----
    static inline int _mX = 0, _mY = 0;
    static inline int _buttonClicked = 0;
    static inline int _keyPressed = 0;
    static inline float _scale = 0.0f;   // kept for the start-up; the screens scale positions themselves
    static inline int _currentSid = 0;
    static inline std::shared_ptr<KZ_UIelement> _hoverElement;
    static inline std::shared_ptr<KZ_UIelement> _focus;

    virtual void render() = 0;
    virtual int _isMouseOver() = 0;
    static void _switchFocus(const std::shared_ptr<KZ_UIelement>& w);
    void endable() { _enabled = 1; }
    void disable() { _enabled = 0; }
    void show() { _visibility = 1; }
    void hide() { _visibility = 0; }
    static void set_Scale(float f) { _scale = f; }
    void _onClick();
    void _onFocus();
    void _onBlur();
    void _onMouseOver();
    void _onMouseOut();
    void _onKeypressed();
    virtual void _onKeyPressedLocal(int key) { (void)key; }
    virtual void _onClickLocal(int flag) { (void)flag; }
    int hasFocus() const { return _focus.get() == this ? 1 : 0; }
    void update();
    static void updateGlobal(int mx, int my, int sid) { _mX = mx; _mY = my; _currentSid = sid; }
    static void setButtonClicked(int b) { _buttonClicked = b; }
    static void setKeyPressed(int k) { _keyPressed = k; }
    static void setCurrentSID(int sid) { _currentSid = sid; }
    static int getCurrentSID() { return _currentSid; }
    int getSID() const { return _screenID; }
    int getUid() const { return _uiID; }
    void setID(int id) {
        if (_uiID == -1 && id > 0) _uiID = id;
    }

    // Drops the widget from hover and focus without telling it (the registry's removal).
    void _detach();

protected:
    // Sends an event of that kind to the receiver with this widget as the context.
    void _send(int id, int keyCode = 0);
    std::shared_ptr<KZ_UIelement> _self();
    // Strict on all four sides, compared as floats.
    static bool _inside(float x, float y, float w, float h) {
        const float mx = float(_mX), my = float(_mY);
        return x < mx && mx < x + w && y < my && my < y + h;
    }
    // Width and line height in the current font (0 without a font).
    static int _textWidth(const std::string& s);
    static int _fontHeight();
};
using KZ_UIelementPtr = std::shared_ptr<KZ_UIelement>;
