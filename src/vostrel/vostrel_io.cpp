#include "vostrel/vostrel_io.h"

#include "platform/input.h"
#include "vostrel/screenmanager.h"

Vostrel_IO::Vostrel_IO() : _screen(ScreenManager::GetInstance()) {}

int Vostrel_IO::update() {
    plat::pollEvents();
    const int x = plat::mouseX();
    const int y = plat::mouseY();
    if (x != _mx || y != _my) {
        _mx = x;
        _my = y;
        _screen->mouseMove(_mx, _my);
    }

    const bool down = plat::mouseDown();
    // Without a time or distance threshold the second held frame already starts a drag,
    // and the drag stop follows the release one frame later.
    if (!down && _mouseDown == 1) {
        _mouseDown = 0;
        _screen->mouseUp(_mx, _my);
    } else if (down && _mouseDown == 0) {
        _mouseDown = 1;
        _ox = _mx;
        _oy = _my;
        _screen->mousePressed(_mx, _my);
    } else if (down && _dragging == 0) {
        _screen->dragStart(_mx, _my);
        _dragging = 1;
    } else if (!down && _dragging == 1) {
        _dragging = 0;
        _mouseDown = 0;
        _screen->dragStop(_mx, _my);
    } else if (_dragging == 1) {
        _screen->dragging(_mx, _my);
    }

    const int code = plat::getChar();
    if (code > 0) _screen->keyPress(code);
    return 0;
}
