// One instance per class, created on first use and kept for the whole run.
#pragma once
#include <memory>
#include <stdexcept>

#include "imports/singletonregistry.h"

// Derive as `class X : public Object, public Singleton<X>`; X's default constructor must be public.
template <class T>
class Singleton {
public:
    static std::shared_ptr<T> GetInstance() {
        if (!instanceRef()) instanceRef() = std::make_shared<T>();
        return instanceRef();
    }
    static std::shared_ptr<T> Create() { return GetInstance(); }
    static bool Exists() { return instanceRef() != nullptr; }

protected:
    Singleton() {
        if (constructed()) throw std::runtime_error("Cannot create multiple instances of Singleton Type");
        constructed() = true;
        static const bool registered = (SingletonRegistry::onReset([] {
            instanceRef().reset();
            constructed() = false;
        }), true);
        (void)registered;
    }

private:
    static std::shared_ptr<T>& instanceRef() {
        static std::shared_ptr<T> instance;
        return instance;
    }
    static bool& constructed() {
        static bool made = false;
        return made;
    }
};
