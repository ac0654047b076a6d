// One floating text or image of the in-game display, with the frames it has left.
#pragma once
#include <memory>
#include <string>

#include "imports/object.h"
#include "platform/image.h"

class UI_item;
using UI_itemPtr = std::shared_ptr<UI_item>;

class UI_item : public Object {
public:
    static constexpr int TEXT = 1;
    static constexpr int IMAGE = 2;

    UI_item() = default;

    static UI_itemPtr Create(int cls, int x, int y, const std::string& text, int counter);

    std::string data;
    plat::ImagePtr img;
    int x = 0;
    int y = 0;
    // Frames left; the item goes when this reaches exactly 0, so 0 or less stays.
    int counter = 0;
    int class_ = 0;  // TEXT or IMAGE ("class" is a keyword here)
};
