// Every test case starts, and leaves, the process as a fresh one would have it: the
// singletons and the class-wide state forgotten (SingletonRegistry), and the platform reset.
// So the whole program passes in one process, with any filter, as well as one case a process;
// fixtures need not reset anything themselves.
#include <gtest/gtest.h>

#include "support/kit.h"

namespace {

// The platform is reset only between cases: a case may forget the singletons half-way
// (SingletonRegistry::resetAllForTests, a second run of the game) and keep its offscreen
// canvas, fake clock and silent audio.
class FreshState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { kit::forgetEverything(); }
    void OnTestEnd(const ::testing::TestInfo&) override { kit::forgetEverything(); }
};

[[maybe_unused]] const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshState);
    return true;
}();

}  // namespace
