#include <gtest/gtest.h>

#include "support/child_process.h"

#include <csignal>
#include <cstdlib>

#include "platform/canvas.h"
#include "platform/input.h"
#include "platform/sys.h"
#include "platform/testing.h"
#include "platform/window.h"

using namespace plat;

TEST(FramePacer, ThirtyFramesASecondAre33_33_34) {
    FramePacer p(30);
    long long now = 1000;
    std::vector<int> waits;
    for (int i = 0; i < 6; ++i) {
        const int w = p.nextWait(now);
        waits.push_back(w);
        now += w;  // the frame took no time at all
    }
    EXPECT_EQ(waits, (std::vector<int>{33, 33, 34, 33, 33, 34}));
    // Work inside the slot shortens the wait; the schedule does not drift.
    EXPECT_EQ(p.nextWait(now + 20), 13);
}

TEST(FramePacer, LateFrameRestartsTheScheduleWithoutCatchUp) {
    FramePacer p(30);
    EXPECT_EQ(p.nextWait(0), 33);
    EXPECT_EQ(p.nextWait(33), 33);
    // This frame ends 50 ms past its slot at 66: presented at once, new schedule from 116.
    EXPECT_EQ(p.nextWait(116), 0);
    EXPECT_EQ(p.nextWait(116), 33);
    EXPECT_EQ(p.nextWait(149), 33);
    EXPECT_EQ(p.nextWait(182), 34);
    // Exactly on time is not late.
    EXPECT_EQ(p.nextWait(216), 33);
}

TEST(Window, OffscreenOpensPresentsAndCloses) {
    plat::testing::useOffscreen();
    plat::testing::useFakeClock(0);
    setAppTitle("Tarnholt");
    ASSERT_TRUE(openWindow(800, 480, 30));
    EXPECT_TRUE(windowOpen());
    EXPECT_EQ(canvas().width(), 800);
    EXPECT_EQ(canvas().height(), 480);
    EXPECT_EQ(canvas().pixels().readPixel(10, 10), 0xFF000000u);
    EXPECT_FALSE(closeRequested());
    for (int i = 0; i < 5; ++i) flip();
    EXPECT_EQ(presentedFrames(), 5);
    EXPECT_EQ(millisecs(), 0);  // the fake clock never waits
    requestClose();
    EXPECT_TRUE(closeRequested());
}

TEST(Window, InterruptSignalIsACloseRequest) {
    plat::testing::useOffscreen();
    ASSERT_TRUE(openWindow(800, 480, 30));
    EXPECT_FALSE(closeRequested());
    std::raise(SIGINT);
    EXPECT_TRUE(closeRequested());
}

TEST(Window, RealWindowOnTheDummyDisplayDriver) {
    // SDL's own driver without a display: the same window, renderer and texture path.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    plat::testing::useFakeClock(0);
    setAppTitle("Tarnholt");
    if (!openWindow(320, 200, 30)) GTEST_SKIP() << "no SDL video driver available";
    EXPECT_EQ(canvas().width(), 320);
    setColor(255, 0, 0);
    drawRect(0, 0, 10, 10);
    flip();
    pollEvents();
    EXPECT_EQ(presentedFrames(), 1);
    EXPECT_FALSE(closeRequested());
}

// As over a plain SSH login: SDL would fall back to a driver that shows nothing and the game
// would run unseen; it stops with one line instead. A driver asked for by name is kept.
TEST(Window, WithoutADesktopDisplayTheGameSaysSoAndEnds) {
    const ChildResult r = runInChild([] {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
        setAppTitle("Tarnholt");
        openWindow(800, 480, 30);
        _exit(7);
    });
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "No desktop display found: the game needs an X11 or Wayland desktop\n");
}
