// The concrete widgets: hit boxes, text-area wrapping, text-box keys and cursor, radio
// groups, and how buttons draw.
#include <gtest/gtest.h>

#include <vector>

#include "platform/canvas.h"
#include "platform/sys.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "imports/kz_graphicsshape.h"
#include "imports/kz_table.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_radiobutton.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_textarea.h"
#include "vostrel/kz_textbox.h"
#include "vostrel/widget_recorder.h"

namespace {

const char* const MONO = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

// The game's "normal" font: 7 pixels a character, 15 a line.
plat::FontPtr normalFont() {
    static plat::FontPtr f = plat::Font::load(MONO, 12);
    return f;
}

// A font whose lines have no height: a text area must still finish wrapping.
class FlatFont : public plat::Font {
public:
    int pixelSize() const override { return 12; }
    int height() const override { return 0; }
    int ascent() const override { return 0; }
    int textWidth(const std::string& s) const override { return 10 * int(s.size()); }
    const Glyph& glyph(uint32_t) const override { return g_; }

private:
    Glyph g_;
};

class Widgets : public ::testing::Test {
protected:
    void SetUp() override {
        font = normalFont();
        ASSERT_NE(font, nullptr) << "the test font is missing";
        ASSERT_EQ(font->textWidth("a"), 7);
        plat::setImageFont(font);
        log = std::make_shared<std::vector<HeardEvent>>();
        rec = std::make_shared<Recorder>("r", log);
    }
    plat::FontPtr font;
    std::shared_ptr<std::vector<HeardEvent>> log;
    std::shared_ptr<Recorder> rec;
};

bool over(KZ_UIelement& w, int mx, int my) {
    KZ_UIelement::updateGlobal(mx, my, KZ_UIelement::getCurrentSID());
    return w._isMouseOver() != 0;
}

TEST_F(Widgets, HitBoxesAreStrictOnAllFourSides) {
    auto img = plat::Image::create(30, 40);
    auto button = KZ_button::Create(10, 20, img, rec, 0);
    auto box = KZ_textbox::Create(10, 20, 30, 40, rec, 0);
    auto area = KZ_textarea::Create("", 10, 20, 30, 40, nullptr);
    auto radio = KZ_radioButton::Create(10, 20, 0, rec, 0);
    for (KZ_UIelement* w : std::vector<KZ_UIelement*>{button.get(), box.get(), area.get()}) {
        EXPECT_FALSE(over(*w, 10, 30));  // left edge
        EXPECT_FALSE(over(*w, 20, 20));  // top edge
        EXPECT_FALSE(over(*w, 40, 30));  // right edge
        EXPECT_FALSE(over(*w, 20, 60));  // bottom edge
        EXPECT_TRUE(over(*w, 11, 21));
        EXPECT_TRUE(over(*w, 39, 59));
    }
    EXPECT_FALSE(over(*radio, 26, 30));  // 16 x 16
    EXPECT_FALSE(over(*radio, 20, 36));
    EXPECT_TRUE(over(*radio, 25, 35));
}

std::vector<std::string> wrap(const std::string& text, int width = 500, int height = 300,
                              const plat::FontPtr& f = nullptr) {
    return KZ_textarea::Create(text, 0, 0, width, height, f)->linesArray;
}

TEST_F(Widgets, TextAreaBreaksAtALoneBarAndEveryWordKeepsItsBlank) {
    using L = std::vector<std::string>;
    EXPECT_EQ(wrap("one | two"), (L{"one ", "two "}));
    EXPECT_EQ(wrap("one | | two"), (L{"one ", "", "two "}));
    EXPECT_EQ(wrap("one|two three"), (L{"one|two three "}));
    EXPECT_EQ(wrap("one\ntwo"), (L{"one\ntwo "}));  // a line feed is not a break
    EXPECT_EQ(wrap(""), (L{" "}));
    EXPECT_EQ(wrap("a  b"), (L{"a  b "}));           // two blanks keep an empty word
}

TEST_F(Widgets, TextAreaWrapsToTheWidthCountingTheTrailingBlank) {
    using L = std::vector<std::string>;
    // "aaa bbb " is 56 pixels.
    EXPECT_EQ(wrap("aaa bbb ccc", 56), (L{"aaa bbb ", "ccc "}));
    EXPECT_EQ(wrap("aaa bbb ccc", 55), (L{"aaa ", "bbb ", "ccc "}));
    // A word wider than the area is never placed: empty lines to the height, the rest lost.
    EXPECT_EQ(wrap("aa toolongword bb", 50, 45), (L{"aa ", "", ""}));
}

TEST_F(Widgets, TextAreaMakesAsManyLinesAsFitButAlwaysOne) {
    using L = std::vector<std::string>;
    EXPECT_EQ(wrap("a | b | c | d", 500, 45), (L{"a ", "b ", "c "}));
    EXPECT_EQ(wrap("a | b | c | d", 500, 44), (L{"a ", "b "}));
    EXPECT_EQ(wrap("a | b | c", 500, 29), (L{"a "}));
    EXPECT_EQ(wrap("a | b | c", 500, 3), (L{"a "}));
    auto area = KZ_textarea::Create("x", 0, 0, 100, 100, nullptr);
    EXPECT_EQ(area->lineHeight, 15);
}

TEST_F(Widgets, TextAreaWithItsOwnFontRestoresTheCurrentOne) {
    auto big = plat::Font::load(MONO, 20);
    ASSERT_NE(big, nullptr);
    auto area = KZ_textarea::Create("aaa bbb", 0, 0, 56, 300, big);
    EXPECT_EQ(area->linesArray.size(), 2u);  // measured in the big font
    EXPECT_EQ(area->lineHeight, big->height());
    EXPECT_EQ(plat::getImageFont(), font);
    area->render();  // drawing makes the area's font current and leaves it so
    EXPECT_EQ(plat::getImageFont(), big);
}

TEST_F(Widgets, TextAreaWithAFontWithoutHeightStillEnds) {
    auto flat = std::make_shared<FlatFont>();
    auto area = KZ_textarea::Create("ab waytoowide cd", 0, 0, 40, 100, flat);
    EXPECT_EQ(area->linesArray, (std::vector<std::string>{"ab ", ""}));
    auto fits = KZ_textarea::Create("ab | cd", 0, 0, 40, 100, flat);
    EXPECT_EQ(fits->linesArray, (std::vector<std::string>{"ab ", "cd "}));
}

TEST_F(Widgets, TextBoxTakesPrintableCharactersWhileTheyFit) {
    auto box = KZ_textbox::Create(0, 0, 100, 20, rec, 0);
    for (int i = 0; i < 20; ++i) box->_onKeyPressedLocal('w');
    EXPECT_EQ(box->getText(), std::string(14, 'w'));  // 98 pixels; a 15th would make 105
    EXPECT_EQ(box->_cursorOffset, 98);
    box->_onKeyPressedLocal(8);
    EXPECT_EQ(box->getText().size(), 13u);
    EXPECT_EQ(box->_cursorOffset, 91);
    box->_onKeyPressedLocal('x');
    EXPECT_EQ(box->getText(), std::string(13, 'w') + "x");

    auto other = KZ_textbox::Create(0, 0, 100, 20, rec, 0);
    for (int key : {13, 27, 9, 10, 0, 127, 0x85, -5, 0xD800, 0x110000}) other->_onKeyPressedLocal(key);
    EXPECT_EQ(other->getText(), "");
    other->_onKeyPressedLocal(8);  // on empty text
    EXPECT_EQ(other->getText(), "");
    other->_onKeyPressedLocal(0xE9);  // é: two bytes, one character
    other->_onKeyPressedLocal('a');
    EXPECT_EQ(other->getText(), "\xC3\xA9" "a");
    other->_onKeyPressedLocal(8);
    other->_onKeyPressedLocal(8);
    EXPECT_EQ(other->getText(), "");
}

TEST_F(Widgets, TextBoxCursorBlinksEvery250MillisecondsOnlyWithFocus) {
    plat::testing::useFakeClock(1000);
    ASSERT_TRUE(plat::clockIsFake());
    auto box = KZ_textbox::Create(0, 0, 100, 20, rec, 0);
    box->render();
    EXPECT_EQ(box->_cursorState, 0);  // no focus: no blinking
    KZ_UIelement::_focus = box;
    box->render();  // more than 250 ms past the start: on
    EXPECT_EQ(box->_cursorState, 1);
    plat::testing::advanceClock(250);
    box->render();
    EXPECT_EQ(box->_cursorState, 1);
    plat::testing::advanceClock(1);
    box->render();
    EXPECT_EQ(box->_cursorState, 0);
    plat::testing::advanceClock(251);
    box->render();
    EXPECT_EQ(box->_cursorState, 1);
}

TEST_F(Widgets, RadioGroupsHoldOneSelectionAndANewButtonClearsIt) {
    auto r1 = KZ_radioButton::Create(0, 0, 5, rec, 0);
    auto r2 = KZ_radioButton::Create(0, 0, 5, rec, 0);
    auto elsewhere = KZ_radioButton::Create(0, 0, 6, rec, 0);
    EXPECT_EQ(KZ_radioButton::getSelected(5), nullptr);
    EXPECT_EQ(KZ_radioButton::getSelected(99), nullptr);
    r1->_onClickLocal(1);
    elsewhere->_onClickLocal(1);
    EXPECT_EQ(KZ_radioButton::getSelected(5), r1);
    EXPECT_TRUE(r1->_isSelected());
    r2->_onClickLocal(1);
    EXPECT_EQ(KZ_radioButton::getSelected(5), r2);
    EXPECT_FALSE(r1->_isSelected());
    EXPECT_EQ(KZ_radioButton::getSelected(6), elsewhere);
    auto r3 = KZ_radioButton::Create(0, 0, 5, rec, 0);
    EXPECT_EQ(KZ_radioButton::getSelected(5), nullptr);
    EXPECT_EQ(KZ_radioButton::getSelected(6), elsewhere);
    EXPECT_EQ(*log, (std::vector<HeardEvent>{{"r", KZ_event::ONSELECTED, r1.get(), 0},
                                             {"r", KZ_event::ONSELECTED, elsewhere.get(), 0},
                                             {"r", KZ_event::ONUNSELECTED, r1.get(), 0},
                                             {"r", KZ_event::ONSELECTED, r2.get(), 0}}));
}

// ---- Drawing: needs the software canvas ----

class Drawing : public Widgets {
protected:
    void SetUp() override {
        Widgets::SetUp();
        plat::testing::useOffscreen();
        ASSERT_TRUE(plat::openWindow(800, 480, 30));
        plat::setImageFont(font);
        plat::cls();
    }
    static uint32_t px(int x, int y) { return plat::canvas().pixels().readPixel(x, y); }
    static plat::ImagePtr solid(int w, int h, uint32_t argb) {
        auto img = plat::Image::create(w, h);
        auto& f = img->frameMutable(0);
        for (auto& p : f.pixels) p = argb;
        return img;
    }
};

TEST_F(Drawing, ButtonHoverAddsThePictureOnItselfAndDisabledFadesIt) {
    auto img = solid(20, 20, plat::argb(255, 100, 60, 20));
    auto normal = KZ_button::Create(10, 10, img, rec, 0);
    auto hovered = KZ_button::Create(40, 10, img, rec, 0);
    auto disabled = KZ_button::Create(70, 10, img, rec, 0);
    auto hidden = KZ_button::Create(100, 10, img, rec, 0);
    hovered->_hover = 1;
    disabled->disable();
    hidden->hide();
    for (auto& b : {normal, hovered, disabled, hidden}) b->render();
    EXPECT_EQ(px(15, 15), plat::argb(255, 100, 60, 20));
    EXPECT_EQ(px(45, 15), plat::argb(255, 200, 120, 40));
    EXPECT_EQ(plat::getBlend(), plat::ALPHABLEND);
    const uint32_t faded = px(75, 15);
    EXPECT_NEAR(int((faded >> 16) & 255), 25, 1);
    EXPECT_NEAR(int((faded >> 8) & 255), 15, 1);
    EXPECT_EQ(plat::getAlpha(), 1.0f);
    EXPECT_EQ(px(105, 15), 0xFF000000u);
    EXPECT_EQ(px(10, 9), 0xFF000000u);
}

TEST_F(Drawing, RadioButtonShowsItsSelectionOnlyWhileVisibleAndEnabled) {
    const uint32_t K = 0xFF000000u;
    auto plain = KZ_radioButton::Create(10, 10, 3, rec, 0);
    auto chosen = KZ_radioButton::Create(40, 10, 3, rec, 0);
    auto hidden = KZ_radioButton::Create(70, 10, 4, rec, 0);
    auto disabled = KZ_radioButton::Create(100, 10, 5, rec, 0);
    chosen->_onClickLocal(1);
    hidden->_onClickLocal(1);
    disabled->_onClickLocal(1);
    hidden->hide();
    disabled->disable();
    plat::setColor(200, 0, 0);
    plain->render();
    EXPECT_EQ(px(18, 18), plat::argb(255, 200, 0, 0));  // drawn in the current colour
    chosen->render();
    EXPECT_EQ(px(48, 18), K);                            // the black dot of the selection
    EXPECT_EQ(px(42, 18), plat::argb(255, 200, 0, 0));   // the ring outside it
    int r, g, b;
    plat::getColor(r, g, b);
    EXPECT_EQ(r + g + b, 765);  // a selected button leaves the colour white
    hidden->render();
    disabled->render();
    EXPECT_EQ(px(78, 18), K);
    EXPECT_EQ(px(108, 18), K);
}

TEST_F(Drawing, TextBoxOutlinesItselfAndDrawsTheCursorOnlyWithTheFocus) {
    plat::testing::useFakeClock(1000);
    const uint32_t W = 0xFFFFFFFFu, K = 0xFF000000u;
    plat::setColor(255, 255, 255);
    auto box = KZ_textbox::Create(100, 200, 100, 20, rec, 0);
    box->_cursorState = 1;
    box->render();
    EXPECT_EQ(px(100, 200), W);
    EXPECT_EQ(px(200, 220), W);  // the outline covers one pixel more than the size
    EXPECT_EQ(px(102, 210), K);  // no focus: no cursor
    EXPECT_EQ(box->_cursorState, 1);

    KZ_UIelement::_focus = box;
    box->render();
    // 2 pixels wide from x + 2 + the text's width, from y + 2, the box's height less 4 high.
    EXPECT_EQ(px(102, 202), W);
    EXPECT_EQ(px(103, 217), W);
    EXPECT_EQ(px(104, 210), K);
    EXPECT_EQ(px(102, 218), K);
    EXPECT_EQ(box->_cursorState, 0);  // and it blinked off for the next frame

    plat::cls();
    box->_onKeyPressedLocal('w');
    box->_onKeyPressedLocal('w');
    box->_cursorState = 1;
    box->render();
    EXPECT_EQ(px(102 + 14, 210), W);  // after the text
    EXPECT_EQ(px(102 + 16, 210), K);
    KZ_UIelement::_focus = nullptr;
}

// A screen of widgets for a person to look at: a button normal, hovered and disabled, a
// focused text box, a text area and a table, written as widgets_screen.png.
TEST_F(Drawing, ScreenOfWidgetsIsWrittenForAPersonToSee) {
    plat::testing::useFakeClock(0);
    const int SID = 1;
    auto ui = KZ_systemUI2::GetInstance();
    ui->onScreenChange(SID);
    // A round green button on a transparent square, like the game's "ok button".
    auto img = plat::Image::create(56, 56);
    auto& f = img->frameMutable(0);
    for (int y = 0; y < 56; ++y)
        for (int x = 0; x < 56; ++x) {
            const int dx = x - 28, dy = y - 28, d2 = dx * dx + dy * dy;
            if (d2 < 26 * 26) f.writePixel(x, y, d2 < 22 * 22 ? plat::argb(255, 40, 150, 60) : plat::argb(255, 20, 80, 30));
        }
    for (int i = 0; i < 12; ++i) {  // a check mark
        f.writePixel(16 + i / 2, 28 + i / 2, 0xFFFFFFFFu);
        f.writePixel(22 + i * 3 / 2, 34 - i, 0xFFFFFFFFu);
    }
    auto normal = ui->CreateButton(20, 20, img, rec, SID);
    auto hovered = ui->CreateButton(90, 20, img, rec, SID);
    auto disabled = ui->CreateButton(160, 20, img, rec, SID);
    disabled->disable();
    auto box = ui->createTextbox(20, 100, 200, 20, rec, SID);
    ui->inputUpdate(30, 110, SID);  // click the box, then type into it
    ui->updateButtonQue("1");
    ui->update();
    for (char c : std::string("Tarnholt")) {
        ui->updateKeyQue(std::to_string(int(c)));
        ui->update();
    }
    ui->inputUpdate(118, 48, SID);  // rest over the middle button
    ui->update();
    ASSERT_EQ(hovered->_hover, 1);
    ASSERT_EQ(box->getText(), "Tarnholt");

    plat::testing::advanceClock(300);
    ui->render();  // turns the cursor on for the picture below
    plat::canvas().clear(plat::argb(255, 120, 140, 170));
    auto area = KZ_textarea::Create(
        "A text area wraps its words at blanks to its width. | A lone bar ends a line. | | "
        "Text beyond its height is not shown: this sentence goes on and on and on and on past the bottom edge.",
        260, 20, 244, 75, nullptr);
    plat::setColor(0, 0, 0);
    area->render();
    plat::setColor(255, 255, 255);
    KZ_graphicsShape::rectangle(260, 20, 244, 75, 1);

    auto table = KZ_table::Create(201, 150, 400, 280, 4, 4);
    table->setColWidth(0, 81);
    table->setColWidth(1, 81);
    table->setColWidth(2, 81);
    table->setColFont(0, plat::Font::load(MONO, 20));
    auto icon = solid(40, 40, plat::argb(255, 200, 60, 60));
    table->addImage("calmday", icon);
    const char* rows[4][4] = {{"27", "img;calmday", "img;seaside", "09 Dec 2026"},
                              {"12", "img;calmday", "odd;cell", "08 Dec 2026"},
                              {"3", "", "", "01 Dec 2026"},
                              {"", "", "", ""}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) table->setCellData(c, r, rows[r][c]);
    table->render();

    ui->render();

    const std::string out = std::string(TARN_TEST_OUT) + "/widgets_screen.png";
    ASSERT_TRUE(plat::testing::saveCanvas(out)) << out;
    // The hovered button is brighter than the normal one; the disabled one is faded.
    const uint32_t n = px(48, 48), h = px(118, 48), d = px(188, 48);
    EXPECT_GT((h >> 8) & 255, (n >> 8) & 255);
    EXPECT_NE(d, n);
}

}  // namespace
