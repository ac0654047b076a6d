#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

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

// Through SDL's own event queue (its dummy display driver): each batch holds the button
// events that fall between two polls, D a press and U a release; seen is the button each
// poll reports. A release and a new press never merge into one hold.
TEST(Input, ReleaseAndNewPressBetweenTwoPollsShowTheButtonUpFirst) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!openWindow(320, 200, 30)) GTEST_SKIP() << "no SDL video driver available";
    struct Case {
        const char* what;
        std::vector<std::string> batches;
        std::string seen;
    };
    const Case cases[] = {
        {"a tap", {"DU", ""}, "10"},
        {"a new press while held", {"D", "", "UD", "", "U", ""}, "110100"},
        {"a tap, then a press", {"DU", "D", "", "U"}, "1010"},
        {"a double click", {"DUDU", "", "", ""}, "1010"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string seen;
        for (const std::string& batch : c.batches) {
            for (char ev : batch) plat::testing::pushButtonEvent(ev == 'D', 100, 50);
            pollEvents();
            seen += mouseDown() ? '1' : '0';
        }
        EXPECT_EQ(seen, c.seen);
    }
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
