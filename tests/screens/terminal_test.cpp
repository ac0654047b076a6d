// The terminal view: which facilities it shows at a level, when a raised level shows, and
// the level's ceiling.
#include <gtest/gtest.h>

#include "screens/choice_fixture.h"
#include "screens/gamescreen.h"
#include "screens/terminal.h"

namespace {

using choice_test::ChoiceFixture;

// Top-left corners of the facilities, in their order.
const int POS[9][2] = {{281, 259}, {50, 100}, {397, 49}, {429, 349}, {630, 142},
                       {342, 142}, {523, 141}, {58, 281}, {542, 275}};

class TerminalView : public ChoiceFixture {
protected:
    // Sum of the pixels in a facility's picture box, as last drawn.
    static unsigned long long boxSum(int i, const plat::ImagePtr& img) {
        unsigned long long sum = 0;
        for (int y = POS[i][1]; y < POS[i][1] + img->height(); ++y)
            for (int x = POS[i][0]; x < POS[i][0] + img->width(); ++x) sum += pixel(x, y) & 0xFFFFFFu;
        return sum;
    }
    static void draw() {
        plat::cls();
        Terminal::GetInstance()->render();
    }
};

}  // namespace

TEST_F(TerminalView, ShowsOneFacilityPerLevelUpToNine) {
    boot();
    auto t = Terminal::GetInstance();
    EXPECT_EQ(t->getID(), 0);
    // Reference: every facility's picture, and the bare terminal under each.
    std::array<plat::ImagePtr, 9> pics;
    for (int i = 0; i < 9; ++i) {
        static const char* names[9] = {"restroom", "seating", "baggage", "fastfood", "phones",
                                       "giftshop", "arcade", "resturant", "car_rental"};
        pics[size_t(i)] = ResourceManager::GetInstance()->getDirectImage(std::string("images/airport/") +
                                                                         names[i] + ".png");
        ASSERT_NE(pics[size_t(i)], nullptr) << names[i];
    }
    open(t);
    draw();
    std::array<unsigned long long, 9> bare;
    for (int i = 0; i < 9; ++i) bare[size_t(i)] = boxSum(i, pics[size_t(i)]);

    struct Case { int raises, level; };
    int raised = 0;
    for (const Case c : {Case{0, 0}, Case{3, 3}, Case{5, 5}, Case{9, 9}, Case{12, 9}}) {
        SCOPED_TRACE(c.raises);
        for (; raised < c.raises; ++raised) t->incAddOnLevel();
        EXPECT_EQ(t->getAddOnLevel(), c.level);
        sm()->keyPress('x');  // any key but Esc leaves the view alone
        open(menu);
        open(t);
        draw();
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(t->addonImages()[size_t(i)] != nullptr, i < c.level) << i;
            EXPECT_EQ(boxSum(i, pics[size_t(i)]) != bare[size_t(i)], i < c.level) << i;
        }
        if (c.level == 9) savePng("terminal_full");
    }
}

TEST_F(TerminalView, ARaisedLevelShowsFromTheNextFadeIn) {
    boot();
    auto t = Terminal::GetInstance();
    t->incAddOnLevel();
    open(t);
    draw();
    auto seating = ResourceManager::GetInstance()->getDirectImage("images/airport/seating.png");
    const auto before = boxSum(1, seating);
    t->incAddOnLevel();
    draw();
    EXPECT_EQ(boxSum(1, seating), before);
    EXPECT_EQ(t->addonImages()[1], nullptr);
    open(menu);
    open(t);
    draw();
    EXPECT_NE(boxSum(1, seating), before);
    // Esc leads to the game screen, recording the view.
    sm()->keyPress(27);
    EXPECT_EQ(choice_test::incoming(*sm()), GameScreen::GetInstance());
    EXPECT_EQ(sm()->navHistory().back(), t);
}
