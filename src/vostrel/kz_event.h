// The record a widget sends to its receiver: what happened, and for keys which key.
#pragma once
#include <memory>

#include "imports/object.h"

class KZ_event : public Object {
public:
    static constexpr int ONCLICK = 1;
    static constexpr int ONFOCUS = 2;
    static constexpr int ONMOUSEOVER = 3;
    static constexpr int ONMOUSEOUT = 4;
    static constexpr int ONMOUSEMOVE = 5;  // declared for completeness; never sent
    static constexpr int ONBLUR = 6;
    static constexpr int ONKEYPRESSED = 7;
    static constexpr int ONSELECTED = 8;
    static constexpr int ONUNSELECTED = 9;

    static std::shared_ptr<KZ_event> Create(int id);
    void setKeyCode(int k) { _keyCode = k; }
    int getKeyCode() const { return _keyCode; }
    int getId() const { return _id; }

    int _id = 0;
    int _keyCode = 0;
};
