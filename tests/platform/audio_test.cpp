#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/audio.h"
#include "platform/files.h"
#include "platform/testing.h"
#include "support/kit.h"

using namespace plat;
using Bytes = std::vector<unsigned char>;

namespace {

void put16(Bytes& b, unsigned v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
void putTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back((unsigned char)tag[i]);
}

// A RIFF/WAVE file around the given sample bytes; extra chunks go before "data".
Bytes wav(int channels, int rate, int bits, const Bytes& data, const Bytes& extraChunks = {},
          int format = 1) {
    Bytes fmt;
    put16(fmt, format);
    put16(fmt, channels);
    put32(fmt, rate);
    put32(fmt, rate * channels * bits / 8);
    put16(fmt, channels * bits / 8);
    put16(fmt, bits);
    if (format == 0xFFFE) {
        put16(fmt, 22);
        put16(fmt, bits);
        put32(fmt, channels == 2 ? 3 : 4);
        put16(fmt, 1);  // PCM sub-format
        for (int i = 0; i < 14; ++i) fmt.push_back(0);
    }
    Bytes b;
    putTag(b, "RIFF");
    put32(b, 0);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, fmt.size());
    b.insert(b.end(), fmt.begin(), fmt.end());
    b.insert(b.end(), extraChunks.begin(), extraChunks.end());
    putTag(b, "data");
    put32(b, data.size());
    b.insert(b.end(), data.begin(), data.end());
    uint32_t riff = b.size() - 8;
    std::memcpy(b.data() + 4, &riff, 4);
    return b;
}

Bytes pcm16(const std::vector<int16_t>& s) {
    Bytes b;
    for (int16_t v : s) put16(b, uint16_t(v));
    return b;
}

class AudioFiles : public ::testing::Test {
protected:
    kit::Scratch scratch{"audio"};
    const std::string dir = scratch.string();
    std::string file(const std::string& name, const Bytes& b) {
        std::string p = dir + "/" + name;
        EXPECT_TRUE(saveBytes(b, p));
        return p;
    }
};

// A sound made in memory, for the mixer tests.
SoundPtr makeSound(int rate, int channels, std::vector<int16_t> samples, bool loop) {
    auto s = std::make_shared<Sound>();
    s->rate = rate;
    s->channels = channels;
    s->samples = std::move(samples);
    s->loop = loop;
    s->path = "made";
    return s;
}

std::vector<int16_t> mix(int frames) {
    std::vector<int16_t> out(size_t(frames) * 2, 12345);
    mixAudio(out.data(), frames);
    return out;
}

std::vector<int16_t> ramp(int n, int step) {
    std::vector<int16_t> v;
    for (int i = 0; i < n; ++i) v.push_back(int16_t(i * step));
    return v;
}

const char* const FREEDESKTOP = "/usr/share/sounds/freedesktop/stereo/";

}  // namespace

TEST_F(AudioFiles, DecodesPcmWav) {
    auto s = loadSound(file("st.wav", wav(2, 22050, 16, pcm16({1, -1, 32767, -32768, 300, 400}))), true);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->rate, 22050);
    EXPECT_EQ(s->channels, 2);
    EXPECT_EQ(s->frames(), 3u);
    EXPECT_TRUE(s->loop);
    EXPECT_EQ(s->path, dir + "/st.wav");
    EXPECT_EQ(s->samples, (std::vector<int16_t>{1, -1, 32767, -32768, 300, 400}));

    // 8-bit samples are unsigned around 128; an odd-sized chunk before the data is padded.
    Bytes list;
    putTag(list, "LIST");
    put32(list, 3);
    list.insert(list.end(), {'a', 'b', 'c', 0});
    s = loadSound(file("m8.wav", wav(1, 8000, 8, {0, 128, 255}, list)), false);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->channels, 1);
    EXPECT_FALSE(s->loop);
    EXPECT_EQ(s->samples, (std::vector<int16_t>{-32768, 0, 127 << 8}));

    s = loadSound(file("ext.wav", wav(2, 48000, 16, pcm16({5, 6}), {}, 0xFFFE)), false);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->samples, (std::vector<int16_t>{5, 6}));
}

TEST_F(AudioFiles, DamagedOrUnsupportedWavFailsCleanly) {
    Bytes good = wav(2, 44100, 16, pcm16(ramp(400, 50)));
    ASSERT_NE(loadSound(file("good.wav", good), false), nullptr);
    // Every cut of the file is refused, header or samples.
    for (size_t len = 0; len < good.size(); len += (len < 64 ? 1 : 97)) {
        Bytes cut(good.begin(), good.begin() + len);
        EXPECT_EQ(loadSound(file("cut.wav", cut), false), nullptr) << "length " << len;
    }
    EXPECT_EQ(loadSound(file("24.wav", wav(1, 44100, 24, Bytes(30, 1))), false), nullptr);
    EXPECT_EQ(loadSound(file("6ch.wav", wav(6, 44100, 16, Bytes(120, 1))), false), nullptr);
    EXPECT_EQ(loadSound(file("rate0.wav", wav(1, 0, 16, Bytes(10, 1))), false), nullptr);
    EXPECT_EQ(loadSound(file("adpcm.wav", wav(1, 44100, 16, Bytes(10, 1), {}, 2)), false), nullptr);
    EXPECT_EQ(loadSound(file("empty.wav", wav(1, 44100, 16, {})), false), nullptr);
    Bytes huge = good;
    huge[40] = huge[41] = huge[42] = huge[43] = 0xFF;  // data size far beyond the file
    EXPECT_EQ(loadSound(file("huge.wav", huge), false), nullptr);
    EXPECT_EQ(loadSound(file("noise.wav", Bytes(5000, 0x5A)), false), nullptr);
    EXPECT_EQ(loadSound(dir + "/missing.wav", false), nullptr);
    EXPECT_EQ(loadSound(dir, false), nullptr);
}

TEST(AudioOgg, RealFilesDecodeToTheirFullLength) {
    struct Known { const char* name; size_t frames; };
    // Sample counts as reported by soxi for Debian's sound-theme-freedesktop.
    const Known known[] = {{"bell.oga", 6151}, {"complete.oga", 48022},
                           {"dialog-warning.oga", 22009}, {"message.oga", 13728}};
    int found = 0;
    for (const Known& k : known) {
        std::string path = std::string(FREEDESKTOP) + k.name;
        if (fileType(path) != FILETYPE_FILE) continue;
        ++found;
        auto s = loadSound(path, true);
        ASSERT_NE(s, nullptr) << k.name;
        EXPECT_EQ(s->rate, 44100) << k.name;
        EXPECT_EQ(s->channels, 2) << k.name;
        EXPECT_EQ(s->frames(), k.frames) << k.name;
        EXPECT_TRUE(s->loop);
        int peak = 0;
        for (int16_t v : s->samples) peak = std::max(peak, std::abs(int(v)));
        EXPECT_GT(peak, 1000) << k.name << " decoded to near silence";
    }
    if (found == 0) GTEST_SKIP() << "sound-theme-freedesktop is not installed";
}

TEST(AudioWav, RealFilesDecodeToTheirFullLength) {
    // Sample counts as reported by soxi for Debian's sound-icons (16 kHz mono PCM).
    const std::pair<const char*, size_t> known[] = {
        {"cembalo-1.wav", 8683}, {"percussion-10.wav", 557}, {"trumpet-12.wav", 28768}};
    int found = 0;
    for (auto [name, frames] : known) {
        std::string path = std::string("/usr/share/sounds/sound-icons/") + name;
        if (fileType(path) != FILETYPE_FILE) continue;
        ++found;
        auto s = loadSound(path, false);
        ASSERT_NE(s, nullptr) << name;
        EXPECT_EQ(s->rate, 16000) << name;
        EXPECT_EQ(s->channels, 1) << name;
        EXPECT_EQ(s->frames(), frames) << name;
    }
    if (found == 0) GTEST_SKIP() << "sound-icons is not installed";
}

TEST_F(AudioFiles, DamagedOggFailsCleanly) {
    std::string real = std::string(FREEDESKTOP) + "complete.oga";
    Bytes b;
    if (!loadBytes(real, b)) GTEST_SKIP() << "sound-theme-freedesktop is not installed";
    ASSERT_NE(loadSound(file("copy.oga", b), false), nullptr);
    for (size_t len : {size_t(0), size_t(4), size_t(30), size_t(200), size_t(4000), b.size() / 2,
                       b.size() - 1}) {
        Bytes cut(b.begin(), b.begin() + len);
        EXPECT_EQ(loadSound(file("cut.oga", cut), false), nullptr) << "length " << len;
    }
    // Cut exactly between two pages: every page is whole, but the stream never ends.
    size_t lastPage = 0;
    for (size_t i = 0; i + 4 < b.size(); ++i)
        if (std::memcmp(b.data() + i, "OggS", 4) == 0) lastPage = i;
    ASSERT_GT(lastPage, 0u);
    EXPECT_EQ(loadSound(file("pages.oga", Bytes(b.begin(), b.begin() + lastPage)), false), nullptr);

    // Damage inside the audio breaks a page checksum.
    Bytes hit = b;
    for (size_t i = b.size() / 2; i < b.size() / 2 + 16; ++i) hit[i] ^= 0xA5;
    EXPECT_EQ(loadSound(file("hit.oga", hit), false), nullptr);
    // Damage in the headers.
    Bytes head = b;
    for (size_t i = 40; i < 120; ++i) head[i] = 0;
    EXPECT_EQ(loadSound(file("head.oga", head), false), nullptr);
}

TEST(Mixer, LoopsSeamlesslyAndKeepsStereo) {
    std::vector<int16_t> st;
    for (int i = 0; i < 100; ++i) {
        st.push_back(int16_t(i * 10));
        st.push_back(int16_t(-i * 10));
    }
    auto c = Channel::allocate();
    c->play(makeSound(44100, 2, st, true));
    auto out = mix(250);
    for (int i = 0; i < 250; ++i) {
        ASSERT_EQ(out[2 * i], (i % 100) * 10) << i;
        ASSERT_EQ(out[2 * i + 1], -(i % 100) * 10) << i;
    }
    EXPECT_TRUE(c->playing());
}

TEST(Mixer, OneShotStopsAtItsEndAndKeepsItsSound) {
    auto snd = makeSound(44100, 1, std::vector<int16_t>(100, 1000), false);
    auto c = Channel::allocate();
    c->play(snd);
    EXPECT_TRUE(c->playing());
    auto out = mix(150);
    for (int i = 0; i < 150; ++i) {
        ASSERT_EQ(out[2 * i], i < 100 ? 1000 : 0) << i;
        ASSERT_EQ(out[2 * i + 1], i < 100 ? 1000 : 0) << i;
    }
    EXPECT_FALSE(c->playing());
    EXPECT_EQ(c->sound(), snd);

    // Ending exactly on a buffer's last frame also ends the channel.
    c->play(snd);
    mix(100);
    EXPECT_FALSE(c->playing());

    // Playing again starts over; stop silences at once.
    c->play(snd);
    mix(10);
    c->stop();
    EXPECT_FALSE(c->playing());
    out = mix(10);
    EXPECT_EQ(out, std::vector<int16_t>(20, 0));
}

TEST(Mixer, VolumeScalesAndZeroMutesWhileTimeRuns) {
    auto c = Channel::allocate();
    c->play(makeSound(44100, 1, std::vector<int16_t>(100, 10000), false));
    c->setVolume(0.5f);
    EXPECT_EQ(mix(1)[0], 5000);
    c->setVolume(0);
    auto out = mix(149);
    EXPECT_EQ(out, std::vector<int16_t>(298, 0));
    EXPECT_FALSE(c->playing());  // a muted one-shot still runs out
    c->setVolume(7);
    EXPECT_EQ(c->volume(), 1.0f);
    c->setVolume(-1);
    EXPECT_EQ(c->volume(), 0.0f);
}

TEST(Mixer, FullScaleSumsClampInsteadOfWrapping) {
    std::vector<ChannelPtr> ch;
    for (int i = 0; i < 3; ++i) {
        ch.push_back(Channel::allocate());
        ch.back()->play(makeSound(44100, 2, {30000, -30000, 30000, -30000}, true));
    }
    auto out = mix(4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(out[2 * i], 32767);
        EXPECT_EQ(out[2 * i + 1], -32768);
    }
}

TEST(Mixer, ResamplesOtherRates) {
    // 22050 Hz: every source frame lasts two output frames, halfway values between.
    auto c = Channel::allocate();
    c->play(makeSound(22050, 1, ramp(50, 600), false));
    auto out = mix(120);
    for (int k = 0; k < 49; ++k) {
        ASSERT_EQ(out[4 * k], k * 600);
        ASSERT_EQ(out[4 * k + 2], k * 600 + 300);
    }
    // The last source frame is held, and the sound ends after 100 output frames.
    EXPECT_EQ(out[2 * 98], 49 * 600);
    EXPECT_EQ(out[2 * 99], 49 * 600);
    EXPECT_EQ(out[2 * 100], 0);
    EXPECT_FALSE(c->playing());

    // 48000 Hz: 4800 frames last 4410 output frames.
    c->play(makeSound(48000, 2, std::vector<int16_t>(9600, 7), false));
    mix(4409);
    EXPECT_TRUE(c->playing());
    mix(1);
    EXPECT_FALSE(c->playing());

    // A looping sound at another rate loops on time: 11025 Hz x 10 frames = 40 output frames.
    c->play(makeSound(11025, 1, ramp(10, 100), true));
    out = mix(80);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2 * 40], 0);
    EXPECT_EQ(out[2 * 4], 100);
    EXPECT_EQ(out[2 * 44], 100);
    EXPECT_EQ(out[2 * 38], 900 + (0 - 900) / 2);  // wraps through the first frame
}

TEST(Mixer, NullSoundsAndDroppedChannelsAreSilent) {
    auto c = Channel::allocate();
    c->play(nullptr);
    EXPECT_FALSE(c->playing());
    EXPECT_EQ(c->sound(), nullptr);
    c->play(makeSound(44100, 1, std::vector<int16_t>(10, 500), true));
    EXPECT_EQ(mix(1)[0], 500);
    c.reset();
    EXPECT_EQ(mix(5), std::vector<int16_t>(10, 0));
    Channel bare;  // built without allocate
    bare.play(makeSound(44100, 1, {9}, false));
    EXPECT_TRUE(bare.playing());
    EXPECT_EQ(mix(1)[0], 9);
}

TEST(SilentAudio, RecordsEachPlayWithTheChannelsVolume) {
    plat::testing::useSilentAudio();
    EXPECT_FALSE(openAudio());
    auto snd = makeSound(44100, 1, std::vector<int16_t>(10, 1), false);
    snd->path = "assets/audio/path_ok.wav";
    auto a = Channel::allocate();
    auto b = Channel::allocate();
    a->play(snd);
    a->setVolume(0);  // muted right after the start
    b->play(nullptr);
    b->setVolume(0.25f);
    b->play(snd);
    auto log = plat::testing::playLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].path, "assets/audio/path_ok.wav");
    EXPECT_EQ(log[0].volume, 0.0f);
    EXPECT_EQ(log[1].volume, 0.25f);
    a->setVolume(1);  // unmuted later
    a->play(snd);
    a->setVolume(0.5f);
    log = plat::testing::playLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].volume, 1.0f);
    EXPECT_EQ(log[2].volume, 0.5f);
    plat::testing::clearPlayLog();
    EXPECT_TRUE(plat::testing::playLog().empty());
}

TEST(AudioDevice, MissingDeviceLeavesTheGameSilent) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(openAudio());
    auto c = Channel::allocate();
    c->play(makeSound(44100, 1, std::vector<int16_t>(10, 1), true));
    EXPECT_TRUE(c->playing());
    c->stop();
    closeAudio();
}

TEST(AudioDevice, DeviceThreadMixesThePlayingChannels) {
    // SDL's dummy driver runs the callback thread without any sound hardware.
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!openAudio()) GTEST_SKIP() << "no SDL audio driver at all";
    EXPECT_TRUE(openAudio());  // a second open keeps the device
    auto c = Channel::allocate();
    c->play(makeSound(44100, 2, std::vector<int16_t>(2 * 4410, 100), false));
    for (int i = 0; i < 500 && c->playing(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(c->playing());
    closeAudio();
    closeAudio();
}

TEST(AudioDevice, ChannelCallsAreSafeWhileTheDeviceMixes) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!openAudio()) GTEST_SKIP() << "no SDL audio driver at all";
    auto loop = makeSound(22050, 1, ramp(300, 50), true);
    auto shot = makeSound(44100, 2, std::vector<int16_t>(64, 3), false);
    std::vector<ChannelPtr> held;
    for (int i = 0; i < 3000; ++i) {
        auto c = Channel::allocate();
        c->play(i % 2 ? loop : shot);
        c->setVolume(float(i % 5) / 4);
        if (i % 3 == 0) c->stop();
        if (i % 7 == 0) held.push_back(c);  // the rest are dropped while they may be mixing
        if (held.size() > 8) held.erase(held.begin());
        if (i % 500 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (auto& c : held) c->stop();
    closeAudio();
    for (auto& c : held) EXPECT_FALSE(c->playing());
}
