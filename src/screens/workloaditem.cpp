#include "screens/workloaditem.h"

std::shared_ptr<WorkloadItem> WorkloadItem::Create(const std::string& title, int cost,
                                                   const std::string& description) {
    auto item = std::make_shared<WorkloadItem>();
    item->title = title;
    item->cost = cost;
    item->description = description;
    return item;
}
