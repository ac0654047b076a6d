#include "imports/tstrictlist.h"

#include <algorithm>

std::optional<TStrictList::Link> TStrictList::FindLink(const ObjectPtr& value) {
    // Compares the pointers, not the objects behind them.
    auto it = std::find_if(_links.begin(), _links.end(),
                           [&](const ObjectPtr& entry) { return entry.get() == value.get(); });
    if (it == _links.end()) return std::nullopt;
    return it;
}

int TStrictList::Contains(const ObjectPtr& value) const {
    for (const ObjectPtr& entry : _links)
        if (entry.get() == value.get()) return 1;
    return 0;
}

int TStrictList::Remove(const ObjectPtr& value) {
    auto link = FindLink(value);
    if (!link) return 0;
    _links.erase(*link);
    return 1;
}
