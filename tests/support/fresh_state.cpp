// Every test case starts, and leaves, the process as a fresh one would have it: the
// singletons and the class-wide state forgotten (SingletonRegistry), and the platform reset.
// So the whole program passes in one process, with any filter, as well as one case a process.
#include <gtest/gtest.h>

#include "platform/testing.h"
#include "vostrel/singleton.h"

namespace {

class FreshState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { SingletonRegistry::resetAllForTests(); }
    void OnTestEnd(const ::testing::TestInfo&) override { SingletonRegistry::resetAllForTests(); }
};

// Registered before any singleton exists, so it runs last: the singletons are gone (and have
// stopped their sounds) before the platform under them is reset.
[[maybe_unused]] const bool installed = [] {
    SingletonRegistry::onReset(plat::testing::resetAll);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshState);
    return true;
}();

}  // namespace
