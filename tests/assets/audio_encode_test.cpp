// Writing WAV and Ogg Vorbis files, read back through the game's own sound loader.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/audio.h"
#include "platform/audio_encode.h"

namespace fs = std::filesystem;

namespace {

std::string outPath(const std::string& name) {
    fs::create_directories(TARN_TEST_OUT);
    return std::string(TARN_TEST_OUT) + "/" + name;
}

std::vector<int16_t> sine(double hz, int frames, int channels, double amp = 0.5) {
    std::vector<int16_t> s(size_t(frames) * size_t(channels));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            s[size_t(i) * size_t(channels) + size_t(c)] =
                int16_t(std::lround(std::sin(2 * M_PI * hz * i / 44100.0 + c) * amp * 32767));
    return s;
}

// Strength of a frequency in a channel (one bin of a DFT).
double power(const plat::Sound& s, int channel, double hz) {
    double re = 0, im = 0;
    size_t n = s.frames();
    for (size_t i = 0; i < n; ++i) {
        double v = s.samples[i * size_t(s.channels) + size_t(channel)] / 32768.0;
        re += v * std::cos(2 * M_PI * hz * double(i) / s.rate);
        im += v * std::sin(2 * M_PI * hz * double(i) / s.rate);
    }
    return std::sqrt(re * re + im * im) / double(n);
}

}  // namespace

TEST(AudioEncode, WavRoundTripIsExact) {
    for (int ch : {1, 2}) {
        auto samples = sine(440, 4410, ch);
        samples[0] = -32768;
        samples[1] = 32767;
        std::string p = outPath("roundtrip" + std::to_string(ch) + ".wav");
        ASSERT_TRUE(plat::saveWAV(samples, 44100, ch, p));
        auto s = plat::loadSound(p, false);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->channels, ch);
        EXPECT_EQ(s->rate, 44100);
        EXPECT_EQ(s->samples, samples);
        EXPECT_EQ(fs::file_size(p), 44u + samples.size() * 2);
    }
}

TEST(AudioEncode, OggKeepsTheExactLengthAndTheTone) {
    // Lengths around the encoder's block sizes: the stream must end on the last sample.
    for (int frames : {1000, 44100, 44100 * 2 + 317}) {
        auto samples = sine(660, frames, 2);
        std::string p = outPath("tone" + std::to_string(frames) + ".ogg");
        ASSERT_TRUE(plat::saveOggVorbis(samples, 44100, 2, p, 0.4f));
        auto s = plat::loadSound(p, true);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->channels, 2);
        EXPECT_EQ(s->rate, 44100);
        EXPECT_EQ(s->frames(), size_t(frames)) << frames;
        if (frames >= 44100) {
            EXPECT_GT(power(*s, 0, 660), 0.2);          // the tone survives
            EXPECT_LT(power(*s, 0, 1320), 0.02);        // and nothing much else appears
        }
    }
}

TEST(AudioEncode, OggMonoAndSilence) {
    std::vector<int16_t> silence(22050, 0);
    std::string p = outPath("silence.ogg");
    ASSERT_TRUE(plat::saveOggVorbis(silence, 44100, 1, p));
    auto s = plat::loadSound(p, false);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->channels, 1);
    EXPECT_EQ(s->frames(), 22050u);
    int peak = 0;
    for (int16_t v : s->samples) peak = std::max(peak, std::abs(int(v)));
    EXPECT_LT(peak, 8);
}

TEST(AudioEncode, SameSamplesGiveTheSameBytes) {
    auto samples = sine(330, 30000, 2);
    std::string a = outPath("same_a.ogg"), b = outPath("same_b.ogg");
    ASSERT_TRUE(plat::saveOggVorbis(samples, 44100, 2, a));
    ASSERT_TRUE(plat::saveOggVorbis(samples, 44100, 2, b));
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::string da((std::istreambuf_iterator<char>(fa)), {}), db((std::istreambuf_iterator<char>(fb)), {});
    EXPECT_FALSE(da.empty());
    EXPECT_EQ(da, db);
}

TEST(AudioEncode, RefusesBadInputAndUnwritablePaths) {
    auto samples = sine(440, 100, 2);
    EXPECT_FALSE(plat::saveWAV(samples, 44100, 3, outPath("bad.wav")));
    EXPECT_FALSE(plat::saveWAV(samples, 0, 2, outPath("bad.wav")));
    EXPECT_FALSE(plat::saveOggVorbis(samples, 44100, 0, outPath("bad.ogg")));
    std::vector<int16_t> odd(101, 0);
    EXPECT_FALSE(plat::saveWAV(odd, 44100, 2, outPath("odd.wav")));
    EXPECT_FALSE(plat::saveOggVorbis(odd, 44100, 2, outPath("odd.ogg")));
    EXPECT_FALSE(plat::saveWAV(samples, 44100, 2, "/nonexistent-folder/x.wav"));
    EXPECT_FALSE(plat::saveOggVorbis(samples, 44100, 2, "/nonexistent-folder/x.ogg"));
}
