// One scenario of the grid, as read from a line of "workload.txt".
#pragma once
#include <memory>
#include <string>

#include "imports/object.h"

class WorkloadItem : public Object {
public:
    static std::shared_ptr<WorkloadItem> Create(const std::string& title, int cost, const std::string& description);

    std::string title;
    std::string description;
    // Read with the record; nothing in the game uses it.
    int cost = 0;
};
using WorkloadItemPtr = std::shared_ptr<WorkloadItem>;
