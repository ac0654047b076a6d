// The in-game display: posted texts and images counted down as they are drawn (a counter
// of 0 or less stays), removal by index, the edge-sign pulse, and a new game's reset.
#include <gtest/gtest.h>

#include "game/display/gameui.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/image.h"
#include "vostrel/screenmanager.h"

namespace {

class GameUITest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::setImageFont(plat::Font::load(std::string(TARN_ASSET_DIR) + "/fonts/ConsolaMono.ttf", 12));
        ui = GameUI::GetInstance();
        GameUI::setDspColor(255, 255, 255);
    }
    // Lit pixels of the canvas in a box, after one drawn frame.
    static int litIn(int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if ((plat::canvas().pixels().readPixel(x, y) & 0xFFFFFFu) != 0) ++n;
        return n;
    }
    int frame() {
        plat::cls();
        ui->render();
        return litIn(100, 50, 200, 70);
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& it : ui->getItemList()) out.push_back(it->data);
        return out;
    }
    GameUIPtr ui;
};

}  // namespace

TEST_F(GameUITest, ItemsAreDrawnCounterTimesWhileZeroOrLessStays) {
    ui->addText(100, 50, "ARRIVING", 3);
    ui->addImage(300, 300, plat::Image::create(4, 4), 1);
    ui->addText(5, 300, "stays", 0);
    ui->addText(5, 320, "stays too", -1);
    EXPECT_GT(frame(), 0);
    EXPECT_EQ(texts(), (std::vector<std::string>{"ARRIVING", "stays", "stays too"})) << "the image was drawn once";
    EXPECT_GT(frame(), 0);
    EXPECT_GT(frame(), 0);
    EXPECT_EQ(texts(), (std::vector<std::string>{"stays", "stays too"}));
    EXPECT_EQ(frame(), 0) << "gone in the fourth frame";
    for (int i = 0; i < 200; ++i) frame();
    EXPECT_EQ(texts(), (std::vector<std::string>{"stays", "stays too"}));
    EXPECT_EQ(ui->getItemList()[0]->counter, -204) << "counted on, never reaching 0";
    ui->setAuxMsg("Flocks Migrated: 3");
    ui->addRadarContact(Vector(16, 16));
    ui->setFundsBalance(4980);
    ui->setLanded(7);
    ui->reset();
    EXPECT_TRUE(ui->getItemList().empty());
    EXPECT_TRUE(ui->getRadarContactList().empty());
    EXPECT_EQ(ui->getAuxMsg(), "");
    EXPECT_EQ(ui->getFundsBalance(), 4980) << "left to the next refresh";
    EXPECT_EQ(ui->getLanded(), 7);
}

TEST_F(GameUITest, RemoveImageTakesTheIndexedItemAndRefusesIndexesOutside) {
    EXPECT_EQ(ui->removeImage(0), 0) << "empty list";
    for (const char* t : {"a", "b", "c"}) ui->addText(0, 0, t, 5);
    struct Case { int index; int result; std::vector<std::string> left; };
    const Case cases[] = {
        {3, 0, {"a", "b", "c"}},
        {-1, 0, {"a", "b", "c"}},
        {0, 1, {"b", "c"}},
        {1, 1, {"b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui->removeImage(c.index), c.result) << c.index;
        EXPECT_EQ(texts(), c.left) << c.index;
    }
    ui->addImage(0, 0, plat::Image::create(2, 2), 0);
    ui->clearImages();
    EXPECT_TRUE(ui->getItemList().empty()) << "texts go too";
}

TEST_F(GameUITest, EdgeSignsPulseOverTenFramesAndLiveOneFrame) {
    std::vector<float> scales;
    for (int i = 0; i < 21; ++i) {
        scales.push_back(ui->getSignScale());
        if (i == 4) ui->addRadarContact(Vector(16, 240));
        ui->render();
        EXPECT_TRUE(ui->getRadarContactList().empty());
    }
    for (int i = 0; i < 10; ++i) EXPECT_NEAR(scales[size_t(i)], 0.5f + 0.05f * float(i), 1e-5f) << i;
    EXPECT_EQ(scales[10], 0.5f);
    EXPECT_EQ(scales[20], 0.5f);
    float sx = 0, sy = 0;
    plat::getScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
    EXPECT_EQ(sy, 1.0f);
}
