#include "game/traffic/nationitem.h"

NationItemPtr NationItem::Create(const std::string& line) {
    auto item = std::make_shared<NationItem>();
    std::string* fields[] = {&item->country, &item->id, &item->discussion1, &item->discussion2, &item->crashed};
    size_t start = 0;
    for (std::string* field : fields) {
        if (start > line.size()) break;
        size_t bar = line.find('|', start);
        if (bar == std::string::npos) {
            *field = line.substr(start);
            start = line.size() + 1;
        } else {
            *field = line.substr(start, bar - start);
            start = bar + 1;
        }
    }
    return item;
}
