// The interface every screen implements, and two engine interfaces kept beside it.
#pragma once
#include <memory>

#include "imports/object.h"

class inf_screenManager : public Object {
public:
    virtual int getID() { return _id; }
    virtual int update() = 0;
    virtual int render() = 0;
    virtual int onFadeInStart() = 0;
    virtual int onFadeInEnd() = 0;
    virtual int onFadeOutStart() = 0;
    virtual int onFadeOutEnd() = 0;
    virtual int onMouseMove(int x, int y) = 0;
    virtual int onMouseUp(int x, int y) = 0;
    virtual int onMouseDown(int x, int y) = 0;
    virtual int onKeyPress(int key) = 0;
    virtual int onDragStart(int x, int y) = 0;
    virtual int onDrag(int x, int y) = 0;
    virtual int onDragStop(int x, int y) = 0;

protected:
    int _id = 0;
};
using ScreenPtr = std::shared_ptr<inf_screenManager>;

class inf_render_gameEngine : public Object {
public:
    virtual int onUpdateEnd() = 0;
};

class inf_display_gameEngine : public Object {};
