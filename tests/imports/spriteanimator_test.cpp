#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "imports/spriteanimator.h"

TEST(SpriteAnimator, BirdStripCyclesEveryFifteenUpdates) {
    auto s = SpriteAnimator::Create(8, 0.5f);
    s->setLoop(-1);
    std::vector<int> frames;
    for (int i = 0; i < 60; ++i) {
        s->Update();
        frames.push_back(s->getFrame());
    }
    // Once running: frame 7 for one update, then the reset on 0, 0 again, 1, 1, ... 6, 6.
    const size_t first7 = size_t(std::find(frames.begin(), frames.end(), 7) - frames.begin());
    ASSERT_LT(first7 + 31, frames.size());
    const std::vector<int> cycle{7, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6};
    for (size_t i = 0; i < 30; ++i) EXPECT_EQ(frames[first7 + i], cycle[i % 15]) << i;
}

TEST(SpriteAnimator, ExplosionEndsAtUpdate24AndStays) {
    auto s = SpriteAnimator::Create(25, 1.0f);
    for (int i = 1; i <= 23; ++i) {
        s->Update();
        EXPECT_EQ(s->atEnd(), 0) << i;
    }
    s->Update();
    EXPECT_EQ(s->atEnd(), 1);
    EXPECT_EQ(s->getFrame(), 24);
    for (int i = 0; i < 5; ++i) s->Update();
    EXPECT_EQ(s->atEnd(), 1);
    EXPECT_EQ(s->getFrame(), 24);
}

TEST(SpriteAnimator, OvershootSnapsToTheEndFrame) {
    auto s = SpriteAnimator::Create(8, 1.0f);
    s->pause(6);
    s->unpause();
    s->Update();  // 7.0
    EXPECT_EQ(s->getFrame(), 7);
    auto u = SpriteAnimator::Create(8, 1.5f);
    for (int i = 0; i < 4; ++i) u->Update();  // 1.5, 3, 4.5, 6
    u->Update();                              // 7.5 -> 7
    EXPECT_EQ(u->getFrame(), 7);
    EXPECT_EQ(u->atEnd(), 1);
}

TEST(SpriteAnimator, HoldStaysOrSnapsAtTheEnd) {
    auto s = SpriteAnimator::Create(8, 1.0f);
    s->pause(3);
    for (int i = 0; i < 3; ++i) s->Update();
    EXPECT_EQ(s->getFrame(), 3);
    EXPECT_EQ(s->atEnd(), 0);

    auto t = SpriteAnimator::Create(8, 1.0f);
    t->setLoop(1);
    t->pause(9);
    t->Update();
    EXPECT_EQ(t->getFrame(), 7);
    EXPECT_EQ(t->atEnd(), 1);
    t->Update();  // the repetition resets to the start and stays held there
    EXPECT_EQ(t->getFrame(), 0);
    EXPECT_EQ(t->atEnd(), 0);
    t->Update();
    EXPECT_EQ(t->getFrame(), 0);
}

TEST(SpriteAnimator, LoopCountRunsThatManyTimesMore) {
    auto s = SpriteAnimator::Create(3, 1.0f);
    s->setLoop(2);
    std::vector<int> frames{s->getFrame()};
    for (int i = 0; i < 12; ++i) {
        s->Update();
        frames.push_back(s->getFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1, 2, 2, 2, 2, 2}));
    EXPECT_EQ(s->atEnd(), 1);
}

TEST(SpriteAnimator, DegenerateCountsAreSafe) {
    auto one = SpriteAnimator::Create(1, 0.5f);
    one->Update();
    EXPECT_EQ(one->atEnd(), 1);
    EXPECT_EQ(one->getFrame(), 0);
    for (int n : {0, -4}) {
        auto none = SpriteAnimator::Create(n, 1.0f);
        none->Update();
        EXPECT_EQ(none->getFrame(), 0);  // never frame -1
        EXPECT_EQ(none->atEnd(), 1);
    }
    // Repeating for ever never runs into a count that ends the repetition.
    auto forever = SpriteAnimator::Create(2, 1.0f);
    forever->setLoop(-1);
    for (int i = 0; i < 1000; ++i) forever->Update();
    int ended = 0;
    for (int i = 0; i < 10; ++i) {
        forever->Update();
        ended += forever->atEnd();
    }
    EXPECT_GT(ended, 0);
    EXPECT_LT(ended, 10);
}
