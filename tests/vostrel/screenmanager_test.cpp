// Screen manager: frame order, fades and their exact frame counts, history, input routing,
// pause snapshot and shade.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/image.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "support/kit_test.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_textbox.h"
#include "vostrel/screenmanager.h"
#include "vostrel/widget_recorder.h"

namespace {

// The stand-in screen, which notes every callback as "name:event@frame" into the shared log,
// and can fill the canvas white when it renders.
class RecordingScreen : public kit::RecordingScreen {
public:
    RecordingScreen(const std::string& name, int id, std::vector<std::string>& log)
        : kit::RecordingScreen(id, name + ":", &log) {
        onRender = [this] {
            if (fill) {
                plat::setColor(255, 255, 255);
                plat::drawRect(0, 0, 800, 480);
            }
            if (paint) paint();
        };
    }
    std::function<void()> paint;
    bool fill = false;
};

class ScreenManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        kit::offscreen();
        ASSERT_TRUE(plat::openWindow(800, 480, 30));
        sm = ScreenManager::GetInstance();
        sm->init(800, 480, 30, KZ_systemUI2::GetInstance());
        A = std::make_shared<RecordingScreen>("A", 1, log);
        B = std::make_shared<RecordingScreen>("B", 2, log);
        C = std::make_shared<RecordingScreen>("C", 3, log);
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) sm->Update();
    }
    // Frames in which a screen saw the given callback.
    std::vector<int> when(const std::string& who, const std::string& what) const {
        std::vector<int> out;
        const std::string prefix = who + ":" + what + "@";
        for (const auto& e : log)
            if (e.rfind(prefix, 0) == 0) out.push_back(std::stoi(e.substr(prefix.size())));
        return out;
    }
    static std::vector<int> range(int from, int to) {
        std::vector<int> v;
        for (int i = from; i <= to; ++i) v.push_back(i);
        return v;
    }
    // Shows A plainly (first fade-in done) and clears the log.
    void showA() {
        sm->switchTo(A, 0, 0.0f);
        frames(11);
        ASSERT_EQ(sm->getPhase(), ScreenManager::NORMAL);
        log.clear();
    }

    std::shared_ptr<ScreenManager> sm;
    std::vector<std::string> log;
    std::shared_ptr<RecordingScreen> A, B, C;
};

}  // namespace

TEST_F(ScreenManagerTest, StartsEmptyAndCountsFrames) {
    EXPECT_EQ(sm->getSid(), -1);
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    EXPECT_FLOAT_EQ(sm->shadeAlpha(), 1.0f);
    EXPECT_EQ(sm->getWidth(), 800);
    EXPECT_EQ(sm->getHeight(), 480);
    EXPECT_EQ(sm->getFps(), 30);
    frames(3);  // no screen: nothing runs, but the frames count
    EXPECT_EQ(sm->getFrameCount(), 3);
    EXPECT_TRUE(log.empty());
    sm->mousePressed(5, 5);  // input without a screen is dropped
    EXPECT_TRUE(log.empty());
}

TEST_F(ScreenManagerTest, FirstScreenFadesInFromBlackOverElevenFrames) {
    sm->switchTo(A, 1, 0.0f);
    EXPECT_EQ(when("A", "fadeInStart"), std::vector<int>{0});
    EXPECT_EQ(sm->getSid(), 1);
    EXPECT_EQ(sm->getPhase(), ScreenManager::FADE_IN);
    EXPECT_TRUE(sm->navHistory().empty());
    frames(10);
    EXPECT_EQ(sm->getPhase(), ScreenManager::FADE_IN);
    EXPECT_LT(sm->shadeAlpha(), 0.0f);  // the float steps overshoot just below zero
    EXPECT_GT(sm->shadeAlpha(), -0.000001f);
    frames(1);
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    EXPECT_EQ(when("A", "fadeInEnd"), std::vector<int>{11});
    EXPECT_EQ(when("A", "update"), range(1, 11));
    EXPECT_EQ(when("A", "render"), range(1, 11));
    EXPECT_FLOAT_EQ(sm->shadeAlpha(), 0.0f);
}

TEST_F(ScreenManagerTest, SwitchRequestedByInputFadesOutAndInInElevenFramesEach) {
    showA();
    // As from an input handler of frame 12: it still sees frame 11.
    sm->switchTo(B, 1, 0.0f);
    EXPECT_EQ(when("A", "fadeOutStart"), std::vector<int>{11});
    frames(22);
    EXPECT_EQ(when("A", "update"), range(12, 22));
    EXPECT_EQ(when("A", "render"), range(12, 22));
    EXPECT_EQ(when("A", "fadeOutEnd"), std::vector<int>{22});
    EXPECT_EQ(when("B", "fadeInStart"), std::vector<int>{22});
    EXPECT_EQ(when("B", "update"), range(23, 33));
    EXPECT_EQ(when("B", "fadeInEnd"), std::vector<int>{33});
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    // The hand-over order inside frame 22: A ends, then B starts.
    const std::vector<std::string> expected = {"A:update@22", "A:render@22", "A:fadeOutEnd@22", "B:fadeInStart@22"};
    auto it = std::search(log.begin(), log.end(), expected.begin(), expected.end());
    EXPECT_NE(it, log.end());
    frames(1);
    EXPECT_EQ(when("B", "update").back(), 34);
    EXPECT_EQ(when("A", "update").back(), 22);
}

TEST_F(ScreenManagerTest, InputGoesToTheCurrentScreenDuringEachHalf) {
    showA();
    sm->switchTo(B, 0, 0.0f);
    frames(5);
    sm->mousePressed(3, 4);  // fading out: still A's
    frames(6);               // frame 22 hands over to B
    sm->mouseUp(7, 8);       // fading in: B's
    sm->keyPress(27);
    sm->dragStart(1, 1);
    sm->dragging(2, 2);
    sm->dragStop(3, 3);
    sm->mouseMove(9, 9);
    EXPECT_EQ(when("A", "down 3,4"), std::vector<int>{16});
    EXPECT_EQ(when("B", "up 7,8"), std::vector<int>{22});
    EXPECT_EQ(when("B", "key 27").size(), 1u);
    EXPECT_EQ(when("B", "dragStart 1,1").size(), 1u);
    EXPECT_EQ(when("B", "drag 2,2").size(), 1u);
    EXPECT_EQ(when("B", "dragStop 3,3").size(), 1u);
    EXPECT_EQ(when("B", "move 9,9").size(), 1u);
}

TEST_F(ScreenManagerTest, InputReachesTheWidgetsOfTheCurrentScreenAfterTheScreen) {
    showA();
    auto heard = std::make_shared<std::vector<HeardEvent>>();
    auto rec = std::make_shared<Recorder>("r", heard);
    auto ui = KZ_systemUI2::GetInstance();
    auto box = ui->createTextbox(100, 100, 200, 20, rec, 1);
    auto elsewhere = ui->createTextbox(100, 100, 200, 20, rec, 2);  // same place, another screen
    sm->mouseMove(110, 110);
    sm->mousePressed(110, 110);
    sm->mouseUp(110, 110);  // a click for the widgets is the release
    frames(1);
    sm->keyPress('q');  // the widgets get the code as decimal text
    frames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"A:move 110,110@11", "A:down 110,110@11", "A:up 110,110@11",
                                             "A:update@12", "A:render@12", "A:key 113@12", "A:update@13",
                                             "A:render@13"}));
    EXPECT_EQ(box->getText(), "q");
    EXPECT_EQ(elsewhere->getText(), "");
    ASSERT_FALSE(heard->empty());
    EXPECT_EQ(heard->back(), (HeardEvent{"r", KZ_event::ONKEYPRESSED, box.get(), 'q'}));
}

TEST_F(ScreenManagerTest, SwitchFromTheScreensOwnUpdateStartsSteppingNextFrame) {
    showA();
    A->onUpdate = [this] {
        if (sm->getFrameCount() == 12) sm->switchTo(B, 0, 0.0f);
    };
    frames(23);
    EXPECT_EQ(when("A", "fadeOutStart"), std::vector<int>{12});
    EXPECT_EQ(when("A", "update"), range(12, 23));
    EXPECT_EQ(when("A", "fadeOutEnd"), std::vector<int>{23});
}

TEST_F(ScreenManagerTest, FadeRateZeroMeansTenthAndSlowerRatesTakeLonger) {
    showA();
    sm->switchTo(B, 0, 0.05f);
    frames(21);
    EXPECT_EQ(when("A", "fadeOutEnd"), std::vector<int>{32});
    frames(21);
    EXPECT_EQ(when("B", "fadeInEnd"), std::vector<int>{53});
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    // The next default switch is back at 0.1.
    log.clear();
    sm->switchTo(A, 0, 0.0f);
    frames(11);
    EXPECT_EQ(when("B", "fadeOutEnd"), std::vector<int>{64});
}

TEST_F(ScreenManagerTest, SwitchDuringFadeOutReplacesTheTarget) {
    showA();
    sm->switchTo(B, 1, 0.0f);
    frames(3);  // shade 0.3
    sm->switchTo(C, 1, 0.0f);
    EXPECT_EQ(when("A", "fadeOutStart").size(), 2u);
    ASSERT_EQ(sm->navHistory().size(), 2u);
    EXPECT_EQ(sm->navHistory()[0], A);
    EXPECT_EQ(sm->navHistory()[1], A);
    frames(8);  // seven more steps and the clamp: frame 22 as without the second call
    EXPECT_EQ(when("A", "fadeOutEnd"), std::vector<int>{22});
    EXPECT_EQ(when("C", "fadeInStart"), std::vector<int>{22});
    frames(11);
    EXPECT_EQ(when("C", "fadeInEnd"), std::vector<int>{33});
    for (const auto& e : log) EXPECT_NE(e.rfind("B:", 0), 0u) << e;  // B never saw anything
    EXPECT_EQ(sm->getSid(), 3);
}

TEST_F(ScreenManagerTest, SwitchDuringFadeInFadesTheIncomingScreenOutAgain) {
    showA();
    sm->switchTo(B, 0, 0.0f);
    frames(11);  // B starts fading in at frame 22
    frames(3);   // shade 0.7
    sm->switchTo(C, 1, 0.0f);
    EXPECT_EQ(when("B", "fadeOutStart"), std::vector<int>{25});
    ASSERT_EQ(sm->navHistory().size(), 1u);
    EXPECT_EQ(sm->navHistory()[0], B);
    frames(4);  // three steps up from 0.7, then the clamp
    EXPECT_EQ(when("B", "fadeOutEnd"), std::vector<int>{29});
    EXPECT_EQ(when("C", "fadeInStart"), std::vector<int>{29});
    EXPECT_TRUE(when("B", "fadeInEnd").empty());
    frames(11);
    EXPECT_EQ(when("C", "fadeInEnd"), std::vector<int>{40});
}

TEST_F(ScreenManagerTest, SwitchFromTheIncomingScreensUpdateNeverDrawsAnUnstartedScreen) {
    showA();
    sm->switchTo(B, 0, 0.0f);
    B->onUpdate = [this] {
        if (sm->getPhase() == ScreenManager::FADE_IN && sm->getFrameCount() == 24) sm->switchTo(C, 0, 0.0f);
    };
    frames(40);
    // In frame 24 B was updated and must be the one rendered; C appears only after its start.
    const auto bRenders = when("B", "render");
    EXPECT_NE(std::find(bRenders.begin(), bRenders.end(), 24), bRenders.end());
    ASSERT_FALSE(when("C", "fadeInStart").empty());
    const int cStart = when("C", "fadeInStart").front();
    ASSERT_FALSE(when("C", "render").empty());
    EXPECT_GT(when("C", "render").front(), cStart);
    for (int f : when("C", "update")) EXPECT_GT(f, cStart);
}

TEST_F(ScreenManagerTest, SwitchToTheShownScreenFadesItOutAndInAgain) {
    showA();
    sm->switchTo(A, 0, 0.0f);
    frames(22);
    EXPECT_EQ(when("A", "fadeOutStart").size(), 1u);
    EXPECT_EQ(when("A", "fadeOutEnd"), std::vector<int>{22});
    EXPECT_EQ(when("A", "fadeInStart"), std::vector<int>{22});
    EXPECT_EQ(when("A", "fadeInEnd"), std::vector<int>{33});
}

TEST_F(ScreenManagerTest, NavBackTwiceReturnsToWhereItStarted) {
    sm->navBack();  // empty history: nothing
    EXPECT_EQ(sm->getSid(), -1);
    showA();
    sm->switchTo(B, 1, 0.0f);
    frames(22);
    ASSERT_EQ(sm->navHistory(), std::vector<ScreenPtr>{A});
    sm->navBack();
    frames(22);
    EXPECT_EQ(sm->getSid(), 1);
    ASSERT_EQ(sm->navHistory(), std::vector<ScreenPtr>{B});
    sm->navBack();
    frames(22);
    EXPECT_EQ(sm->getSid(), 2);
    ASSERT_EQ(sm->navHistory(), std::vector<ScreenPtr>{A});
}

TEST_F(ScreenManagerTest, ASecondBackDuringTheFadeIsIgnoredSoBackStillLeaves) {
    showA();
    sm->switchTo(B, 1, 0.0f);
    frames(22);
    ASSERT_EQ(sm->getSid(), 2);
    sm->navBack();
    frames(3);
    sm->navBack();  // clicked twice
    frames(22);
    EXPECT_EQ(sm->getSid(), 1);
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    EXPECT_EQ(sm->navHistory(), std::vector<ScreenPtr>{B});
}

TEST_F(ScreenManagerTest, SwitchToNoScreenIsIgnored) {
    // Fading out towards nothing would leave no screen to fade in and nothing to draw.
    sm->switchTo(nullptr, 1, 0.0f);
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    EXPECT_EQ(sm->getSid(), -1);
    showA();
    sm->switchTo(nullptr, 1, 0.0f);
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    EXPECT_TRUE(sm->navHistory().empty());
    frames(2);
    EXPECT_EQ(log, (std::vector<std::string>{"A:update@12", "A:render@12", "A:update@13", "A:render@13"}));
}

TEST_F(ScreenManagerTest, SetScreenShowsAtOnceWithoutCallbacks) {
    sm->setScreen(B);
    EXPECT_EQ(sm->getSid(), 2);
    EXPECT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    EXPECT_FLOAT_EQ(sm->shadeAlpha(), 0.0f);
    frames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"B:update@1", "B:render@1"}));
}

TEST_F(ScreenManagerTest, PauseViewOnlyInNormalPhase) {
    sm->switchTo(A, 0, 0.0f);
    frames(2);
    EXPECT_EQ(sm->pauseView(), 0);
    EXPECT_EQ(sm->pauseImage(), nullptr);
    frames(9);
    ASSERT_EQ(sm->getPhase(), ScreenManager::NORMAL);
    EXPECT_EQ(sm->pauseView(), 1);
    ASSERT_NE(sm->pauseImage(), nullptr);
    EXPECT_EQ(sm->pauseImage()->width(), 800);
    EXPECT_EQ(sm->pauseImage()->height(), 480);
    sm->unpauseView();
    EXPECT_EQ(sm->pauseImage(), nullptr);
}

TEST_F(ScreenManagerTest, DrawScaleIsClassWide) {
    EXPECT_FLOAT_EQ(ScreenManager::getDrawScale(), 1.0f);
    ScreenManager::setDrawScale(0.5f);
    EXPECT_FLOAT_EQ(ScreenManager::getDrawScale(), 0.5f);
    ScreenManager::setDrawScale(1.0f);
}

namespace {
// A picture worth looking at: sky, a runway, coloured boxes.
void paintScene() {
    plat::setColor(40, 110, 190);
    plat::drawRect(0, 0, 800, 480);
    plat::setColor(90, 90, 90);
    plat::drawRect(100, 300, 600, 40);
    plat::setColor(255, 255, 255);
    for (int i = 0; i < 10; ++i) plat::drawRect(120.0f + 60.0f * i, 318, 30, 4);
    plat::setColor(255, 0, 0);
    plat::drawRect(50, 50, 120, 80);
    plat::setColor(0, 255, 0);
    plat::drawRect(200, 50, 120, 80);
    plat::setColor(255, 255, 0);
    plat::drawOval(400, 40, 100, 100);
    plat::setColor(255, 255, 255);
}

int red(uint32_t c) { return int((c >> 16) & 255); }

void writeOut(const std::string& name) {
    std::filesystem::create_directories(TARN_TEST_OUT);
    const std::string path = std::string(TARN_TEST_OUT) + "/" + name;
    EXPECT_TRUE(plat::savePNG(plat::canvas().pixels(), path, 5)) << path;
}
}  // namespace

TEST_F(ScreenManagerTest, ShadeOverAWhiteScreenDarkensStepByStep) {
    A->fill = true;
    showA();
    frames(1);
    EXPECT_EQ(plat::canvas().pixels().readPixel(400, 240), plat::argb(255, 255, 255, 255));
    sm->switchTo(B, 0, 0.0f);
    std::vector<int> levels;
    for (int i = 0; i < 11; ++i) {
        frames(1);
        levels.push_back(red(plat::canvas().pixels().readPixel(400, 240)));
    }
    // Shades 0.1 .. 0.9, then 1.0000001 drawn as fully black, then the hand-over frame.
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(levels[size_t(i)], 255.0 * (0.9 - 0.1 * i), 1.5) << i;
    EXPECT_EQ(levels[9], 0);
    EXPECT_EQ(levels[10], 0);
    for (int i = 1; i < 11; ++i) EXPECT_LE(levels[size_t(i)], levels[size_t(i - 1)]);
    // Same colour back afterwards: white at full alpha.
    int r, g, b;
    plat::getColor(r, g, b);
    EXPECT_EQ(r + g + b, 765);
    EXPECT_FLOAT_EQ(plat::getAlpha(), 1.0f);
}

TEST_F(ScreenManagerTest, FadeMiddleFrameIsWrittenForAPersonToSee) {
    A->paint = paintScene;
    showA();
    sm->switchTo(B, 0, 0.0f);
    frames(5);  // shade 0.5 over the scene
    const uint32_t c = plat::canvas().pixels().readPixel(60, 60);  // the red box, half dark
    EXPECT_NEAR(red(c), 127, 2);
    writeOut("fade_middle.png");
}

TEST_F(ScreenManagerTest, PauseSnapshotIsTheLastPictureInHalvedGrey) {
    A->paint = paintScene;
    showA();
    frames(1);
    // As from the pause key: the input poll runs before the next frame clears the canvas.
    ASSERT_EQ(sm->pauseView(), 1);
    auto grey = sm->pauseImage();
    ASSERT_NE(grey, nullptr);
    // Red box: (255 + 0 + 0) / 3 = 85, halved 42; sky: (40 + 110 + 190) / 3 = 113 -> 56.
    EXPECT_EQ(grey->frame(0).readPixel(60, 60), plat::argb(255, 42, 42, 42));
    EXPECT_EQ(grey->frame(0).readPixel(790, 470), plat::argb(255, 56, 56, 56));
    frames(3);  // every NORMAL frame ends with the snapshot over the screen
    EXPECT_EQ(plat::canvas().pixels().readPixel(60, 60), plat::argb(255, 42, 42, 42));
    EXPECT_EQ(plat::canvas().pixels().readPixel(450, 90), plat::argb(255, 85, 85, 85));  // yellow
    writeOut("pause_view.png");
    sm->unpauseView();
    frames(1);
    EXPECT_EQ(plat::canvas().pixels().readPixel(60, 60), plat::argb(255, 255, 0, 0));
}

TEST_F(ScreenManagerTest, AuxShadeAndScaledDraw) {
    plat::cls();
    plat::setColor(255, 255, 255);
    plat::drawRect(0, 0, 800, 480);
    sm->auxShade(0.5f);
    EXPECT_NEAR(red(plat::canvas().pixels().readPixel(10, 10)), 127, 2);
    EXPECT_FLOAT_EQ(plat::getAlpha(), 1.0f);
    int r, g, b;
    plat::getColor(r, g, b);
    EXPECT_EQ(r + g + b, 765);
    // At 1 or above it draws with the alpha already set and leaves that alpha alone.
    plat::setColor(255, 255, 255);
    plat::drawRect(0, 0, 800, 480);
    plat::setAlpha(0.25f);
    sm->auxShade(1.0f);
    EXPECT_FLOAT_EQ(plat::getAlpha(), 0.25f);
    EXPECT_NEAR(red(plat::canvas().pixels().readPixel(10, 10)), 191, 2);
    plat::setAlpha(1.0f);

    // draw scales the picture by the draw scale, not the position, and resets the scale.
    auto img = plat::Image::create(10, 10, 1);
    for (auto& p : img->frameMutable(0).pixels) p = plat::argb(255, 0, 0, 255);
    plat::cls();
    ScreenManager::setDrawScale(2.0f);
    sm->draw(img, 100, 100, 0, 1.5f, 1.0f);
    ScreenManager::setDrawScale(1.0f);
    const auto& px = plat::canvas().pixels();
    EXPECT_EQ(px.readPixel(101, 101) & 0xFF, 255u);
    EXPECT_EQ(px.readPixel(128, 118) & 0xFF, 255u);  // 30 x 20 from (100, 100)
    EXPECT_EQ(px.readPixel(131, 110) & 0xFF, 0u);
    EXPECT_EQ(px.readPixel(110, 121) & 0xFF, 0u);
    float sx, sy;
    plat::getScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 1.0f);
    EXPECT_FLOAT_EQ(sy, 1.0f);
}

TEST_F(ScreenManagerTest, TextAlignmentUsesTheCurrentFont) {
    auto font = plat::Font::load("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 20);
    ASSERT_NE(font, nullptr);
    plat::setImageFont(font);
    const std::string text = "TOTAL LANDINGS 7";
    const int w = plat::textWidth(text);
    ASSERT_GT(w, 0);
    EXPECT_EQ(sm->textCenterAlignX(text), 400 - w / 2);
    EXPECT_EQ(sm->textRightAlignX(text), 800 - w);
    EXPECT_EQ(sm->textCenterAlignX(""), 400);
}
