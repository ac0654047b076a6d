// The registry turning mouse, clicks and keys into widget events.
#include "vostrel/kz_systemui2.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "vostrel/kz_button.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_radiobutton.h"
#include "vostrel/kz_textbox.h"
#include "vostrel/screenmanager.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "vostrel/widget_recorder.h"

namespace {

constexpr int SCREEN = 3;
constexpr int OTHER = 4;

using E = KZ_event;

class SystemUI : public ::testing::Test {
protected:
    void SetUp() override {
        ui = KZ_systemUI2::GetInstance();
        ui->onScreenChange(SCREEN);
        log = std::make_shared<std::vector<HeardEvent>>();
        a = std::make_shared<Recorder>("a", log);
        b = std::make_shared<Recorder>("b", log);
        img = plat::Image::create(40, 20);
    }

    // One frame as the screen manager drives it: the mouse, an optional release, an
    // optional key, then the registry's update.
    void frame(int mx, int my, bool release = false, int key = 0) {
        if (release) ui->updateButtonQue("1");
        ui->inputUpdate(mx, my, KZ_UIelement::getCurrentSID());
        if (key) ui->updateKeyQue(std::to_string(key));
        ui->update();
    }

    std::vector<HeardEvent> take() {
        auto out = *log;
        log->clear();
        return out;
    }

    std::shared_ptr<KZ_systemUI2> ui;
    std::shared_ptr<std::vector<HeardEvent>> log;
    std::shared_ptr<Recorder> a, b;
    plat::ImagePtr img;
};

TEST_F(SystemUI, SecondConstructionThrowsAndIdsRunOnWithoutReuse) {
    EXPECT_EQ(KZ_systemUI2::Create(), ui);
    try {
        KZ_systemUI2 second;
        FAIL() << "a second registry was built";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot create multiple instances of Singleton Type");
    }
    auto b1 = ui->CreateButton(0, 0, img, a, SCREEN);
    auto b2 = ui->createTextbox(0, 0, 10, 10, a, SCREEN);
    ui->removeItem(b2);
    auto b3 = ui->CreateRadioButton(0, 0, 1, a, SCREEN);
    EXPECT_GT(b1->getUid(), 0);
    EXPECT_EQ(b2->getUid(), b1->getUid() + 1);
    EXPECT_EQ(b3->getUid(), b1->getUid() + 2);
    const int id = b1->getUid();
    b1->setID(id + 9);
    EXPECT_EQ(b1->getUid(), id);
    auto loose = KZ_button::Create(0, 0, img, a, SCREEN);
    loose->setID(0);
    EXPECT_EQ(loose->getUid(), -1);
    EXPECT_EQ(b1->_width, 40);
    EXPECT_EQ(b1->_height, 20);
}

TEST_F(SystemUI, HoverOverAndOutFollowTheMouse) {
    auto btn = ui->CreateButton(100, 100, img, a, SCREEN);
    frame(10, 10);
    EXPECT_TRUE(take().empty());
    frame(110, 110);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONMOUSEOVER, btn.get(), 0}}));
    EXPECT_EQ(btn->_hover, 1);
    frame(112, 112);  // still over: nothing new
    EXPECT_TRUE(take().empty());
    frame(10, 10);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONMOUSEOUT, btn.get(), 0}}));
    EXPECT_EQ(btn->_hover, 0);
}

TEST_F(SystemUI, ClickThatMovesFocusSendsBlurFocusClickInOrder) {
    auto first = ui->CreateButton(0, 0, img, a, SCREEN);
    auto second = ui->CreateButton(100, 0, img, b, SCREEN);
    frame(10, 10);
    frame(10, 10, true);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONMOUSEOVER, first.get(), 0},
                                               {"a", E::ONFOCUS, first.get(), 0},
                                               {"a", E::ONCLICK, first.get(), 0}}));
    EXPECT_TRUE(first->hasFocus());

    // Clicked in the very frame the mouse arrives: click events now, hover in the next frame.
    frame(110, 10, true);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONMOUSEOUT, first.get(), 0},
                                               {"a", E::ONBLUR, first.get(), 0},
                                               {"b", E::ONFOCUS, second.get(), 0},
                                               {"b", E::ONCLICK, second.get(), 0}}));
    frame(110, 10);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"b", E::ONMOUSEOVER, second.get(), 0}}));

    // A click on the widget that has the focus is a click alone.
    frame(110, 10, true);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"b", E::ONCLICK, second.get(), 0}}));
}

TEST_F(SystemUI, RadioClickOrderRunsSelectionBeforeFocus) {
    auto r1 = ui->CreateRadioButton(0, 0, 7, a, SCREEN);
    auto r2 = ui->CreateRadioButton(50, 0, 7, b, SCREEN);
    frame(5, 5, true);
    take();
    frame(55, 5, true);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONUNSELECTED, r1.get(), 0},
                                               {"b", E::ONSELECTED, r2.get(), 0},
                                               {"a", E::ONBLUR, r1.get(), 0},
                                               {"b", E::ONFOCUS, r2.get(), 0},
                                               {"b", E::ONCLICK, r2.get(), 0}}));
    EXPECT_EQ(KZ_radioButton::getSelected(7), r2);
    // The selected one clicked again: selected again, nothing unselected.
    frame(55, 5, true);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"b", E::ONSELECTED, r2.get(), 0}, {"b", E::ONCLICK, r2.get(), 0}}));
}

TEST_F(SystemUI, HiddenAndDisabledWidgetsGetNothingAndKeepTheHover) {
    auto hidden = ui->CreateButton(0, 0, img, a, SCREEN);
    auto disabled = ui->CreateButton(100, 0, img, a, SCREEN);
    auto live = ui->CreateButton(200, 0, img, b, SCREEN);
    hidden->hide();
    disabled->disable();
    frame(10, 10);
    frame(10, 10, true);
    frame(110, 10);
    frame(110, 10, true);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(KZ_UIelement::_hoverElement, nullptr);
    EXPECT_EQ(KZ_UIelement::_focus, nullptr);

    // A hover widget that becomes disabled still gets its mouse-out.
    frame(210, 10);
    live->disable();
    frame(210, 10, true);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"b", E::ONMOUSEOVER, live.get(), 0}}));
    frame(10, 10);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"b", E::ONMOUSEOUT, live.get(), 0}}));
}

TEST_F(SystemUI, OverlappingWidgetsBothTakeTheClickAndTheHoverAlternates) {
    auto lower = ui->CreateButton(0, 0, img, a, SCREEN);
    auto upper = ui->CreateButton(10, 0, img, b, SCREEN);
    frame(20, 10, true);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONFOCUS, lower.get(), 0},
                                               {"a", E::ONCLICK, lower.get(), 0},
                                               {"a", E::ONBLUR, lower.get(), 0},
                                               {"b", E::ONFOCUS, upper.get(), 0},
                                               {"b", E::ONCLICK, upper.get(), 0}}));
    EXPECT_TRUE(upper->hasFocus());
    frame(20, 10);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONMOUSEOVER, lower.get(), 0},
                                               {"a", E::ONMOUSEOUT, lower.get(), 0},
                                               {"b", E::ONMOUSEOVER, upper.get(), 0}}));
    frame(20, 10);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"b", E::ONMOUSEOUT, upper.get(), 0},
                                               {"a", E::ONMOUSEOVER, lower.get(), 0},
                                               {"a", E::ONMOUSEOUT, lower.get(), 0},
                                               {"b", E::ONMOUSEOVER, upper.get(), 0}}));
}

TEST_F(SystemUI, OneQueuedClickAndKeyPerFrameAndTextThatIsNoNumberIsNone) {
    auto box = ui->createTextbox(0, 0, 200, 20, a, SCREEN);
    ui->updateButtonQue("1");
    ui->updateButtonQue("1");
    ui->updateButtonQue("x");
    ui->inputUpdate(10, 10, SCREEN);
    ui->update();
    EXPECT_EQ(KZ_UIelement::_buttonClicked, 1);
    ui->update();
    EXPECT_EQ(KZ_UIelement::_buttonClicked, 1);
    ui->update();
    EXPECT_EQ(KZ_UIelement::_buttonClicked, 0);
    take();

    ui->updateKeyQue("65");
    ui->updateKeyQue("66");
    ui->updateKeyQue("key");
    ui->update();
    EXPECT_EQ(box->getText(), "A");
    ui->update();
    ui->update();
    ui->update();
    EXPECT_EQ(box->getText(), "AB");
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONKEYPRESSED, box.get(), 65},
                                               {"a", E::ONKEYPRESSED, box.get(), 66}}));
}

TEST_F(SystemUI, KeysReachOnlyTheFocusedWidgetOfTheCurrentScreen) {
    auto box = ui->createTextbox(0, 0, 200, 20, a, SCREEN);
    auto other = ui->createTextbox(0, 30, 200, 20, b, SCREEN);
    frame(300, 300, false, 'x');  // no focus anywhere
    EXPECT_TRUE(take().empty());
    frame(10, 10, true);
    frame(300, 300, false, 'y');  // the mouse elsewhere does not matter
    auto heard = take();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), (HeardEvent{"a", E::ONKEYPRESSED, box.get(), 'y'}));
    EXPECT_EQ(box->getText(), "y");
    EXPECT_EQ(other->getText(), "");

    ui->onScreenChange(OTHER);  // the focused box's screen is left
    frame(300, 300, false, 'z');
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(box->getText(), "y");
}

TEST_F(SystemUI, WidgetsOfOtherScreensAreSkippedButAnOldHoverStillGetsItsMouseOut) {
    auto mine = ui->CreateButton(0, 0, img, a, SCREEN);
    auto theirs = ui->CreateButton(100, 0, img, b, OTHER);
    frame(110, 10, true);
    EXPECT_TRUE(take().empty());
    frame(10, 10);
    take();
    ui->onScreenChange(OTHER);
    frame(300, 300);  // the old hover is not updated, so nothing yet
    EXPECT_TRUE(take().empty());
    frame(110, 10);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"a", E::ONMOUSEOUT, mine.get(), 0},
                                               {"b", E::ONMOUSEOVER, theirs.get(), 0}}));
}

TEST_F(SystemUI, WidgetsAppendedDuringTheWalkAreReachedAndSkippedWhenNotCurrent) {
    auto opener = ui->CreateButton(0, 0, img, a, SCREEN);
    std::shared_ptr<KZ_button> made;
    int made_count = 0;
    a->onEvent = [&](int id, const std::shared_ptr<Object>&) {
        if (id != E::ONCLICK) return;
        // A screen built on first use makes its buttons in its constructor, during the walk;
        // enough of them to move the list's storage.
        for (int i = 0; i < 64; ++i) ui->CreateButton(0, 0, img, b, OTHER);
        made = ui->CreateButton(0, 0, img, b, SCREEN);
        ++made_count;
    };
    frame(10, 10, true);
    EXPECT_EQ(made_count, 1);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(ui->items().size(), 66u);
    // The one made for the current screen was reached in the same walk: it took the click too.
    EXPECT_TRUE(made->hasFocus());
    auto heard = take();
    EXPECT_EQ(heard.back(), (HeardEvent{"b", E::ONCLICK, made.get(), 0}));
    for (const auto& h : heard) EXPECT_TRUE(h.context == opener.get() || h.context == made.get());
}

TEST_F(SystemUI, WidgetRemovedDuringTheWalkIsSkippedAndTheRestStillRun) {
    auto first = ui->CreateButton(0, 0, img, a, SCREEN);
    auto second = ui->CreateButton(0, 0, img, a, SCREEN);
    auto third = ui->CreateButton(0, 0, img, b, SCREEN);
    a->onEvent = [&](int id, const std::shared_ptr<Object>& ctx) {
        if (id == E::ONCLICK && ctx == first) {
            ui->removeItem(first);
            ui->removeItem(second);
        }
    };
    frame(10, 10, true);
    auto heard = take();
    for (const auto& h : heard) EXPECT_NE(h.context, second.get());
    EXPECT_EQ(heard.back(), (HeardEvent{"b", E::ONCLICK, third.get(), 0}));
    EXPECT_EQ(ui->items().size(), 1u);
}

TEST_F(SystemUI, RemovedWidgetIsNeverCalledAgain) {
    auto gone = ui->CreateButton(0, 0, img, a, SCREEN);
    auto stays = ui->CreateButton(100, 0, img, b, SCREEN);
    frame(10, 10, true);  // gone: hovered after this frame's click, and focused
    frame(10, 10);
    ASSERT_TRUE(gone->hasFocus());
    ASSERT_EQ(KZ_UIelement::_hoverElement, gone);
    take();
    ui->removeItem(gone);
    ui->removeItem(gone);  // twice is harmless
    ui->removeItem(nullptr);
    ui->removeItem(KZ_button::Create(0, 0, img, a, SCREEN));  // never in the list
    EXPECT_EQ(ui->items().size(), 1u);
    frame(110, 10, true);
    frame(110, 10);
    EXPECT_EQ(take(), (std::vector<HeardEvent>{{"b", E::ONFOCUS, stays.get(), 0},
                                               {"b", E::ONCLICK, stays.get(), 0},
                                               {"b", E::ONMOUSEOVER, stays.get(), 0}}));
    // Even driven directly, the removed widget stays silent.
    gone->update();
    gone->_onClick();
    EXPECT_TRUE(take().empty());
    EXPECT_FALSE(gone->hasFocus());
}

TEST_F(SystemUI, RemovedSelectedRadioButtonIsNotUnselectedLater) {
    auto r1 = ui->CreateRadioButton(0, 0, 2, a, SCREEN);
    auto r2 = ui->CreateRadioButton(50, 0, 2, b, SCREEN);
    frame(5, 5, true);
    ui->removeItem(r1);
    EXPECT_EQ(KZ_radioButton::getSelected(2), nullptr);
    take();
    frame(55, 5, true);
    for (const auto& h : take()) EXPECT_NE(h.context, r1.get());
}

TEST_F(SystemUI, WidgetWithoutReceiverHearsNothingAndShowsNoHover) {
    auto mute = ui->CreateButton(0, 0, img, nullptr, SCREEN);
    auto box = ui->createTextbox(0, 30, 200, 20, nullptr, SCREEN);
    frame(10, 10);
    EXPECT_EQ(mute->_hover, 0);
    frame(10, 40, true);
    EXPECT_TRUE(box->hasFocus());  // focus moves all the same
    frame(10, 40, false, 'q');
    EXPECT_EQ(box->getText(), "");  // but keys need a receiver
    EXPECT_TRUE(take().empty());
}

TEST_F(SystemUI, ReceiverIsHeldWeaklyOrAsAPlainPointerForAWholeRunScreen) {
    auto shortLived = std::make_shared<Recorder>("short", log);
    auto btn = ui->CreateButton(0, 0, img, shortLived, SCREEN);
    std::weak_ptr<Recorder> watch = shortLived;
    shortLived.reset();
    EXPECT_TRUE(watch.expired());  // the widget did not keep it
    frame(10, 10, true);
    EXPECT_TRUE(take().empty());

    Recorder screen("screen", log);  // like a screen passing `this` from its constructor
    auto viaPointer = ui->CreateButton(100, 0, img, &screen, SCREEN);
    frame(110, 10, true);
    auto heard = take();
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back(), (HeardEvent{"screen", E::ONCLICK, viaPointer.get(), 0}));
    ui->removeItem(viaPointer);  // its receiver lives on this stack only
}

// A screen that, like the game's, makes its button in its constructor and passes itself.
class ButtonScreen : public inf_screenManager {
public:
    ButtonScreen(int id, plat::ImagePtr img, std::vector<std::string>& log) : log_(log) {
        _id = id;
        button = KZ_systemUI2::GetInstance()->CreateButton(100, 100, img, this, id);
    }
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) override {
        auto ev = std::dynamic_pointer_cast<KZ_event>(message);
        if (ev && ev->getId() == KZ_event::ONCLICK && context == button) {
            log_.push_back("click " + std::to_string(_id) + "@" + std::to_string(ScreenManager::GetInstance()->getFrameCount()));
            if (next) ScreenManager::GetInstance()->switchTo(next, 1, 0.0f);
        }
        return 0;
    }

    std::shared_ptr<KZ_button> button;
    std::shared_ptr<inf_screenManager> next;

private:
    std::vector<std::string>& log_;
};

TEST_F(SystemUI, ClickThroughTheScreenManagerReachesTheOwningScreenOnly) {
    plat::testing::useOffscreen();
    plat::testing::useFakeClock();
    ASSERT_TRUE(plat::openWindow(800, 480, 30));
    auto sm = ScreenManager::GetInstance();
    sm->init(800, 480, 30, ui);
    std::vector<std::string> heard;
    auto menu = std::make_shared<ButtonScreen>(1, img, heard);
    auto help = std::make_shared<ButtonScreen>(7, img, heard);  // same place, other screen
    menu->next = help;
    sm->switchTo(menu, 0, 0.0f);
    for (int i = 0; i < 11; ++i) sm->Update();
    ASSERT_EQ(sm->getPhase(), ScreenManager::NORMAL);

    sm->mouseMove(110, 110);
    sm->mousePressed(110, 110);
    sm->Update();
    EXPECT_TRUE(heard.empty());  // a press is not a click
    sm->mouseUp(110, 110);
    sm->Update();
    EXPECT_EQ(heard, (std::vector<std::string>{"click 1@13"}));
    // The release queued one click: it is spent, and during the fade the help screen's
    // button at the same place hears nothing.
    for (int i = 0; i < 22; ++i) sm->Update();
    EXPECT_EQ(sm->getScreen(), help);
    EXPECT_EQ(heard.size(), 1u);
    sm->mouseUp(110, 110);
    sm->Update();
    EXPECT_EQ(heard.back(), "click 7@36");
    ui->removeItem(menu->button);  // they log into this stack frame
    ui->removeItem(help->button);
}

}  // namespace
