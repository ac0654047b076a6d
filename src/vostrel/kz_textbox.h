// A one-line text entry field with a blinking cursor; keys reach it only while it has
// the focus.
#pragma once
#include <memory>
#include <string>

#include "vostrel/kz_uielement.h"

class KZ_textbox : public KZ_UIelement {
public:
    static std::shared_ptr<KZ_textbox> Create(int x, int y, int width, int height, KZ_receiver receiver,
                                              int screenId);
    void render() override;
    int _isMouseOver() override { return _inside(_x, _y, float(_width), float(_height)) ? 1 : 0; }
    void _onKeyPressedLocal(int key) override;
    const std::string& getText() const { return _text; }
    void _renderCursor();

    int _cursorState = 0;
    int _cursorBlinkDelay = 250;   // ms
    long long _cursorTime = 0;     // clock at the last blink
    int _cursorOffset = 0;         // width of the text: where the cursor stands
    std::string _text;
};
