// The shared scenario rules: collision verdicts and their delay, the funds run-out, the
// game-over sequence, drift penalties and the choice of a scenario.
#include "game/scenario_fixture.h"

#include "game/scenarios/gp_calmday.h"
#include "game/scenarios/gs_forgottenport.h"
#include "game/weather/weathersystem.h"
#include "game/gameengine.h"
#include "game/scenarios/scene.h"

using namespace scenario_test;
using GPM = Game_playManager;

namespace {

class ScenarioBase : public ScenarioFixture {
protected:
    std::shared_ptr<GPM> pm;
    void SetUp() override {
        ScenarioFixture::SetUp();
        pm = GP_calmDay::GetInstance();
        install(pm);
        // No visitor gets in the way of these rules.
        FleetManager::GetInstance()->setLandCount(0);
    }
    void collide(int payloadA = 0, int clsB = Aircraft::LIGHT, int payloadB = 0) {
        pm->onCollision(plane(Aircraft::HEAVY, payloadA), plane(clsB, payloadB));
    }
};

TEST_F(ScenarioBase, CollisionVerdictByFundsAndAircraft) {
    struct Case { int funds; int payloadA; int clsB; int kind; int fundsAfter; };
    const Case cases[] = {
        {20000, 0, Aircraft::LIGHT, GPM::FAILED_COLLISION, 0},
        {20001, 0, Aircraft::LIGHT, GPM::FAILED_PAYOUT, 1},
        {90000, 0, Aircraft::HEAVY, GPM::FAILED_PAYOUT, 70000},
        {90000, Aircraft::HOS, Aircraft::BIRD, GPM::FAILED_HOS, 90000},  // head of state first
        {90000, 0, Aircraft::BIRD, 0, 90000},                            // a bird strike
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.funds);
        install(pm);
        setFunds(c.funds);
        collide(c.payloadA, c.clsB);
        EXPECT_EQ(pm->getFailureMode(), c.kind);
        EXPECT_EQ(funds(), c.fundsAfter);
        EXPECT_EQ(pm->getCollisionTimer(), 30);
        EXPECT_EQ(pm->getHOScrash(), c.payloadA == Aircraft::HOS ? 1 : 0);
    }
}

TEST_F(ScenarioBase, ConsequenceFollowsThirtyFramesAfterTheCollisionFrame) {
    setFunds(20000);
    collide();  // the engine reports it before the scenario's update of the same frame
    frames(pm, 29);
    EXPECT_EQ(shell->intermissions, 0);
    EXPECT_EQ(GPM::getMissionStatus(), GPM::ACTIVE);
    frames(pm, 1);
    EXPECT_EQ(GPM::getMissionStatus(), GPM::FAILED);
    EXPECT_EQ(shell->intermissions, 1);
    EXPECT_EQ(shell->scores, 1);
    EXPECT_EQ(shell->saves, 1);
}

TEST_F(ScenarioBase, PayoutShowsTheIntermissionAndPlayGoesOn) {
    setFunds(50000);
    collide();
    frames(pm, 30);
    EXPECT_EQ(shell->intermissions, 1);
    EXPECT_EQ(shell->scores, 0);
    EXPECT_EQ(GPM::getMissionStatus(), GPM::ACTIVE);
    EXPECT_EQ(pm->getFailureMode(), GPM::FAILED_PAYOUT);
}

TEST_F(ScenarioBase, BirdStrikeArmsTheTimerToNoEffect) {
    setFunds(50000);
    collide(0, Aircraft::BIRD);
    frames(pm, 60);
    EXPECT_EQ(shell->intermissions, 0);
    EXPECT_EQ(pm->getFailureMode(), 0);
    EXPECT_EQ(funds(), 50000);
}

// A later collision inside the same delay never lowers the verdict, and while the game is
// already to end no payout is taken.
TEST_F(ScenarioBase, SecondCollisionNeverLowersTheVerdict) {
    struct Case { const char* name; int funds; int first; int second; int refill; int kind; int fundsAfter; };
    // first/second: 0 ordinary, 1 head of state, 2 bird.
    const Case cases[] = {
        {"state crash, then ordinary", 90000, 1, 0, 0, GPM::FAILED_HOS, 90000},
        {"collision, then refilled and ordinary", 20000, 0, 0, 60000, GPM::FAILED_COLLISION, 60000},
        {"payout, then state crash", 50000, 0, 1, 0, GPM::FAILED_HOS, 30000},
        {"payout, then ordinary", 50000, 0, 0, 0, GPM::FAILED_PAYOUT, 10000},
        {"payout, then bird", 50000, 0, 2, 0, GPM::FAILED_PAYOUT, 30000},
        {"payout, then ordinary it cannot pay", 30000, 0, 0, 0, GPM::FAILED_COLLISION, 0},
    };
    auto hit = [&](int kind) {
        if (kind == 1) collide(Aircraft::HOS);
        else if (kind == 2) collide(0, Aircraft::BIRD);
        else collide();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install(pm);
        setFunds(c.funds);
        hit(c.first);
        frames(pm, 10);
        if (c.refill) setFunds(c.refill);
        hit(c.second);
        EXPECT_EQ(pm->getFailureMode(), c.kind);
        EXPECT_EQ(funds(), c.fundsAfter);
    }
}

// The game screen runs on while it fades out to the intermission: a collision then must not
// turn a lost game into a paid one (a Play button into a lost game) nor touch the funds.
TEST_F(ScenarioBase, CollisionAfterTheGameIsLostChangesNothing) {
    struct Case { const char* name; int funds; bool stateCrash; int kind; };
    const Case cases[] = {
        {"lost to a state crash, funds to pay with", 50000, true, GPM::FAILED_HOS},
        {"lost for money", 0, false, GPM::FAILED_FUNDS},
    };
    GameEngine::GetInstance();  // as in play: built long before, so its starting funds come first
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install(pm);
        shell->intermissions = 0;
        setFunds(c.funds);
        if (c.stateCrash) collide(Aircraft::HOS);
        frames(pm, 150);
        ASSERT_EQ(GPM::getMissionStatus(), GPM::FAILED);
        ASSERT_EQ(pm->getFailureMode(), c.kind);
        collide();
        frames(pm, 40);
        EXPECT_EQ(pm->getFailureMode(), c.kind);
        EXPECT_EQ(funds(), c.funds);
        EXPECT_EQ(shell->intermissions, 1);
    }
}

TEST_F(ScenarioBase, FundsRunOutFiresOnceAfter150Frames) {
    setFunds(0);
    frames(pm, 149);
    EXPECT_EQ(shell->intermissions, 0);
    setFunds(8000);  // recovering does not cancel the countdown
    frames(pm, 1);
    EXPECT_EQ(pm->getFailureMode(), GPM::FAILED_FUNDS);
    EXPECT_EQ(pm->getGameOverTimer(), -1);
    EXPECT_EQ(GameUI::GetInstance()->getFundsBalance(), 8000);
    setFunds(0);
    frames(pm, 600);
    EXPECT_EQ(shell->intermissions, 1);
    EXPECT_EQ(shell->scores, 1);
    EXPECT_EQ(shell->saves, 1);
}

TEST_F(ScenarioBase, RunOutWaitsForThePendingCollision) {
    // Funds at 0 while a bird strike's delay runs: the countdown arms only afterwards.
    setFunds(0);
    collide(0, Aircraft::BIRD);
    frames(pm, 29);
    EXPECT_EQ(pm->getGameOverTimer(), 0);
    frames(pm, 1);  // the frame the delay ends arms and steps the countdown
    EXPECT_EQ(pm->getGameOverTimer(), 149);
}

TEST_F(ScenarioBase, ArmedCountdownAndCollisionEndTheGameOnce) {
    setFunds(0);
    frames(pm, 140);  // countdown at 10
    collide();        // funds 0: the collision ends the game
    frames(pm, 300);
    EXPECT_EQ(pm->getFailureMode(), GPM::FAILED_COLLISION);
    EXPECT_EQ(shell->intermissions, 1);
    EXPECT_EQ(shell->scores, 1);
    EXPECT_EQ(shell->saves, 1);
    pm->gameOver();
    EXPECT_EQ(shell->scores, 1);
    // A new game may be lost again.
    install(pm);
    pm->gameOver();
    EXPECT_EQ(shell->scores, 2);
}

TEST_F(ScenarioBase, SettledPayoutIsClearedWhenPlayResumes) {
    setFunds(50000);
    collide();
    frames(pm, 10);
    pm->onPlayResumed();  // still pending: the verdict stands
    EXPECT_EQ(pm->getFailureMode(), GPM::FAILED_PAYOUT);
    frames(pm, 20);
    EXPECT_EQ(shell->intermissions, 1);
    pm->onPlayResumed();
    EXPECT_EQ(pm->getFailureMode(), 0);
    // A later bird strike is judged afresh (no second intermission) ...
    collide(0, Aircraft::BIRD);
    frames(pm, 30);
    EXPECT_EQ(shell->intermissions, 1);
    // ... and so is a run-out.
    setFunds(0);
    frames(pm, 150);
    EXPECT_EQ(pm->getFailureMode(), GPM::FAILED_FUNDS);
    EXPECT_EQ(shell->intermissions, 2);
}

TEST_F(ScenarioBase, DriftCostsOnlyThePlayersAndFailedAircraft) {
    struct Case { int user; int phase; int fundsBefore; int fundsAfter; bool charged; };
    const Case cases[] = {
        {1, Aircraft::INFLIGHT, 9000, 4000, true},
        {0, Aircraft::ENGINE_FAILURE, 9000, 4000, true},
        {0, Aircraft::APPROACH, 9000, 9000, false},  // a head of state's own flight
        {1, Aircraft::INFLIGHT, 3000, 0, true},      // never below 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fundsBefore);
        install(pm);
        SoundManager::GetInstance()->endAllChannels();
        setFunds(c.fundsBefore);
        auto a = plane(Aircraft::LIGHT);
        a->setUserControlled(c.user);
        a->setPhase(c.phase);
        pm->onAircraftDrift(a);
        EXPECT_EQ(funds(), c.fundsAfter);
        auto t = texts();
        EXPECT_EQ(t.size(), c.charged ? 1u : 0u);
        if (c.charged) {
            EXPECT_EQ(t[0], "Aircraft drifted: -$5000");
            auto item = GameUI::GetInstance()->getItemList()[0];
            EXPECT_EQ(item->x, ScreenManager::GetInstance()->textRightAlignX(t[0]));
            EXPECT_EQ(item->counter, 200);
        }
        EXPECT_EQ(SoundManager::GetInstance()->getNowPlaying(3), c.charged ? "warning sound" : "");
    }
}

TEST_F(ScenarioBase, LoadSceneByIdWithIcons) {
    const std::pair<int, const char*> named[] = {{0, "calmday"}, {1, "un"}, {2, "birds"}, {3, "medical"}, {4, ""}};
    for (auto [id, icon] : named) {
        auto s = GPM::loadScene(id);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->getIconName(), icon);
        EXPECT_EQ(GPM::getInstanceRef(), s);
    }
    EXPECT_EQ(GPM::loadScene(4), GS_forgottenPort::GetInstance());
    EXPECT_EQ(GPM::loadScene(5), nullptr);
    EXPECT_EQ(GPM::getInstanceRef(), nullptr);
    EXPECT_EQ(GPM::loadScene(-1), nullptr);
}

TEST_F(ScenarioBase, EndGameplayLeavesNoGame) {
    GPM::endGameplay();
    EXPECT_EQ(GPM::getMissionStatus(), GPM::INVALID);
    EXPECT_NE(GameEngine::GetInstance()->getPause(), 0);
}

TEST(Scene, FieldsFromACommaLine) {
    auto s = Scene::Create("7,Harbour,2,30,-4,9");
    EXPECT_EQ(s->id, 7);
    EXPECT_EQ(s->name, "Harbour");
    EXPECT_EQ(s->mode, Scene::MODE_AIRCRAFT);
    EXPECT_EQ(s->var1, 30);
    EXPECT_EQ(s->var2, -4);
    EXPECT_EQ(s->var3, 9);
    EXPECT_EQ(s->index, 0);
    auto shortLine = Scene::Create("3");
    EXPECT_EQ(shortLine->id, 3);
    EXPECT_EQ(shortLine->name, "");
    EXPECT_EQ(shortLine->var3, 0);
}

}  // namespace
