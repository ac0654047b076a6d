// Where every singleton, and any other class-wide state that must start afresh, leaves a
// way to forget itself. It sits in the utility library so that the lowest class-wide state
// (the collision tests' last crossing point) can register too.
#pragma once
#include <functional>
#include <vector>

// The game never calls the reset; tests that run many cases in one process do, between
// cases, and so do the benchmarks between two starts of the game.
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
