// Turns the polled mouse and typed characters into the screen manager's events.
#pragma once
#include <memory>

#include "imports/object.h"
#include "vostrel/singleton.h"

class ScreenManager;

class Vostrel_IO : public Object, public Singleton<Vostrel_IO> {
public:
    Vostrel_IO();
    // One poll: at most one mouse move, one button event and one typed character.
    int update();

    int mouseDownFlag() const { return _mouseDown; }
    int draggingFlag() const { return _dragging; }

protected:
    int _mx = 0, _my = 0;
    int _ox = 0, _oy = 0;
    int _dragging = 0;
    int _mouseDown = 0;
    std::shared_ptr<ScreenManager> _screen;
};
