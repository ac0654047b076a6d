#include "screens/scoreitem.h"

#include <climits>

std::shared_ptr<ScoreItem> ScoreItem::Create(int landings, const std::string& handle, const std::string& mode,
                                             const std::string& map, const std::string& date) {
    auto item = std::make_shared<ScoreItem>();
    item->landings = landings;
    item->handle = handle;
    item->mode = mode;
    item->map = map;
    item->date = date;
    return item;
}

int ScoreItem::compare(const ScoreItem& other) const {
    // Landings read back from an edited file may lie anywhere in the int range.
    const long long d = static_cast<long long>(other.landings) - landings;
    if (d > INT_MAX) return INT_MAX;
    if (d < INT_MIN) return INT_MIN;
    return int(d);
}
