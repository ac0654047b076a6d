#include "vostrel/kz_textbox.h"

#include <cstdint>
#include <vector>

#include "imports/kz_graphicsshape.h"
#include "platform/canvas.h"
#include "platform/sys.h"
#include "platform/text.h"

std::shared_ptr<KZ_textbox> KZ_textbox::Create(int x, int y, int width, int height, KZ_receiver receiver,
                                               int screenId) {
    auto b = std::make_shared<KZ_textbox>();
    b->_x = float(x);
    b->_y = float(y);
    b->_width = width;
    b->_height = height;
    b->_receiver = receiver;
    b->_screenID = screenId;
    return b;
}

namespace {
// Only characters that draw: no C0 or C1 control codes, no DEL, no surrogates.
bool printable(int key) {
    if (key < 32 || key == 127) return false;
    if (key >= 0x80 && key < 0xA0) return false;
    if (key >= 0xD800 && key < 0xE000) return false;
    return key <= 0x10FFFF;
}
}  // namespace

void KZ_textbox::_onKeyPressedLocal(int key) {
    if (key == 8) {
        if (!_text.empty()) {
            // Remove the last character, not its last byte.
            auto cps = plat::utf8Decode(_text);
            cps.pop_back();
            _text = plat::utf8Encode(cps);
        }
    } else if (printable(key)) {
        std::string candidate = _text;
        plat::utf8Append(candidate, uint32_t(key));
        if (_textWidth(candidate) < _width) _text = candidate;
    }
    _cursorOffset = _textWidth(_text);
}

void KZ_textbox::render() {
    KZ_graphicsShape::rectangle(int(_x), int(_y), _width, _height, 1);
    if (hasFocus()) _renderCursor();
    plat::drawText(_text, _x + 2, _y + 3);
}

void KZ_textbox::_renderCursor() {
    if (_cursorState == 1) plat::drawRect(_x + 2 + float(_cursorOffset), _y + 2, 2, float(_height - 4));
    const long long now = plat::millisecs();
    if (now - _cursorTime > _cursorBlinkDelay) {
        _cursorState = 1 - _cursorState;
        _cursorTime = now;
    }
}
