// Polled input: the exact event sequences of clicks, holds and typed keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "support/kit_test.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrel_io.h"

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        kit::offscreen();
        ASSERT_TRUE(plat::openWindow(800, 480, 30));
        io = Vostrel_IO::GetInstance();
        sm = ScreenManager::GetInstance();
        sm->init(800, 480, 30, KZ_systemUI2::GetInstance());
        // Notes every input event as "event x,y@frame" with the frame count the handler sees.
        screen = std::make_shared<kit::RecordingScreen>(0, "", nullptr, kit::RecordingScreen::INPUT);
        sm->setScreen(screen);
    }
    // One frame as the game runs it: the poll, then the screen manager's frame.
    void frame() {
        io->update();
        sm->Update();
    }
    std::shared_ptr<Vostrel_IO> io;
    std::shared_ptr<ScreenManager> sm;
    std::shared_ptr<kit::RecordingScreen> screen;
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(InputTest, CreatingThePollerCreatesTheScreenManager) {
    EXPECT_TRUE(ScreenManager::Exists());
    EXPECT_EQ(io->mouseDownFlag(), 0);
    EXPECT_EQ(io->draggingFlag(), 0);
}

TEST_F(InputTest, PointerAtOriginSendsNoFirstMove) {
    plat::testing::setMouse(0, 0);
    frame();
    frame();
    EXPECT_TRUE(screen->log.empty());
}

TEST_F(InputTest, MovesOnlyWhenThePointerMoves) {
    plat::testing::setMouse(10, 20);
    frame();
    frame();
    plat::testing::setMouse(11, 20);
    frame();
    EXPECT_EQ(screen->log, (Log{"move 10,20@0", "move 11,20@2"}));
}

TEST_F(InputTest, ClickGivesPressThenReleaseAndNoDrag) {
    plat::testing::setMouse(100, 100);
    frame();  // frame 1: the move
    plat::testing::setButton(true);
    frame();  // frame 2: press
    plat::testing::setButton(false);
    frame();  // frame 3: release
    frame();
    frame();
    // Handlers run in the poll, before the frame's Update: they see the previous count.
    EXPECT_EQ(screen->log, (Log{"move 100,100@0", "down 100,100@1", "up 100,100@2"}));
}

TEST_F(InputTest, TapBetweenTwoPollsStillClicks) {
    plat::testing::setMouse(5, 6);
    plat::testing::tap();
    frame();
    frame();
    frame();
    EXPECT_EQ(screen->log, (Log{"move 5,6@0", "down 5,6@0", "up 5,6@1"}));
}

TEST_F(InputTest, HoldOfTwoFramesDragsWithoutDragging) {
    plat::testing::setMouse(50, 60);
    plat::testing::setButton(true);
    frame();
    frame();
    plat::testing::setButton(false);
    frame();
    frame();
    frame();
    EXPECT_EQ(screen->log,
              (Log{"move 50,60@0", "down 50,60@0", "dragStart 50,60@1", "up 50,60@2", "dragStop 50,60@3"}));
    EXPECT_EQ(io->mouseDownFlag(), 0);
    EXPECT_EQ(io->draggingFlag(), 0);
}

TEST_F(InputTest, HoldOfFiveFramesDragsEveryHeldFrameAfterTheSecond) {
    plat::testing::setMouse(1, 1);
    frame();
    screen->log.clear();
    plat::testing::setButton(true);
    frame();  // 2: press
    frame();  // 3: drag start
    plat::testing::setMouse(40, 1);
    frame();  // 4: move and drag
    frame();  // 5: drag
    frame();  // 6: drag
    plat::testing::setButton(false);
    frame();  // 7: release
    frame();  // 8: drag stop
    frame();
    EXPECT_EQ(screen->log, (Log{"down 1,1@1", "dragStart 1,1@2", "move 40,1@3", "drag 40,1@3", "drag 40,1@4",
                                "drag 40,1@5", "up 40,1@6", "dragStop 40,1@7"}));
}

TEST_F(InputTest, PressRightAfterADragReleaseSkipsTheStopAndTheStart) {
    plat::testing::setMouse(1, 1);
    frame();
    screen->log.clear();
    plat::testing::setButton(true);
    frame();
    frame();
    frame();
    plat::testing::setButton(false);
    frame();  // release; the drag stop would come next frame
    plat::testing::setButton(true);
    frame();  // press again instead
    frame();
    plat::testing::setButton(false);
    frame();
    frame();
    frame();
    EXPECT_EQ(screen->log, (Log{"down 1,1@1", "dragStart 1,1@2", "drag 1,1@3", "up 1,1@4", "down 1,1@5",
                                "drag 1,1@6", "up 1,1@7", "dragStop 1,1@8"}));
}

TEST_F(InputTest, TypedCharactersArriveOnePerFrame) {
    plat::testing::typeChar('p');
    plat::testing::typeChar('m');
    frame();
    frame();
    frame();
    EXPECT_EQ(screen->log, (Log{"key 112@0", "key 109@1"}));
}

TEST_F(InputTest, InputWithoutAScreenIsDropped) {
    sm->setScreen(nullptr);
    plat::testing::setMouse(3, 3);
    plat::testing::setButton(true);
    frame();
    frame();
    plat::testing::setButton(false);
    frame();
    frame();
    EXPECT_TRUE(screen->log.empty());
}
