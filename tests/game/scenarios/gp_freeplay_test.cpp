// The four free-play scenarios: visits by landing count and by time, the flag column, the
// bird and life-flight caps, gifts, migrations, saved lives and patient deaths.
#include "game/scenario_fixture.h"

#include "game/scenarios/gp_birdmigration.h"
#include "game/scenarios/gp_calmday.h"
#include "game/scenarios/gp_medicalemergency.h"
#include "game/scenarios/gp_unitednations.h"
#include "platform/canvas.h"

using namespace scenario_test;
using GPM = Game_playManager;

namespace {

class FreePlay : public ScenarioFixture {
protected:
    static FleetManagerPtr fleet() { return FleetManager::GetInstance(); }
    // The visitor's flight ends (landed or gone): the world drops it.
    static void endVisit() {
        auto hos = fleet()->getHOSaircraft();
        ASSERT_NE(hos, nullptr);
        GameWorld::GetInstance()->removeAircraft(hos);
    }
};

TEST_F(FreePlay, EveryGameStartsWithItsFundsAndInWorkMode) {
    // The united nations brings its own music: no ambient sound is queued.
    install(GP_unitedNations::GetInstance());
    EXPECT_EQ(Airport::getInstance()->getSoundQue(), 0);
    install(GP_birdMigration::GetInstance());
    EXPECT_EQ(Airport::getInstance()->getSoundQue(), 1);
    const std::shared_ptr<GPM> all[] = {GP_calmDay::GetInstance(), GP_unitedNations::GetInstance(),
                                        GP_birdMigration::GetInstance(), GP_medicalEmergency::GetInstance()};
    for (const auto& pm : all) {
        setFunds(123);
        install(pm);
        EXPECT_EQ(funds(), 5000);
        EXPECT_EQ(pm->getStoryMode(), GPM::WORK);
    }
}

TEST_F(FreePlay, CalmDayVisitorAtEveryThirtiethLandingDelayedByBusyLanes) {
    auto pm = GP_calmDay::GetInstance();
    install(pm);
    fleet()->setLandCount(29);
    frames(pm, 5);
    EXPECT_EQ(hosInWorld(), 0);
    fleet()->setLandCount(30);
    frames(pm, 1);  // the same frame as the 30th landing
    EXPECT_EQ(hosInWorld(), 1);
    EXPECT_EQ(pm->_nextACcount, 60);
    EXPECT_EQ(GameWorld::GetInstance()->getNationByIndex(0)->visit, 1);
    endVisit();

    fleet()->setLandCount(60);
    blockAllLanes();
    frames(pm, 50);
    EXPECT_EQ(hosInWorld(), 0);  // only delayed
    freeAllLanes();
    frames(pm, 1);
    EXPECT_EQ(hosInWorld(), 1);
    EXPECT_EQ(pm->_nextACcount, 90);
    EXPECT_EQ(pm->_HOSindex, 2);
}

TEST_F(FreePlay, CalmDayNeverSendsASecondVisitorWhileOneIsInTheAir) {
    auto pm = GP_calmDay::GetInstance();
    install(pm);
    fleet()->setLandCount(95);  // three visits are due
    frames(pm, 100);
    EXPECT_EQ(hosInWorld(), 1);
    EXPECT_EQ(pm->_nextACcount, 60);
    endVisit();
    frames(pm, 1);
    EXPECT_EQ(hosInWorld(), 1);
    EXPECT_EQ(pm->_nextACcount, 90);
}

TEST_F(FreePlay, CalmDayNoVisitorOnceTheGameIsLost) {
    auto pm = GP_calmDay::GetInstance();
    install(pm);
    GPM::setMissionStatus(GPM::FAILED);
    fleet()->setLandCount(30);
    frames(pm, 3);
    EXPECT_EQ(hosInWorld(), 0);
}

TEST_F(FreePlay, CalmDayGiftNamesTheLandedVisitorsCountryAndWrapsTheNationList) {
    auto pm = GP_calmDay::GetInstance();
    install(pm);
    auto world = GameWorld::GetInstance();
    answers[{0, 10}] = 4;  // a $5000 gift
    for (int visit = 0; visit < 4; ++visit) {
        SCOPED_TRACE(visit);
        GameUI::GetInstance()->clearImages();
        fleet()->setLandCount(30 * (visit + 1));
        frames(pm, 1);
        auto hos = fleet()->getHOSaircraft();
        ASSERT_NE(hos, nullptr);
        int before = funds();
        pm->onAircraftLanded(hos);
        GameWorld::GetInstance()->removeAircraft(hos);
        EXPECT_EQ(funds(), before + 5000);
        const std::string country = world->getNationByIndex(visit % 3)->country;
        ASSERT_EQ(texts().size(), 1u);
        EXPECT_EQ(texts()[0], "Gift from " + country + ": $5000");
    }
    EXPECT_EQ(world->getNationByIndex(0)->visit, 2);  // nation 0 again after the last one
    // An ordinary landing brings nothing.
    int before = funds();
    pm->onAircraftLanded(plane(Aircraft::HEAVY));
    EXPECT_EQ(funds(), before);
}

TEST_F(FreePlay, UnitedNationsVisitorsOneAfterAnotherThreeHundredFramesApart) {
    auto pm = GP_unitedNations::GetInstance();
    install(pm);
    frames(pm, 1);  // the first visitor comes in the first frame
    EXPECT_EQ(hosInWorld(), 1);
    frames(pm, 400);  // no second while one is in the air
    EXPECT_EQ(hosInWorld(), 1);
    auto hos = fleet()->getHOSaircraft();
    pm->onAircraftLanded(hos);
    GameWorld::GetInstance()->removeAircraft(hos);
    frames(pm, 300);
    EXPECT_EQ(hosInWorld(), 0);
    frames(pm, 1);
    EXPECT_EQ(hosInWorld(), 1);
    // A busy lane delays the next one.
    hos = fleet()->getHOSaircraft();
    pm->onAircraftLanded(hos);
    GameWorld::GetInstance()->removeAircraft(hos);
    blockAllLanes();
    frames(pm, 320);
    EXPECT_EQ(hosInWorld(), 0);
    freeAllLanes();
    frames(pm, 1);
    EXPECT_EQ(hosInWorld(), 1);
}

TEST_F(FreePlay, UnitedNationsFlagsFormAColumnAndEachGameStartsAtTheFirstNation) {
    auto pm = GP_unitedNations::GetInstance();
    for (int game = 0; game < 2; ++game) {
        SCOPED_TRACE(game);
        install(pm);
        EXPECT_EQ(pm->_HOSindex, 0);
        for (int i = 0; i < 4; ++i) {
            frames(pm, 301);
            auto hos = fleet()->getHOSaircraft();
            ASSERT_NE(hos, nullptr);
            pm->onAircraftLanded(hos);
            GameWorld::GetInstance()->removeAircraft(hos);
        }
        std::vector<int> ys;
        for (const auto& item : GameUI::GetInstance()->getItemList()) {
            if (item->class_ != UI_item::IMAGE) continue;
            EXPECT_EQ(item->x, 8);
            EXPECT_EQ(item->counter, 0);
            ASSERT_NE(item->img, nullptr);
            EXPECT_EQ(item->img->width(), 30);
            EXPECT_EQ(item->img->height(), 20);
            ys.push_back(item->y);
        }
        EXPECT_EQ(ys, (std::vector<int>{60, 85, 110, 135}));
        EXPECT_EQ(pm->_HOSindex, 1);  // four visits over three nations
    }
}

TEST_F(FreePlay, FlagColumnAndGiftLinePicture) {
    const char* real[] = {"russia", "china", "brazil"};
    for (int i = 0; i < 3; ++i)
        fs::copy_file(fs::path(TARN_ASSET_DIR) / "original/flags" / (std::string(real[i]) + ".png"),
                      root / "assets/images/flags" / (nationIds[size_t(i)] + ".png"), fs::copy_options::overwrite_existing);
    fs::create_directory_symlink(fs::path(TARN_ASSET_DIR) / "fonts", root / "assets/fonts");
    kit::registerAssets({"normal"});
    plat::setImageFont(ResourceManager::GetInstance()->retrieveFont("normal"));

    auto pm = GP_unitedNations::GetInstance();
    install(pm);
    for (int i = 0; i < 3; ++i) {
        frames(pm, 301);
        auto hos = fleet()->getHOSaircraft();
        ASSERT_NE(hos, nullptr);
        pm->onAircraftLanded(hos);
        GameWorld::GetInstance()->removeAircraft(hos);
    }
    answers[{0, 10}] = 10;
    GP_calmDay::GetInstance()->onAircraftLanded(plane(Aircraft::HEAVY, Aircraft::HOS));
    GameUI::GetInstance()->setAuxMsg("Flocks Migrated: 3");
    plat::cls();
    GameUI::GetInstance()->render();
    fs::create_directories(TARN_TEST_OUT);
    ASSERT_TRUE(plat::testing::saveCanvas(std::string(TARN_TEST_OUT) + "/scenario_flags_and_gift.png"));
    // Each flag shows where it was placed, over the black of the cleared canvas.
    for (int y : {60, 85, 110}) EXPECT_NE(plat::canvas().pixels().readPixel(8 + 15, y + 10) & 0xFFFFFFu, 0u);
    EXPECT_EQ(plat::canvas().pixels().readPixel(8 + 15, 135 + 10) & 0xFFFFFFu, 0u);
}

// Flocks and life flights share the cap: one more for every 15 landings, up to six. The
// count is tested before the random draw, and the draw before the lane.
TEST_F(FreePlay, BirdAndLifeFlightCaps) {
    struct Case { int landings; int inWorld; bool sends; };
    const Case cases[] = {{0, 0, true}, {14, 1, false}, {15, 1, true}, {29, 2, false},
                          {75, 5, true}, {200, 6, false}, {200, 5, true}};
    const std::shared_ptr<GPM> scenarios[] = {GP_birdMigration::GetInstance(), GP_medicalEmergency::GetInstance()};
    for (const auto& pm : scenarios) {
        const bool birds = pm == scenarios[0];
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(birds) + " " + std::to_string(c.landings));
            install(pm);
            for (int i = 0; i < c.inWorld; ++i) {
                if (birds) fleet()->addBirdFlock(2);
                else fleet()->addLifeFlight(2);
            }
            freeAllLanes();
            fleet()->setLandCount(c.landings);
            auto count = [&] {
                return birds ? GameWorld::GetInstance()->getBirdCount()
                             : GameWorld::GetInstance()->getLifeFlightCount();
            };
            answers[{0, 200}] = 19;
            draws.clear();
            frames(pm, 1);
            EXPECT_EQ(drawsOf(0, 200), c.sends ? 1 : 0);
            EXPECT_EQ(count(), c.inWorld);
            answers[{0, 200}] = 20;
            blockAllLanes();
            frames(pm, 1);
            EXPECT_EQ(count(), c.inWorld);
            freeAllLanes();
            frames(pm, 1);
            EXPECT_EQ(count(), c.inWorld + (c.sends ? 1 : 0));
        }
    }
}

TEST_F(FreePlay, MigratedFlocksCountFreeEvenWithACollisionPending) {
    auto pm = GP_birdMigration::GetInstance();
    install(pm);
    setFunds(50000);
    pm->onCollision(plane(Aircraft::HEAVY), plane(Aircraft::LIGHT));
    for (int i = 1; i <= 2; ++i) {
        auto bird = plane(Aircraft::BIRD);
        bird->setPhase(Aircraft::ENGINE_FAILURE);  // even a struck flock costs nothing
        pm->onAircraftDrift(bird);
        EXPECT_EQ(GameUI::GetInstance()->getAuxMsg(), "Flocks Migrated: " + std::to_string(i));
    }
    EXPECT_EQ(funds(), 30000);
    pm->onAircraftDrift(plane(Aircraft::LIGHT));  // any other aircraft: the usual penalty
    EXPECT_EQ(funds(), 25000);
}

TEST_F(FreePlay, PatientDeathChargedOncePerSilence) {
    auto pm = GP_medicalEmergency::GetInstance();
    install(pm);
    answers[{0, 200}] = 0;  // no new life flights
    setFunds(100000);
    auto a = fleet()->addLifeFlight(2);
    auto b = fleet()->addLifeFlight(3);
    a->setPayloadTimer(20);
    b->setPayloadTimer(25);
    frames(pm, 1);
    EXPECT_EQ(funds(), 90000);
    EXPECT_EQ(SoundManager::GetInstance()->getNowPlaying(4), "flatline sound");
    EXPECT_EQ(texts().back(), "Death of Patients: -$10000");
    frames(pm, 149);  // the second patient is inside the silence
    EXPECT_EQ(funds(), 90000);
    frames(pm, 1);
    EXPECT_EQ(funds(), 80000);
    // A timer at 0 no longer counts: with none above 0 there is no urgent patient.
    a->setPayloadTimer(0);
    b->setPayloadTimer(0);
    EXPECT_EQ(pm->payloadTime(), 100000);
    frames(pm, 400);
    EXPECT_EQ(funds(), 80000);
}

TEST_F(FreePlay, HeartbeatFollowsTheMostUrgentPatient) {
    auto pm = GP_medicalEmergency::GetInstance();
    install(pm);
    answers[{0, 200}] = 0;
    fleet()->addLifeFlight(2)->setPayloadTimer(500);
    fleet()->addLifeFlight(3)->setPayloadTimer(40);
    EXPECT_EQ(pm->payloadTime(), 40);
    auto sm = SoundManager::GetInstance();
    int beats = 0;
    for (int i = 0; i < 36; ++i) {
        sm->endChannel(4);
        pm->update();
        beats += sm->getNowPlaying(4) == "heartbeat sound";
    }
    EXPECT_EQ(beats, 3);  // every 40 / 20 + 10 = 12 frames
}

TEST_F(FreePlay, LifeFlightLandingCountsASavedLife) {
    auto pm = GP_medicalEmergency::GetInstance();
    install(pm);
    auto lost = plane(Aircraft::LIGHT, Aircraft::LIFEGUARD);
    lost->setPayloadTimer(0);  // its patient died: still counted
    pm->onAircraftLanded(lost);
    pm->onAircraftLanded(plane(Aircraft::HEAVY));
    pm->onAircraftLanded(plane(Aircraft::LIGHT, Aircraft::LIFEGUARD));
    EXPECT_EQ(GameUI::GetInstance()->getAuxMsg(), "Life Saved: 2");
    install(pm);
    EXPECT_EQ(pm->_lifeSaved, 0);
}

}  // namespace
