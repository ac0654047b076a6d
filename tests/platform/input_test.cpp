#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/testing.h"
#include "platform/window.h"

using namespace plat;

namespace {
void openOffscreen() {
    plat::testing::useOffscreen();
    ASSERT_TRUE(openWindow(800, 480, 30));
}
}  // namespace

TEST(Input, MouseAndHeldButtonArriveAtTheNextPoll) {
    openOffscreen();
    plat::testing::setMouse(120, 45);
    plat::testing::setButton(true);
    EXPECT_FALSE(mouseDown());  // nothing before the poll
    pollEvents();
    EXPECT_EQ(mouseX(), 120);
    EXPECT_EQ(mouseY(), 45);
    EXPECT_TRUE(mouseDown());
    pollEvents();
    EXPECT_TRUE(mouseDown());  // held
    plat::testing::setMouse(130, 50);
    pollEvents();
    EXPECT_EQ(mouseX(), 130);
    EXPECT_TRUE(mouseDown());
    plat::testing::setButton(false);
    pollEvents();
    EXPECT_FALSE(mouseDown());
    EXPECT_EQ(mouseX(), 130);  // the position stays
}

TEST(Input, TapShorterThanAFrameIsSeenOnce) {
    openOffscreen();
    pollEvents();
    EXPECT_FALSE(mouseDown());
    plat::testing::tap();
    pollEvents();
    EXPECT_TRUE(mouseDown());
    pollEvents();
    EXPECT_FALSE(mouseDown());
}

TEST(Input, TypedCharactersInOrderThenZero) {
    openOffscreen();
    plat::testing::typeChar('p');
    plat::testing::typeChar(27);
    plat::testing::typeChar(0xE9);  // é from text input
    EXPECT_EQ(getChar(), 0);  // not before the poll
    pollEvents();
    EXPECT_EQ(getChar(), 'p');
    EXPECT_EQ(getChar(), 27);
    EXPECT_EQ(getChar(), 0xE9);
    EXPECT_EQ(getChar(), 0);
    plat::testing::typeChar(8);
    plat::testing::typeChar(13);
    pollEvents();
    flushKeys();
    EXPECT_EQ(getChar(), 0);
}
