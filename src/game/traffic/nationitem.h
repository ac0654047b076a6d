// One nation from "nations.txt": "country|id|discussion1|discussion2|crashed".
#pragma once
#include <memory>
#include <string>

#include "imports/object.h"

class NationItem;
using NationItemPtr = std::shared_ptr<NationItem>;

class NationItem : public Object {
public:
    NationItem() = default;

    // The first five "|" pieces of the line, in field order; missing pieces stay "".
    static NationItemPtr Create(const std::string& line);

    std::string country;
    std::string id;
    std::string discussion1;
    std::string discussion2;
    std::string crashed;
    int visit = 0;
};
