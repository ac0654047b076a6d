// One entry of the score board.
#pragma once
#include <memory>
#include <string>

#include "imports/object.h"

class ScoreItem : public Object {
public:
    static std::shared_ptr<ScoreItem> Create(int landings, const std::string& handle, const std::string& mode,
                                             const std::string& map, const std::string& date);
    // other.landings - landings, held within the int range: sorting ascending by it puts
    // the entry with more landings first.
    int compare(const ScoreItem& other) const;

    int landings = 0;
    std::string handle;  // always "user"; stored, not shown
    std::string mode;    // "img;" + the scenario's icon name
    std::string map;     // "img;" + the airport's icon name
    std::string date;    // "Dec 07, 2026"
};
using ScoreItemPtr = std::shared_ptr<ScoreItem>;
