#include "vostrel/kz_event.h"

std::shared_ptr<KZ_event> KZ_event::Create(int id) {
    auto e = std::make_shared<KZ_event>();
    e->_id = id;
    return e;
}
