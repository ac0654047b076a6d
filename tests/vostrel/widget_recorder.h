// A receiver that writes down every widget event it hears, for the widget tests.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vostrel/kz_event.h"
#include "imports/object.h"

struct HeardEvent {
    std::string receiver;
    int id;
    Object* context;
    int keyCode;
    bool operator==(const HeardEvent&) const = default;
};

class Recorder : public Object {
public:
    Recorder(std::string name, std::shared_ptr<std::vector<HeardEvent>> log) : name_(std::move(name)), log_(std::move(log)) {}
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) override {
        auto ev = std::dynamic_pointer_cast<KZ_event>(message);
        log_->push_back({name_, ev ? ev->getId() : -1, context.get(), ev ? ev->getKeyCode() : 0});
        if (onEvent) onEvent(ev ? ev->getId() : -1, context);
        return 0;
    }
    std::function<void(int, const std::shared_ptr<Object>&)> onEvent;

private:
    std::string name_;
    std::shared_ptr<std::vector<HeardEvent>> log_;
};
