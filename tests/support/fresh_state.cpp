// Every test case starts, and leaves, the process as a fresh one would have it: the
// singletons and the class-wide state forgotten (SingletonRegistry), and the platform reset.
// So the whole program passes in one process, with any filter, as well as one case a process.
#include <gtest/gtest.h>

#include "platform/testing.h"
#include "vostrel/singleton.h"

namespace {

// The platform is reset only between cases: a case may forget the singletons half-way
// (SingletonRegistry::resetAllForTests) and keep its offscreen canvas, fake clock and
// silent audio. The singletons go first, so they stop their sounds before the audio is reset.
class FreshState : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { forgetEverything(); }
    void OnTestEnd(const ::testing::TestInfo&) override { forgetEverything(); }
    static void forgetEverything() {
        SingletonRegistry::resetAllForTests();
        plat::testing::resetAll();
    }
};

[[maybe_unused]] const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshState);
    return true;
}();

}  // namespace
