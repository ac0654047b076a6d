#include "game/display/ui_item.h"

UI_itemPtr UI_item::Create(int cls, int x, int y, const std::string& text, int counter) {
    auto item = std::make_shared<UI_item>();
    item->class_ = cls;
    item->x = x;
    item->y = y;
    item->data = text;
    item->counter = counter;
    return item;
}
