// Cloud cover, storm clouds and their strikes, the flash, and the drifting smoke puffs.
#include <gtest/gtest.h>

#include "game/sim_env.h"
#include "game/weather/cloudmanager.h"
#include "game/weather/weathersystem.h"

using namespace simtest;

namespace {

class WeatherTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        plat::testing::scriptRnd([](double lo, double) { return lo; });
    }
    std::vector<WeatherCloudPtr>& clouds() { return GameWorld::GetInstance()->getWeatherCloud(); }
};

}  // namespace

TEST_F(WeatherTest, ThunderstormFromAnEmptySkyStrikesAndFlashesFor30Frames) {
    auto weather = WeatherSystem::getInstance();
    weather->setCloudCover(WeatherSystem::CLOUD_THUNDER);
    env.rand.push({200, 500});  // y, then the strike time
    weather->update();
    ASSERT_EQ(env.rand.calls.size(), 2u);
    EXPECT_EQ(env.rand.calls[0], std::make_pair(50, 330));
    EXPECT_EQ(env.rand.calls[1], std::make_pair(500, 1000));
    ASSERT_EQ(clouds().size(), 1u);
    WeatherCloudPtr storm = clouds()[0];
    EXPECT_EQ(storm->getImage(), weather->getCloudImage(0));
    // Created at -230 and already moved once (drift at its lower bound 0.4).
    EXPECT_NEAR(storm->GetPosition().x, -230.0 + 0.4, 1e-9);
    EXPECT_EQ(storm->GetPosition().y, 200.0);
    EXPECT_EQ(storm->getStrkieTime(), 499);
    EXPECT_EQ(storm->GetHeight(), 10000.0f);

    // It strikes in its 500th update; the flash flickers on the script's 1s.
    env.rand.fallback = 1;
    for (int i = 2; i < 500; ++i) weather->update();
    EXPECT_EQ(weather->getGlobalLightning(), nullptr);
    EXPECT_EQ(SimEnv::plays("thunder"), 0);
    weather->update();
    ASSERT_NE(weather->getGlobalLightning(), nullptr);
    EXPECT_EQ(SimEnv::plays("thunder"), 1);
    EXPECT_EQ(SoundManager::GetInstance()->getNowPlaying(4), "thunder sound");
    EXPECT_EQ(weather->getGlobalLightning()->isOn(), 0);  // the strike frame is dark
    EXPECT_EQ(GameWorld::GetInstance()->getWorldList().back(), weather->getGlobalLightning());
    // Active for the engine's checks in each of the next 30 frames, then gone.
    int active = 0;
    for (int f = 0; f < 40; ++f) {
        if (weather->getActiveCloud() == storm) ++active;
        weather->update();
    }
    EXPECT_EQ(active, 30);
    EXPECT_EQ(weather->getGlobalLightning(), nullptr);
    EXPECT_EQ(weather->getActiveCloud(), nullptr);
    // The second storm cloud came 400 frames after the first.
    EXPECT_EQ(clouds().size(), 2u);
}

TEST_F(WeatherTest, FlashIsLitOnlyInTheFramesBetweenStrikeAndRemoval) {
    auto weather = WeatherSystem::getInstance();
    auto cloud = WeatherCloud::Create(Vector(0, 0), Vector(0, 0), weather->getCloudImage(0));
    env.rand.fallback = 1;
    cloud->_lightningStrike();
    auto flash = weather->getGlobalLightning();
    ASSERT_NE(flash, nullptr);
    EXPECT_EQ(flash->GetHeight(), 11000.0f);
    int lit = 0;
    for (int i = 0; i < 29; ++i) {
        flash->update();
        lit += flash->isOn();
    }
    EXPECT_EQ(lit, 29);
    EXPECT_NE(weather->getGlobalLightning(), nullptr);
    flash->update();  // the 30th update removes it
    EXPECT_EQ(weather->getGlobalLightning(), nullptr);
    // A second strike replaces a running flash.
    cloud->_lightningStrike();
    auto first = weather->getGlobalLightning();
    cloud->_lightningStrike();
    EXPECT_NE(weather->getGlobalLightning(), first);
    const auto& list = GameWorld::GetInstance()->getWorldList();
    EXPECT_EQ(std::count(list.begin(), list.end(), std::static_pointer_cast<GameObject>(first)), 0);
}

TEST_F(WeatherTest, LightCoverBringsRainCloudsThatNeverStrike) {
    auto weather = WeatherSystem::getInstance();
    weather->setCloudCover(WeatherSystem::CLOUD_LIGHT);
    EXPECT_EQ(weather->getMaxCloudDelay(), 1000);
    EXPECT_EQ(weather->getMaxCloudCount(), 3);
    env.rand.push({3, 50, 2, 330, 1, 100});
    for (int i = 0; i < 2001; ++i) weather->update();
    ASSERT_EQ(clouds().size(), 3u);
    EXPECT_EQ(env.rand.calls[0], std::make_pair(1, 3));  // the image first
    EXPECT_EQ(clouds()[0]->getImage(), weather->getCloudImage(3));
    EXPECT_EQ(clouds()[1]->getImage(), weather->getCloudImage(2));
    EXPECT_EQ(clouds()[2]->getImage(), weather->getCloudImage(1));
    EXPECT_EQ(clouds()[2]->GetPosition().y, 100.0);
    for (const auto& c : clouds()) EXPECT_LT(c->getStrkieTime(), 0);
    EXPECT_EQ(SimEnv::plays("thunder"), 0);
    // Three in the sky: no fourth however long the wait.
    for (int i = 0; i < 200; ++i) weather->update();
    EXPECT_EQ(clouds().size(), 3u);
}

TEST_F(WeatherTest, ThunderThenLightDefusesTheStormAndNoneLetsCloudsDriftAway) {
    auto weather = WeatherSystem::getInstance();
    plat::testing::scriptRnd([](double, double) { return 0.5; });
    weather->setCloudCover(WeatherSystem::CLOUD_THUNDER);
    env.rand.push({100, 600});
    weather->update();
    ASSERT_EQ(clouds().size(), 1u);
    auto storm = clouds()[0];
    weather->setCloudCover(WeatherSystem::CLOUD_LIGHT);
    EXPECT_EQ(storm->getStrkieTime(), -1);
    weather->setCloudCover(WeatherSystem::CLOUD_NONE);
    // Drifting at 0.5 from -230, it passes x 900 in its 2261st update and leaves then.
    for (int i = 2; i < 2261; ++i) weather->update();
    EXPECT_EQ(clouds().size(), 1u);
    weather->update();
    EXPECT_TRUE(clouds().empty());
    EXPECT_EQ(weather->getCloudCount(), 0);
    EXPECT_EQ(SimEnv::plays("thunder"), 0);
}

TEST_F(WeatherTest, CountFollowsWhenTheWorldDropsItsClouds) {
    auto weather = WeatherSystem::getInstance();
    weather->setCloudCover(WeatherSystem::CLOUD_THUNDER);
    for (int i = 0; i < 2001; ++i) weather->update();  // frames 1, 401, ... 2001: six clouds
    ASSERT_EQ(weather->getCloudCount(), 6);
    // The scenario load resets the weather, then the new game's reset empties the sky.
    weather->reset();
    GameWorld::GetInstance()->reset();
    EXPECT_EQ(weather->getCloudCount(), 0);
    weather->setCloudCover(WeatherSystem::CLOUD_LIGHT);
    weather->update();
    EXPECT_EQ(clouds().size(), 1u);
}

TEST_F(WeatherTest, StrikeZoneIsStrictlyInsideTheCircle) {
    auto cloud = WeatherCloud::Create(Vector(100, 50), Vector(0, 0), nullptr);
    // Centre (218, 143), radius 80.
    struct Case { double x, y; int inside; } cases[] = {
        {218, 143, 1}, {298, 143, 0}, {297.999, 143, 1}, {218, 63, 0}, {218, 63.001, 1},
        {218 + 48, 143 + 64, 0}, {218 - 47.9, 143 - 64, 1}, {400, 400, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(cloud->isInStrikeZone(Vector(c.x, c.y)), c.inside) << c.x << "," << c.y;
}

TEST_F(WeatherTest, PuffsFadeInFloatAndLeaveInTheUpdateTheyReachZero) {
    auto cm = CloudManager::GetInstance();
    auto img = ResourceManager::GetInstance()->retrieveImage("smoke");
    // Two puffs that fade out in the same update, then one a frame younger.
    cm->add(img, Vector(0, 0), Vector(1, 0), 0.8f, 0.0025f);
    cm->add(img, Vector(0, 0), Vector(0, 1), 0.8f, 0.0025f);
    cm->update();
    cm->add(img, Vector(0, 0), Vector(0, 0), 0.8f, 0.0025f);
    for (int i = 2; i < 321; ++i) cm->update();
    ASSERT_EQ(cm->getCloudList().size(), 3u);
    EXPECT_EQ(cm->getCloudList()[1]->position, Vector(0, 320));
    EXPECT_GT(cm->getCloudList()[0]->alpha, 0.0f);
    cm->update();  // the first two puffs' 321st update
    ASSERT_EQ(cm->getCloudList().size(), 1u);
    cm->update();
    EXPECT_TRUE(cm->getCloudList().empty());
}
