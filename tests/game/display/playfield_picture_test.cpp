// A frame of the play field with aircraft of every kind, their shadows, an edge sign,
// smoke, clouds and a lightning flash, written as PNG for a person to look at.
#include <gtest/gtest.h>

#include "game/sim_env.h"
#include "game/airport/airportitem.h"
#include "game/weather/cloudmanager.h"
#include "game/display/gameui.h"
#include "game/weather/weathersystem.h"

using namespace simtest;

namespace {

class PlayfieldPictureTest : public SimTest {};

AircraftPtr put(int cls, int payload, Vector at, float heading) {
    auto a = Aircraft::Create(cls, at);
    if (payload) a->setPayload(payload);
    a->setAngle(heading);
    GameWorld::GetInstance()->addAircraft(a);
    return a;
}

// Share of pixels of the canvas region that differ from `argb`.
double brightShare(int x0, int y0, int w, int h) {
    const auto& px = plat::canvas().pixels();
    int bright = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const uint32_t c = px.pixels[size_t(y) * size_t(px.width) + size_t(x)];
            if (((c >> 16) & 0xFF) > 240 && ((c >> 8) & 0xFF) > 240 && (c & 0xFF) > 240) ++bright;
        }
    return double(bright) / double(w * h);
}

}  // namespace

TEST_F(PlayfieldPictureTest, AircraftOfEveryKindWithShadowsSignSmokeCloudsAndFlash) {
    auto rm = ResourceManager::GetInstance();
    auto airport = Airport::GetInstance();
    airport->loadData(AirportItem::loadRecords(rm->retrieveText("airport data"))[0]);
    auto world = GameWorld::GetInstance();
    auto weather = WeatherSystem::getInstance();

    put(Aircraft::LIGHT, 0, Vector(120, 110), 30);  // the player's, no approach yet: blue
    env.rand.push({1});
    auto warned = put(Aircraft::HEAVY, 0, Vector(260, 100), 170);  // TU-154, warned: red
    warned->setWarning(1);
    env.rand.push({0});
    auto approach = put(Aircraft::HEAVY, 0, Vector(420, 140), 90);  // MD-11 on its approach
    approach->setPhase(Aircraft::APPROACH);
    put(Aircraft::BIRD, 0, Vector(560, 100), 200);
    put(Aircraft::HEAVY, Aircraft::HOS, Vector(700, 120), 135)->setPhase(Aircraft::APPROACH);
    auto life = put(Aircraft::HEAVY, Aircraft::LIFEGUARD, Vector(140, 300), -45);
    life->setPayloadTimer(1900);  // shows 63
    put(Aircraft::HEAVY, Aircraft::LIFEGUARD, Vector(260, 330), 0)->setPayloadTimer(0);  // death mark
    put(Aircraft::LIGHT, Aircraft::UAV, Vector(380, 420), 180);
    auto onFinal = put(Aircraft::LIGHT, 0, Vector(520, 330), 270);
    onFinal->setPhase(Aircraft::ONFINAL);
    onFinal->setHeight(300);  // low: smaller, its shadow close under it

    // A damaged aircraft trailing smoke, and one exploding.
    auto damaged = put(Aircraft::HEAVY, 0, Vector(560, 440), 0);
    damaged->flyDirect(Vector(760, 260), 1.5f);
    damaged->engineFailure();
    auto boom = put(Aircraft::LIGHT, 0, Vector(700, 420), 0);
    boom->flyDirect(Vector(720, 420), 0.05f);
    for (int i = 0; i < 100; ++i) {
        damaged->update();
        CloudManager::GetInstance()->update();
        if (i == 88) boom->explode();
        boom->update();
    }
    ASSERT_GE(CloudManager::GetInstance()->getCloudList().size(), 3u);

    // A storm cloud counting down, a rain cloud, and an approaching aircraft's edge sign.
    auto storm = WeatherCloud::Create(Vector(560, 180), Vector(0, 0), weather->getCloudImage(0));
    storm->setStrikeTime(450);
    world->addWeatherCloud(storm);
    world->addWeatherCloud(WeatherCloud::Create(Vector(-60, 180), Vector(0, 0), weather->getCloudImage(2)));
    GameUI::GetInstance()->addRadarContact(Vector(16, 240));

    world->process();
    plat::cls();
    Renderer().update();
    const fs::path out = fs::path(TARN_TEST_OUT) / "playfield_objects.png";
    ASSERT_TRUE(plat::testing::saveCanvas(out.string()));
    EXPECT_LT(brightShare(0, 0, 800, 480), 0.5);
    // The drawing state is left as the display expects it.
    EXPECT_EQ(plat::getRotation(), 0.0f);
    EXPECT_EQ(plat::getAlpha(), 1.0f);
    EXPECT_EQ(plat::getBlend(), int(plat::ALPHABLEND));

    // The flash lights the whole field, added over everything.
    env.rand.fallback = 1;
    storm->_lightningStrike();
    weather->getGlobalLightning()->update();
    world->process();
    EXPECT_EQ(world->getWorldList().back(), weather->getGlobalLightning());
    plat::cls();
    Renderer().update();
    ASSERT_TRUE(plat::testing::saveCanvas((fs::path(TARN_TEST_OUT) / "playfield_flash.png").string()));
    EXPECT_GT(brightShare(0, 0, 800, 480), 0.9);
    EXPECT_EQ(plat::getBlend(), int(plat::ALPHABLEND));
}
