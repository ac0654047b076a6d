// The interface every screen implements, and two engine interfaces kept beside it.
#pragma once
#include <memory>

#include "imports/object.h"

class inf_screenManager : public Object {
public:
    // Every handler does nothing and returns 0 unless a screen has a use for it.
    virtual int getID() { return _id; }
    virtual int update() { return 0; }
    virtual int render() { return 0; }
    virtual int onFadeInStart() { return 0; }
    virtual int onFadeInEnd() { return 0; }
    virtual int onFadeOutStart() { return 0; }
    virtual int onFadeOutEnd() { return 0; }
    virtual int onMouseMove(int, int) { return 0; }
    virtual int onMouseUp(int, int) { return 0; }
    virtual int onMouseDown(int, int) { return 0; }
    virtual int onKeyPress(int) { return 0; }
    virtual int onDragStart(int, int) { return 0; }
    virtual int onDrag(int, int) { return 0; }
    virtual int onDragStop(int, int) { return 0; }

protected:
    int _id = 0;
};
using ScreenPtr = std::shared_ptr<inf_screenManager>;

class inf_render_gameEngine : public Object {
public:
    virtual int onUpdateEnd() = 0;
};

class inf_display_gameEngine : public Object {};
