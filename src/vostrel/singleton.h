// One instance per class, created on first use and kept for the whole run.
#pragma once
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

// Every singleton, and any other class-wide state that must start afresh, leaves a way to
// forget itself here. The game never calls it; tests that run many cases in one process
// do, between cases.
class SingletonRegistry {
public:
    static void onReset(std::function<void()> forget) { forgetters().push_back(std::move(forget)); }
    // Drops every instance (newest first) so the next GetInstance builds a fresh one.
    static void resetAllForTests() {
        auto& all = forgetters();
        for (auto it = all.rbegin(); it != all.rend(); ++it) (*it)();
    }

private:
    static std::vector<std::function<void()>>& forgetters() {
        static std::vector<std::function<void()>> list;
        return list;
    }
};

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
