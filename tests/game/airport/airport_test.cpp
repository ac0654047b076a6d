// The airport: funds and the operating cost, loading a record (runways, flag, colour,
// icon, ambient sound), the background cross-fade, fees, highlighting and thresholds;
// and a picture of every airport of "airports.txt" with its runways' boxes, touch-down
// points and lights over the generated background, for a person to compare.
#include <climits>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "game/airport/airport.h"
#include "game/airport/airportitem.h"
#include "game/display/gameui.h"
#include "platform/canvas.h"
#include "platform/image.h"
#include "platform/testing.h"
#include "game/sim_env.h"
#include "support/kit_test.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

namespace fs = std::filesystem;

namespace {

// A small asset tree of its own: a black airport picture (also without extension), a
// white storm picture, a flag and an ambient loop.
class AirportTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::testing::useSilentAudio();
        kit::writePng(root / "assets/images/airport/tower.png", 20, 20, 0xFF000000u);
        kit::writePng(root / "assets/images/airport/tower", 20, 20, 0xFF000000u);
        kit::writePng(root / "assets/images/airport/storm.png", 20, 20, 0xFFFFFFFFu);
        kit::writePng(root / "assets/images/flags/testland.png", 6, 4, 0xFFFF0000u);
        kit::writeWav(root / "assets/audio/amb.wav");
        airport = Airport::getInstance();
    }
    static AirportItem record(const std::string& img, const std::string& sound) {
        auto item = AirportItem::fromLine("Test/" + img + "/" + sound +
                                          "/380/230/60.7/560/340/150/10/20/30/300/420/-15/Descr");
        EXPECT_TRUE(item);
        return item ? *item : AirportItem();
    }
    void updates(int n) {
        for (int i = 0; i < n; ++i) airport->update();
    }

    kit::Scratch scratch{"airport"};
    const fs::path root = scratch.enter();
    AirportPtr airport;
};

}  // namespace

TEST_F(AirportTest, FundsNeverFallBelowZeroAndTheOperatingCostComesEveryThirtyFrames) {
    struct Case { const char* what; int start; int frames; int remove; int add; int expected; };
    const Case cases[] = {
        {"tick at 10", 10, 30, 0, 0, 0},
        {"tick at 0", 0, 30, 0, 0, 0},
        {"tick at 5000", 5000, 30, 0, 0, 4980},
        {"two ticks", 5000, 60, 0, 0, 4960},
        {"29 frames: no tick yet", 5000, 29, 0, 0, 5000},
        {"remove past 0, then add", 5000, 0, 7000, 1000, 1000},
        {"add past the top of int", INT_MAX - 10, 0, 0, 1000, INT_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SingletonRegistry::resetAllForTests();
        airport = Airport::getInstance();
        auto ui = GameUI::GetInstance();
        airport->setFunds(c.start);
        updates(c.frames);
        if (c.remove) airport->removeFromFunds(c.remove);
        if (c.add) airport->addToFunds(c.add);
        EXPECT_EQ(airport->getFunds(), c.expected);
        // The display is refreshed by the tick alone.
        EXPECT_EQ(ui->getFundsBalance(), c.frames >= 30 ? c.expected : 0);
        EXPECT_EQ(airport->isBankrupt(), c.expected <= 0 ? 1 : 0);
    }
    // A new game does not restart the cycle.
    SingletonRegistry::resetAllForTests();
    airport = Airport::getInstance();
    airport->setFunds(100);
    updates(15);
    airport->reset();
    updates(15);
    EXPECT_EQ(airport->getFunds(), 80);
}

TEST_F(AirportTest, LoadingARecordSetsRunwaysFlagColourIconAndQueuedSound) {
    struct Case { const char* img; const char* sound; bool queued; const char* icon; bool plays; int queueAfter; };
    const Case cases[] = {
        {"tower.png", "amb.wav", true, "tower", true, 0},
        {"tower", "amb.wav", false, "tower", false, 0},
        {"tower.png", "", true, "tower", false, 1},  // nothing to play: the start stays queued
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.img) + " / " + c.sound);
        SingletonRegistry::resetAllForTests();
        plat::testing::clearPlayLog();
        airport = Airport::getInstance();
        airport->loadBgd(2, "storm.png");
        const plat::ImagePtr storm = airport->getBgd(2);
        if (c.queued) airport->queBGsound();
        airport->loadData(record(c.img, c.sound));

        EXPECT_EQ(airport->getIconName(), c.icon);
        EXPECT_EQ(airport->getBgdIndex(), 1);
        EXPECT_NE(airport->getBgd(0), nullptr);
        EXPECT_EQ(airport->getBgd(0), airport->getBgd(1));
        EXPECT_EQ(airport->getBgd(2), storm) << "slot 2 is the scenario's";
        const auto& rws = airport->getRunways();
        ASSERT_EQ(rws.size(), 2u);
        EXPECT_EQ(rws[0]->getClass(), Aircraft::HEAVY);
        EXPECT_EQ(rws[0]->getPosition(), Vector(380, 230));
        EXPECT_EQ(rws[0]->getHeading(), 60.0f) << "whole degrees";
        EXPECT_EQ(rws[0]->getLength(), 330);
        EXPECT_EQ(rws[1]->getClass(), Aircraft::LIGHT);
        EXPECT_EQ(rws[1]->getPosition(), Vector(560, 340));
        EXPECT_EQ(rws[1]->getHeading(), 150.0f);
        EXPECT_EQ(rws[1]->getLength(), 226);
        EXPECT_EQ(airport->getFlagPos(), Vector(300, 420));
        EXPECT_EQ(airport->getFlagAngle(), -15.0f);
        EXPECT_EQ(GameUI::r, 10);
        EXPECT_EQ(GameUI::g, 20);
        EXPECT_EQ(GameUI::b, 30);
        EXPECT_EQ(airport->getSoundQue(), c.queueAfter);
        const auto log = plat::testing::playLog();
        EXPECT_EQ(log.size(), c.plays ? 1u : 0u);
        if (c.plays) {
            EXPECT_NE(log[0].path.find("audio/amb.wav"), std::string::npos);
            EXPECT_EQ(SoundManager::GetInstance()->getNowPlaying(1), "audio/amb.wav");
            ASSERT_NE(SoundManager::GetInstance()->channel(1), nullptr);
            airport->stopBGsound();
            EXPECT_FALSE(SoundManager::GetInstance()->channel(1) && SoundManager::GetInstance()->channel(1)->playing());
        }
        // A second load replaces the runways rather than adding to them.
        airport->loadData(record(c.img, c.sound));
        EXPECT_EQ(airport->getRunways().size(), 2u);
    }
}

// The fade timer is a 32-bit float: from 1.0 in steps of 0.01 it falls below 0 on the
// 101st update (the 100th in double precision).
TEST_F(AirportTest, CrossFadeRisesTheNewPictureAndEndsOnTheHundredAndFirstUpdate) {
    airport->loadData(record("tower.png", ""));
    airport->loadBgd(2, "storm.png");
    auto grey = [&] {
        plat::cls();
        airport->render();
        return int(plat::canvas().pixels().readPixel(10, 10) & 0xFF);
    };
    EXPECT_EQ(grey(), 0);
    airport->switchBgdTo(2);
    updates(50);
    EXPECT_NEAR(grey(), 127, 2) << "half-way";
    EXPECT_EQ(plat::getAlpha(), 1.0f);
    updates(50);
    EXPECT_GT(airport->getBgdTimer(), 0.0f);
    EXPECT_EQ(airport->getBgdIndex(), 1);
    updates(1);
    EXPECT_EQ(airport->getBgdTimer(), 0.0f);
    EXPECT_EQ(airport->getBgdIndex(), 2);
    EXPECT_EQ(grey(), 255);
    // A new game shows the airport's own picture again.
    airport->reset();
    EXPECT_EQ(grey(), 0);
}

TEST_F(AirportTest, FlagIsCentredOnItsPositionAndClearedForANewGame) {
    airport->loadData(record("tower.png", ""));
    airport->setFlag("testland");
    ASSERT_NE(airport->getFlag(), nullptr);
    EXPECT_EQ(airport->getFlag()->handleX(), 3.0f);
    EXPECT_EQ(airport->getFlag()->handleY(), 2.0f);
    plat::cls();
    airport->render();
    const uint32_t px = plat::canvas().pixels().readPixel(300, 420);
    EXPECT_GT(int((px >> 16) & 0xFF), 150) << "the red flag, at alpha 0.75 over black";
    EXPECT_EQ(plat::getRotation(), 0.0f);
    airport->reset();
    EXPECT_EQ(airport->getFlag(), nullptr);
}

namespace {

class AirportSimTest : public simtest::SimTest {};

}  // namespace

TEST_F(AirportSimTest, FeesByClassHighlightingAndThresholdOrder) {
    auto airport = Airport::GetInstance();
    airport->setFunds(0);
    struct Fee { int cls; int fee; };
    for (const Fee f : {Fee{Aircraft::HEAVY, 1000}, Fee{Aircraft::LIGHT, 120}, Fee{Aircraft::BIRD, 0}}) {
        const int before = airport->getFunds();
        airport->aircraftLanded(Aircraft::Create(f.cls, Vector(0, 0)));
        EXPECT_EQ(airport->getFunds() - before, f.fee) << f.cls;
    }
    // Once the game is lost, a touchdown while the game screen fades out books nothing.
    env.scenario->gameOver();
    const int lost = airport->getFunds();
    airport->aircraftLanded(Aircraft::Create(Aircraft::HEAVY, Vector(0, 0)));
    EXPECT_EQ(airport->getFunds(), lost);

    // Two runways whose threshold boxes overlap: the heavy one, listed first, is found.
    airport->_addRunway(Runway::Create(Vector(400, 300), 0, 330, Aircraft::HEAVY));
    airport->_addRunway(Runway::Create(Vector(400, 250), 0, 226, Aircraft::LIGHT));
    const auto& rws = airport->getRunways();
    EXPECT_EQ(airport->inThreshold(Vector(400, 150)), rws[0]);
    EXPECT_EQ(airport->inThreshold(Vector(400, 250)), nullptr);

    auto light = Aircraft::Create(Aircraft::LIGHT, Vector(0, 0));
    EXPECT_EQ(airport->getAvailableRunRunway(light), rws[1]);
    airport->hilightRunway(light);
    EXPECT_EQ(rws[0]->getRuwayLights()->isActive(), 0);
    EXPECT_EQ(rws[1]->getRuwayLights()->isActive(), 1);
    for (const auto& l : rws[1]->getRuwayLights()->getLightsArray()) {
        EXPECT_EQ(l->getR(), 255);
        EXPECT_EQ(l->getG(), 255);
        EXPECT_EQ(l->getB(), 0);
    }
    airport->update();
    airport->clearRunwaysLights();
    EXPECT_EQ(rws[1]->getRuwayLights()->isActive(), 0);
    for (const auto& l : rws[1]->getRuwayLights()->getLightsArray()) EXPECT_EQ(l->isActive(), 0);
}

// Every record's runways drawn over its picture: threshold boxes in magenta, touch-down
// points in cyan and the lights at full brightness, one PNG per airport.
TEST_F(AirportSimTest, EveryAirportOfTheFileIsDrawnWithItsRunways) {
    std::string error;
    const auto records = AirportItem::readRecords(ResourceManager::GetInstance()->retrieveText("airport data"), error);
    ASSERT_TRUE(records) << error;
    fs::create_directories(TARN_TEST_OUT);
    auto airport = Airport::GetInstance();
    for (size_t n = 0; n < records->size(); ++n) {
        const AirportItem& item = *(*records)[n];
        SCOPED_TRACE(item.title);
        airport->loadData(item);
        for (const auto& rw : airport->getRunways()) {
            for (const auto& l : rw->getRuwayLights()->getLightsArray()) {
                l->on();
                l->update();
            }
            rw->getRuwayLights()->on();
            // The whole threshold box and the runway lie on the screen.
            for (const auto& light : rw->getRuwayLights()->getLightsArray()) {
                EXPECT_TRUE(light->getPosition().x >= 0 && light->getPosition().x < 800 &&
                            light->getPosition().y >= 0 && light->getPosition().y < 480);
            }
        }
        plat::cls();
        airport->render();
        plat::setLineWidth(2.0f);
        for (const auto& rw : airport->getRunways()) {
            const auto& box = rw->getHotspot1()->getFloatArray();
            plat::setColor(255, 0, 255);
            for (int i = 0; i < 8; i += 2) plat::drawLine(box[i], box[i + 1], box[(i + 2) % 8], box[(i + 3) % 8]);
            plat::setColor(0, 255, 255);
            for (const Vector& t : {rw->getTouchDownVector1(), rw->getTouchDownVector2()})
                plat::drawOval(float(t.x) - 3, float(t.y) - 3, 6, 6);
            plat::setColor(255, 255, 255);
            plat::drawText(rw->getClass() == Aircraft::HEAVY ? "HEAVY" : "LIGHT", float(rw->getPosition().x) + 20,
                           float(rw->getPosition().y));
        }
        plat::setLineWidth(1.0f);
        EXPECT_TRUE(plat::testing::saveCanvas(std::string(TARN_TEST_OUT) + "/airport_" + std::to_string(n) + "_" +
                                              airport->getIconName() + ".png"));
    }
}
