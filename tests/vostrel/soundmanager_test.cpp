// Sound channels: slot cut-off, names, mute, the background channel and bad requests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <thread>
#include <filesystem>
#include <fstream>

#include "platform/audio.h"
#include "platform/testing.h"
#include "support/kit_test.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/soundmanager.h"

namespace fs = std::filesystem;

namespace {

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::testing::useSilentAudio();
        for (const char* name : {"path.wav", "touch.wav", "siren.wav", "loop.wav"})
            kit::writeWav(root / "assets/audio" / name, 22050);
        kit::writeWav(root / "assets/audio/athems/anthem.wav", 44100);
        auto rm = ResourceManager::GetInstance();
        rm->addSound("path.wav", "path ok", 0);
        rm->addSound("touch.wav", "touchdown light", 0);
        rm->addSound("siren.wav", "danger sound", 1);
        sm = SoundManager::GetInstance();
    }
    kit::Scratch scratch{"sound"};
    const fs::path root = scratch.enter();
    std::shared_ptr<SoundManager> sm;
};

}  // namespace

TEST_F(SoundTest, StartingASlotCutsOffWhatItPlayed) {
    EXPECT_EQ(sm->getNowPlaying(2), "");
    sm->playChannel(2, "path ok");
    auto first = sm->channel(2);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->playing());
    EXPECT_EQ(sm->getNowPlaying(2), "path ok");
    sm->playChannel(2, "touchdown light");
    EXPECT_FALSE(first->playing());
    ASSERT_NE(sm->channel(2), nullptr);
    EXPECT_TRUE(sm->channel(2)->playing());
    EXPECT_EQ(sm->getNowPlaying(2), "touchdown light");
    // Slots are independent.
    sm->playChannel(3, "danger sound");
    EXPECT_TRUE(sm->channel(2)->playing());
    EXPECT_TRUE(sm->channel(3)->sound()->loop);
}

TEST_F(SoundTest, PathStartsRecordThePathAsTheName) {
    sm->loadPlayChannel(1, "audio/loop.wav", 1);
    EXPECT_EQ(sm->getNowPlaying(1), "audio/loop.wav");
    ASSERT_NE(sm->channel(1), nullptr);
    EXPECT_TRUE(sm->channel(1)->sound()->loop);
    ASSERT_EQ(plat::testing::playLog().size(), 1u);
    EXPECT_EQ(plat::testing::playLog()[0].path, "assets/audio/loop.wav");
}

TEST_F(SoundTest, EndAllChannelsClearsTheSlotsButKeepsTheBackground) {
    sm->load_play("audio/athems/anthem.wav", 1);
    sm->loadPlayChannel(1, "audio/loop.wav", 1);
    sm->playChannel(2, "path ok");
    sm->playChannel(3, "danger sound");
    auto bgd = sm->background();
    ASSERT_NE(bgd, nullptr);
    sm->endAllChannels();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(sm->getNowPlaying(i), "");
        EXPECT_EQ(sm->channel(i), nullptr);
    }
    EXPECT_EQ(sm->background(), bgd);
    EXPECT_TRUE(bgd->playing());
    sm->stopBackground();
    EXPECT_FALSE(bgd->playing());
    EXPECT_EQ(sm->background(), nullptr);
}

TEST_F(SoundTest, NewBackgroundStopsTheOldOne) {
    sm->load_play("audio/athems/anthem.wav", 1);
    auto first = sm->background();
    sm->load_play("audio/loop.wav", 1);
    EXPECT_FALSE(first->playing());
    ASSERT_NE(sm->background(), nullptr);
    EXPECT_TRUE(sm->background()->playing());
}

TEST_F(SoundTest, MuteSilencesEveryLiveChannelAndLaterStarts) {
    sm->loadPlayChannel(1, "audio/loop.wav", 1);
    sm->load_play("audio/athems/anthem.wav", 1);
    sm->mute();
    EXPECT_EQ(sm->getMute(), 1);
    EXPECT_FLOAT_EQ(sm->channel(1)->volume(), 0.0f);
    EXPECT_FLOAT_EQ(sm->background()->volume(), 0.0f);
    plat::testing::clearPlayLog();
    sm->playChannel(3, "danger sound");
    EXPECT_FLOAT_EQ(sm->channel(3)->volume(), 0.0f);
    ASSERT_EQ(plat::testing::playLog().size(), 1u);
    EXPECT_FLOAT_EQ(plat::testing::playLog()[0].volume, 0.0f);
    sm->unMute();
    EXPECT_EQ(sm->getMute(), 0);
    EXPECT_FLOAT_EQ(sm->channel(1)->volume(), 1.0f);
    EXPECT_FLOAT_EQ(sm->channel(3)->volume(), 1.0f);
    EXPECT_FLOAT_EQ(sm->background()->volume(), 1.0f);
}

TEST_F(SoundTest, EndingAnEmptySlotChangesNothing) {
    sm->playChannel(4, "path ok");
    sm->endChannel(4);
    EXPECT_EQ(sm->getNowPlaying(4), "");
    sm->endChannel(4);
    EXPECT_EQ(sm->getNowPlaying(4), "");
    EXPECT_EQ(sm->channel(4), nullptr);
}

TEST_F(SoundTest, AFinishedSoundKeepsItsName) {
    sm->playChannel(2, "path ok");
    std::vector<int16_t> out(2 * 44100 * 2);
    plat::mixAudio(out.data(), 44100 * 2);  // two seconds: the one-shot has ended
    EXPECT_FALSE(sm->channel(2)->playing());
    EXPECT_EQ(sm->getNowPlaying(2), "path ok");
}

TEST_F(SoundTest, MissingSoundsAndBadSlotsDoNothing) {
    sm->playChannel(2, "path ok");
    sm->playChannel(2, "no such key");
    EXPECT_EQ(sm->getNowPlaying(2), "path ok");
    EXPECT_TRUE(sm->channel(2)->playing());
    sm->loadPlayChannel(2, "audio/missing.ogg", 0);
    EXPECT_EQ(sm->getNowPlaying(2), "path ok");
    sm->load_play("audio/athems/anthem.wav", 1);
    sm->load_play("audio/athems/missing.ogg", 1);
    ASSERT_NE(sm->background(), nullptr);
    EXPECT_TRUE(sm->background()->playing());
    for (int slot : {-1, 5, 1000}) {
        sm->playChannel(slot, "path ok");
        sm->loadPlayChannel(slot, "audio/loop.wav", 1);
        sm->endChannel(slot);
        EXPECT_EQ(sm->getNowPlaying(slot), "");
        EXPECT_EQ(sm->channel(slot), nullptr);
    }
    for (int i = 0; i < 5; ++i) EXPECT_EQ(sm->getNowPlaying(i), i == 2 ? "path ok" : "");
}

TEST_F(SoundTest, ASoundStartedWhileMutedIsNeverHeard) {
    // The mixer runs on the audio thread and may mix between starting a channel and
    // setting its volume: a muted start must already be silent at that moment.
    sm->mute();
    std::atomic<bool> done{false};
    std::atomic<long long> loudest{0};
    std::thread mixer([&] {
        std::vector<int16_t> out(2 * 32);
        while (!done) {
            plat::mixAudio(out.data(), 32);
            for (int16_t s : out)
                if (std::abs(int(s)) > loudest) loudest = std::abs(int(s));
        }
    });
    for (int i = 0; i < 3000; ++i) {
        sm->playChannel(2, i % 2 ? "path ok" : "touchdown light");
        sm->loadPlayChannel(1, "audio/loop.wav", 1);
        if (i % 10 == 0) sm->load_play("audio/athems/anthem.wav", 1);
    }
    done = true;
    mixer.join();
    EXPECT_EQ(loudest, 0);
}
