// The world's lists, their draw order and removal, the bounds of the play area and the
// nations table.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "game/sim_env.h"
#include "game/traffic/nationitem.h"

using namespace simtest;

namespace {

// An aircraft that notes each onRemove and can run a hook there.
struct NotingAircraft : Aircraft {
    int removed = 0;
    std::function<void()> hook;
    void onRemove() override {
        ++removed;
        if (hook) hook();
        Aircraft::onRemove();
    }
};

std::shared_ptr<NotingAircraft> noting(int cls = Aircraft::LIGHT, float height = 1000.0f) {
    auto a = std::make_shared<NotingAircraft>();
    a->setHeight(height);
    (void)cls;
    return a;
}

class GameWorldTest : public SimTest {};

}  // namespace

TEST_F(GameWorldTest, ProcessOrdersByTruncatedHeightDifferenceKeepingTies) {
    auto world = GameWorld::GetInstance();
    // Heights in insertion order; ties are those less than 1 apart from each other.
    const float heights[] = {1000.0f, 10000.0f, 999.5f, 0.0f, 1000.4f, 11000.0f, 15.0f, 14.2f};
    std::vector<std::shared_ptr<NotingAircraft>> objs;
    for (float h : heights) {
        objs.push_back(noting(Aircraft::LIGHT, h));
        world->addAircraft(objs.back());
    }
    world->process();
    // 15 and 14.2 compare equal (difference 0.8) and keep their order, as do 1000, 999.5
    // and 1000.4.
    const int expected[] = {3, 6, 7, 0, 2, 4, 1, 5};
    const auto& list = world->getWorldList();
    ASSERT_EQ(list.size(), 8u);
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(list[i], objs[size_t(expected[i])]) << "place " << i;
    // The aircraft list keeps the order of adding.
    EXPECT_EQ(world->getAircraftList().front(), objs[0]);
    EXPECT_EQ(GameWorld::_compare_z(objs[0], objs[2]), 0);
    EXPECT_EQ(GameWorld::_compare_z(objs[3], objs[6]), -15);
}

TEST_F(GameWorldTest, IsOutsideWorldAtItsExactBounds) {
    auto world = GameWorld::GetInstance();
    struct Case { double x, y; int outside; } cases[] = {
        {-50.0, 240.0, 0}, {850.0, 240.0, 0}, {-50.5, 240.0, 1}, {850.5, 240.0, 1},
        {400.0, -50.0, 0}, {400.0, 530.0, 0}, {400.0, -50.5, 1}, {400.0, 530.5, 1},
        {-50.0, -50.0, 0}, {850.0, 530.0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(world->isOutsideWorld(Vector(c.x, c.y)), c.outside) << c.x << "," << c.y;
}

TEST_F(GameWorldTest, RemovalUnlinksBeforeOnRemoveAndHappensOnce) {
    auto world = GameWorld::GetInstance();
    auto a = noting();
    int countSeen = -1;
    a->hook = [&] { countSeen = int(world->getAircraftList().size() + world->getWorldList().size()); };
    world->addAircraft(a);
    world->removeAircraft(a);
    EXPECT_EQ(countSeen, 0);
    EXPECT_EQ(a->isInvalid(), 1);
    EXPECT_EQ(a->removed, 1);
    world->removeAircraft(a);
    EXPECT_EQ(a->removed, 1);

    // A bird removed last ends the geese on channel 4; the one before it does not.
    auto b1 = Aircraft::Create(Aircraft::BIRD, Vector(100, 100));
    auto b2 = Aircraft::Create(Aircraft::BIRD, Vector(200, 100));
    world->addAircraft(b1);
    world->addAircraft(b2);
    auto sound = SoundManager::GetInstance();
    sound->playChannel(4, "geese sound");
    world->removeAircraft(b1);
    EXPECT_EQ(sound->getNowPlaying(4), "geese sound");
    world->removeAircraft(b2);
    EXPECT_EQ(sound->getNowPlaying(4), "");
}

TEST_F(GameWorldTest, RemoveAllWalksACopyWhenOnRemoveRemovesOthers) {
    auto world = GameWorld::GetInstance();
    auto a = noting(), b = noting(), c = noting();
    for (auto& x : {a, b, c}) world->addAircraft(x);
    a->hook = [&] { world->removeAircraft(b); };
    world->removeAllAircrafts();
    EXPECT_EQ(a->removed, 1);
    EXPECT_EQ(b->removed, 1);
    EXPECT_EQ(c->removed, 1);
    EXPECT_TRUE(world->getAircraftList().empty());
    EXPECT_TRUE(world->getWorldList().empty());
}

TEST_F(GameWorldTest, NationsLoadCompleteLinesInShuffledOrderWithFreshVisits) {
    auto world = GameWorld::GetInstance();
    const std::string text = ResourceManager::GetInstance()->retrieveText("nation data");
    int complete = 0;
    size_t start = 0;
    std::vector<std::string> firstIds;
    while (start <= text.size()) {
        size_t lf = text.find('\n', start);
        std::string line = text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        if (std::count(line.begin(), line.end(), '|') >= 4) {
            ++complete;
            firstIds.push_back(NationItem::Create(line)->id);
        }
        if (lf == std::string::npos) break;
        start = lf + 1;
    }
    ASSERT_GT(complete, 6);
    // Always the upper bound: the forward shuffle moves the last nation to the front.
    env.rand.fallback = 1000000;
    world->reset();
    ASSERT_EQ(world->getNationCount(), complete);
    EXPECT_EQ(world->getNationByIndex(0)->id, firstIds.back());
    EXPECT_EQ(world->getNationByIndex(1)->id, firstIds.front());
    EXPECT_EQ(world->getNationByIndex(complete), nullptr);
    for (const char* id : {"russia", "china", "brazil", "venezuela", "usa", "england"})
        EXPECT_NE(world->getNationById(id), nullptr) << id;
    EXPECT_EQ(world->getNationById("Russia"), nullptr);

    world->getNationByIndex(0)->visit = 3;
    env.rand.fallback = 0;
    world->reset();
    EXPECT_EQ(world->getNationByIndex(0)->id, firstIds.front());
    for (int i = 0; i < world->getNationCount(); ++i) EXPECT_EQ(world->getNationByIndex(i)->visit, 0);
}

TEST(NationItemTest, FieldsInOrderAndShortLinesFilledWithEmptyText) {
    auto n = NationItem::Create("Russia|russia|talk one|talk two|crash\r");
    EXPECT_EQ(n->country, "Russia");
    EXPECT_EQ(n->id, "russia");
    EXPECT_EQ(n->discussion1, "talk one");
    EXPECT_EQ(n->discussion2, "talk two");
    EXPECT_EQ(n->crashed, "crash\r");
    EXPECT_EQ(n->visit, 0);
    auto s = NationItem::Create("Chile|chile");
    EXPECT_EQ(s->id, "chile");
    EXPECT_EQ(s->discussion1, "");
    EXPECT_EQ(s->crashed, "");
}

TEST_F(GameWorldTest, GroupIsSetOncePositionIsCopiedVelocityFromAngle) {
    auto a = noting();
    a->setGroupId(1, 2);
    a->setGroupId(3, 4);
    EXPECT_EQ(a->GetGroup(), 1);
    EXPECT_EQ(a->GetSubGroup(), 2);
    Vector v(5, 6);
    a->SetPosition(v);
    v.x = 50;
    EXPECT_EQ(a->GetPosition(), Vector(5, 6));
    a->setVelocity(2.0f, 90.0f);
    EXPECT_NEAR(a->GetVelocity().x, 0.0, 1e-9);
    EXPECT_NEAR(a->GetVelocity().y, 2.0, 1e-9);
    EXPECT_GT(noting()->GetId(), a->GetId());
}
