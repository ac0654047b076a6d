// The root of the game's object types: every object can receive a message, and nothing
// happens unless its class overrides the handler.
#pragma once
#include <memory>

class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;
    virtual int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) {
        (void)message;
        (void)context;
        return 0;
    }
};
using ObjectPtr = std::shared_ptr<Object>;
