// The story: its phases, speeches and portraits, restarts, storms, the story slot and its
// restore, and the end of the story.
#include "game/scenario_fixture.h"

#include "game/gameengine.h"
#include "game/scenarios/gs_forgottenport.h"
#include "game/weather/weathersystem.h"
#include "imports/basicfunctions.h"

using namespace scenario_test;
using GPM = Game_playManager;

namespace {

const std::string PORTRAITS = "images/stories/forgotten_port/";

class Story : public ScenarioFixture {
protected:
    std::shared_ptr<GS_forgottenPort> gs;
    Story() {
        nationIds = {"russia", "china", "brazil", "venezuela", "usa", "england", "aland"};
        speechLines = 19;
    }
    void SetUp() override {
        ScenarioFixture::SetUp();
        answers[{450, 900}] = 450;  // every wait is the shortest
        answers[{0, 200}] = 0;      // no random spawns unless a test asks
        answers[{0, 2000}] = 0;
        gs = GS_forgottenPort::GetInstance();
    }
    void start(const std::string& slot) {
        shell->slot = slot;
        install(gs);
    }
    // Starts the story straight at phase p (as a restored slot does) and runs its step 0.
    void at(int p, int funds = 50000) {
        gs->setPhase(0);  // as at the start of a run: the slot is read
        start(std::to_string(p) + ";" + std::to_string(funds));
        ASSERT_EQ(gs->getPhase(), p);
        frames(gs, 1);
    }
    static FleetManagerPtr fleet() { return FleetManager::GetInstance(); }
    void expectRestart(int phase, int line) {
        EXPECT_EQ(gs->getPhase(), phase);
        EXPECT_EQ(gs->getStep(), 0);
        EXPECT_EQ(shell->storyText, "line " + std::to_string(line));
        EXPECT_EQ(shell->storyImage, PORTRAITS + "Oleg_Varnik.png");
    }
    void landHeadOfState() {
        auto hos = fleet()->getHOSaircraft();
        ASSERT_NE(hos, nullptr);
        gs->onAircraftLanded(hos);
        GameWorld::GetInstance()->removeAircraft(hos);
    }
    // Runs a head-of-state visit from its first step to its landing.
    void visit() {
        frames(gs, 451);  // start and wait
        ASSERT_EQ(hosInWorld(), 1);
        landHeadOfState();
    }
    static std::string aux() { return GameUI::GetInstance()->getAuxMsg(); }
};

TEST_F(Story, IntroThenFirstPhaseInTheSameFrameAndItsBonusInTheSlot) {
    start("0;5000");
    EXPECT_EQ(gs->getStoryMode(), GPM::STORY);
    EXPECT_EQ(gs->getIconName(), "");
    EXPECT_EQ(shell->storyBreaks, 1);
    frames(gs, 1);
    EXPECT_EQ(shell->storyText, "line 0");
    EXPECT_EQ(shell->storyImage, PORTRAITS + "Oleg_Varnik.png");
    EXPECT_EQ(gs->getPhase(), 1);
    EXPECT_EQ(gs->getStep(), 1);  // phase 1's step 0 ran in the intro's frame
    EXPECT_EQ(aux(), "Landings Remaining:20");
    EXPECT_EQ(shell->slot, "1;5000");
    fleet()->setLandCount(19);
    frames(gs, 1);
    EXPECT_EQ(aux(), "Landings Remaining:1");
    fleet()->setLandCount(20);
    frames(gs, 1);
    EXPECT_EQ(gs->getPhase(), 2);
    EXPECT_EQ(shell->storyText, "line 1");
    EXPECT_EQ(funds(), 105000);
    EXPECT_EQ(shell->slot, "2;105000");
    EXPECT_EQ(fleet()->getLandCount(), 0);
    EXPECT_EQ(texts().back(), "PHASE 2");
}

TEST_F(Story, SlotRestoreAndDamagedSlots) {
    struct Case { const char* slot; int phase; int funds; };
    const Case cases[] = {
        {"12;20000", 12, 20000}, {"7;300", 7, 300},
        {"150;7000", 0, 7000},  // a finished story starts again with its funds
        {"50;7000", 0, 7000}, {"-3;7000", 0, 7000}, {"garbage", 0, 5000},
        {"4;0", 4, 5000}, {"4;-100", 4, 5000},  // a story never starts broke
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        SingletonRegistry::resetAllForTests();  // a new run: the story reads its slot
        GameShell::install(shell);
        ScreenManager::GetInstance()->init(800, 480, 30, nullptr);
        kit::registerAssets({"nation data"});
        gs = GS_forgottenPort::GetInstance();
        start(c.slot);
        EXPECT_EQ(gs->getPhase(), c.phase);
        EXPECT_EQ(funds(), c.funds);
        EXPECT_EQ(shell->slot, std::to_string(c.phase) + ";" + std::to_string(c.funds));
        EXPECT_EQ(shell->storyPhase, c.phase);
        if (c.phase > 0) { EXPECT_EQ(texts().back(), "PHASE " + std::to_string(c.phase)); }
    }
}

TEST_F(Story, LaterGameOfTheRunContinuesFromMemoryWithTheAirportsFunds) {
    at(3);
    shell->slot = "9;1";  // not read again
    setFunds(0);
    install(gs);
    EXPECT_EQ(gs->getPhase(), 3);
    EXPECT_EQ(funds(), 5000);
}

TEST_F(Story, StepZeroRunsInTheNextGameFrameAfterAPhaseChange) {
    at(2);
    EXPECT_EQ(gs->getStep(), 1);
    gs->setPhase(2);
    EXPECT_EQ(gs->getStep(), 0);
    frames(gs, 1);
    EXPECT_EQ(gs->getStep(), 1);
}

TEST_F(Story, HeadOfStatePhasesWaitForALaneAndTheLanding) {
    at(2);
    frames(gs, 449);
    EXPECT_EQ(hosInWorld(), 0);
    blockAllLanes();
    frames(gs, 20);
    EXPECT_EQ(hosInWorld(), 0);  // only delayed
    freeAllLanes();
    frames(gs, 1);
    ASSERT_EQ(hosInWorld(), 1);
    EXPECT_EQ(fleet()->getNation()->id, "russia");
    landHeadOfState();
    frames(gs, 1);
    EXPECT_EQ(gs->getPhase(), 3);
    EXPECT_EQ(shell->storyText, "line 2");

    at(6);
    std::vector<std::string> shown, nations;
    for (int i = 0; i < 3; ++i) {
        frames(gs, 1);
        shown.push_back(aux());
        frames(gs, 450);
        nations.push_back(fleet()->getNation()->id);
        landHeadOfState();
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"Remainig Heads of State:3", "Remainig Heads of State:2",
                                                "Remainig Heads of State:1"}));
    EXPECT_EQ(nations, (std::vector<std::string>{"china", "brazil", "venezuela"}));
    frames(gs, 1);
    EXPECT_EQ(gs->getPhase(), 7);
    EXPECT_EQ(shell->storyText, "line 6");
}

TEST_F(Story, LastPhaseEndsTheStory) {
    at(12, 20000);
    visit();
    EXPECT_EQ(fleet()->getNation(), nullptr);  // greeted and gone
    frames(gs, 1);
    EXPECT_EQ(gs->getPhase(), GPM::STORYOVER);
    EXPECT_EQ(shell->storyText, "line 12");
    EXPECT_EQ(shell->storyImage, PORTRAITS + "Rick_Halden.png");
    EXPECT_EQ(shell->storyPhase, 100);
    EXPECT_EQ(shell->slot, "100;20000");
    EXPECT_EQ(texts().back(), "PHASE 100");
    EXPECT_EQ(GPM::getMissionStatus(), GPM::INVALID);
    // The next story game of the run begins again, with the funds the airport holds.
    install(gs);
    EXPECT_EQ(gs->getPhase(), 0);
}

TEST_F(Story, InstallationPercentAndWhatFailsIt) {
    struct Case { int landings; const char* text; };
    const Case cases[] = {{1, "Installation at 3%"}, {15, "Installation at 50%"}, {29, "Installation at 96%"}};
    at(5);
    EXPECT_EQ(aux(), "Installation at 0%");
    for (const auto& c : cases) {
        fleet()->setLandCount(c.landings);
        frames(gs, 1);
        EXPECT_EQ(aux(), c.text);
    }
    gs->onAircraftDrift(plane(Aircraft::LIGHT));  // light aircraft may leave
    EXPECT_EQ(gs->getStep(), 1);
    gs->onAircraftLanded(plane(Aircraft::LIGHT));
    frames(gs, 1);
    expectRestart(5, 18);
    at(5);
    gs->onAircraftDrift(plane(Aircraft::HEAVY));
    expectRestart(5, 15);
    EXPECT_EQ(texts().size() >= 1, true);
    at(5);
    fleet()->setLandCount(30);
    frames(gs, 2);
    EXPECT_EQ(gs->getPhase(), 6);
    EXPECT_EQ(shell->storyText, "line 5");
}

TEST_F(Story, DriftAndCollisionRestartsWithTheirLines) {
    at(1);
    auto stray = plane(Aircraft::HEAVY, Aircraft::HOS);
    stray->setUserControlled(0);  // even aircraft the player never had
    gs->onAircraftDrift(stray);
    expectRestart(1, 15);
    EXPECT_EQ(SoundManager::GetInstance()->getNowPlaying(3), "warning sound");

    setFunds(50000);
    gs->onCollision(plane(Aircraft::LIGHT), plane(Aircraft::HEAVY, Aircraft::HOS));
    expectRestart(1, 16);
    EXPECT_EQ(funds(), 50000);  // no payout in the story
    EXPECT_EQ(gs->getFailureMode(), 0);

    at(7);
    gs->onCollision(plane(Aircraft::BIRD), plane(Aircraft::LIGHT));
    expectRestart(7, 17);
}

// A story lost for money is over: while the game screen fades out to the intermission, a
// drift, a collision or a phase's own step must not ask for the story break screen instead.
TEST_F(Story, LostStoryNeitherRestartsNorMovesOn) {
    GameEngine::GetInstance();
    at(1);
    setFunds(0);
    frames(gs, 150);
    ASSERT_EQ(GPM::getMissionStatus(), GPM::FAILED);
    ASSERT_EQ(shell->intermissions, 1);
    const int breaks = shell->storyBreaks;
    const std::string slot = shell->slot;
    gs->onAircraftDrift(plane(Aircraft::LIGHT));
    gs->onCollision(plane(Aircraft::LIGHT), plane(Aircraft::HEAVY));
    fleet()->setLandCount(20);  // the phase's goal reached after the loss
    frames(gs, 10);
    EXPECT_EQ(shell->storyBreaks, breaks);
    EXPECT_EQ(gs->getPhase(), 1);
    EXPECT_EQ(shell->slot, slot);
    EXPECT_EQ(shell->intermissions, 1);
}

TEST_F(Story, FlocksPassThenTheNextPhase) {
    at(7);
    answers[{0, 2000}] = 1226;
    frames(gs, 1);
    EXPECT_EQ(GameWorld::GetInstance()->getBirdCount(), 1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(aux(), "Flocks Remaining:" + std::to_string(5 - i));
        gs->onAircraftDrift(plane(Aircraft::BIRD));
        frames(gs, 1);
    }
    EXPECT_EQ(gs->getPhase(), 8);
    EXPECT_EQ(shell->storyText, "line 7");
    EXPECT_EQ(shell->storyImage, PORTRAITS + "Mei_Tarsa.png");
}

TEST_F(Story, StormComesAfterTheWaitAndEndsThePhase) {
    auto weather = WeatherSystem::getInstance();
    at(4);
    EXPECT_EQ(weather->getCloudCover(), WeatherSystem::CLOUD_LIGHT);
    frames(gs, 450);
    EXPECT_EQ(gs->getStep(), 2);
    frames(gs, 1);
    EXPECT_EQ(weather->getCloudCover(), WeatherSystem::CLOUD_THUNDER);
    EXPECT_EQ(texts().back(), "THUNDER STORM IMMINENT");
    EXPECT_EQ(Airport::getInstance()->getBgd2Index(), 2);
    frames(gs, 1);
    EXPECT_EQ(aux(), "End of storm ~ " + formatFrameCountForTime(3999, 30));
    frames(gs, 3999);
    EXPECT_EQ(gs->getStep(), 4);
    frames(gs, 1);
    EXPECT_EQ(gs->getPhase(), 5);
    EXPECT_EQ(shell->storyText, "line 4");
    EXPECT_EQ(weather->getCloudCover(), WeatherSystem::CLOUD_NONE);

    at(8);
    frames(gs, 451 + 8000 + 1);
    EXPECT_EQ(gs->getPhase(), 9);
    EXPECT_EQ(shell->storyImage, PORTRAITS + "Dana_Colter.png");
}

TEST_F(Story, LifeFlightPhasesCountLandingsAndRestartOnADeath) {
    at(3);
    EXPECT_EQ(fleet()->getMedicalBeatActive(), 1);
    frames(gs, 1);
    EXPECT_EQ(GameWorld::GetInstance()->getLifeFlightCount(), 1);  // one at a time
    auto flight = GameWorld::GetInstance()->getAircraftList().back();
    flight->setPayloadTimer(10);
    fleet()->_updateMedicalBeat();
    frames(gs, 1);
    expectRestart(3, 13);
    EXPECT_EQ(SoundManager::GetInstance()->getNowPlaying(4), "flatline sound");

    at(3);
    for (int i = 0; i < 6; ++i) gs->onAircraftLanded(plane(Aircraft::LIGHT, Aircraft::LIFEGUARD));
    frames(gs, 1);
    EXPECT_EQ(gs->getPhase(), 4);
    EXPECT_EQ(fleet()->getMedicalBeatActive(), 0);

    // The tenth phase takes the sixth display item away only when there is one.
    for (int images : {4, 5}) {
        SCOPED_TRACE(images);
        at(10);
        auto ui = GameUI::GetInstance();
        ui->clearImages();
        for (int i = 0; i < images; ++i) ui->addImage(8, 60 + 25 * i, plat::Image::create(30, 20), 0);
        ui->addText(0, 0, "sixth", 10);
        for (int i = 0; i < 20; ++i) gs->onAircraftLanded(plane(Aircraft::LIGHT, Aircraft::LIFEGUARD));
        frames(gs, 1);
        EXPECT_EQ(gs->getPhase(), 11);
        auto t = texts();
        EXPECT_EQ(std::count(t.begin(), t.end(), "sixth"), images == 5 ? 0 : 1);
    }
}

TEST_F(Story, InterceptsAtTheLastPhaseButOne) {
    at(11);
    EXPECT_EQ(aux(), "UAV kills Remaining:10");
    auto uav = [] { return plane(Aircraft::LIGHT, Aircraft::UAV); };
    auto intruder = [] { return plane(Aircraft::LIGHT, Aircraft::LIFEGUARD); };
    for (int i = 0; i < 5; ++i) gs->onCollision(i % 2 ? uav() : intruder(), i % 2 ? intruder() : uav());
    frames(gs, 3);
    EXPECT_EQ(gs->getStep(), 1);  // the storm waits for the sixth kill
    gs->onCollision(uav(), intruder());
    EXPECT_EQ(aux(), "UAV kills Remaining:4");
    frames(gs, 2);
    EXPECT_EQ(WeatherSystem::getInstance()->getCloudCover(), WeatherSystem::CLOUD_THUNDER);

    gs->onAircraftDrift(uav());  // a drone leaving fails the phase
    expectRestart(11, 15);
    frames(gs, 1);
    gs->onAircraftDrift(intruder());  // an intruder getting away fails it with its own line
    EXPECT_EQ(gs->getStep(), 5);
    frames(gs, 1);
    expectRestart(11, 14);

    frames(gs, 1);
    for (int i = 0; i < 10; ++i) gs->onCollision(uav(), intruder());
    answers[{0, 200}] = 12;  // an intruder would be sent in any frame that allows it
    frames(gs, 3);           // the storm breaks, then the tenth kill is seen
    EXPECT_EQ(gs->getStep(), 4);
    frames(gs, 1);
    EXPECT_EQ(gs->getPhase(), 12);
    EXPECT_EQ(shell->storyText, "line 11");
    EXPECT_EQ(GameWorld::GetInstance()->getLifeFlightCount(), 0);  // none crosses the new phase
}

TEST_F(Story, IntrudersAndDronesTakeOffDuringThePhase) {
    at(11);
    answers[{0, 200}] = 12;
    frames(gs, 1);
    ASSERT_EQ(GameWorld::GetInstance()->getLifeFlightCount(), 1);
    auto intruder = GameWorld::GetInstance()->getAircraftList().back();
    EXPECT_EQ(intruder->GetUserControlled(), 0);
    EXPECT_EQ(intruder->getTransitFlight(), 1);
    answers[{0, 200}] = 102;
    frames(gs, 1);
    EXPECT_EQ(GameWorld::GetInstance()->getUAVFlightCount(), 1);
}

TEST_F(Story, MissingSpeechFileShowsEmptyLines) {
    std::filesystem::remove(root / "assets/Stories/forgotten_port_speech.txt");
    start("0;5000");
    frames(gs, 1);
    EXPECT_EQ(gs->getPhase(), 1);
    EXPECT_EQ(shell->storyText, "");
}

TEST_F(Story, MissingStoryNationEndsTheProgramNamingIt) {
    std::ofstream(root / "assets/nations.txt", std::ios::binary) << "Russia|russia|||\nChina|china|||\n";
    kit::registerAssets({"nation data"});
    // The message goes to standard output, like every fatal message.
    EXPECT_EXIT((dup2(2, 1), start("0;5000")), ::testing::ExitedWithCode(1), "Nation brazil could not be found");
}

}  // namespace
