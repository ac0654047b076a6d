#include <benchmark/benchmark.h>

#include <cmath>

#include "platform/audio.h"

using namespace plat;

namespace {

SoundPtr tone(int rate, int channels, double seconds, double hz) {
    auto s = std::make_shared<Sound>();
    s->rate = rate;
    s->channels = channels;
    s->loop = true;
    const int frames = int(rate * seconds);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            s->samples.push_back(int16_t(12000 * std::sin(6.2831853 * hz * i / rate + c)));
    return s;
}

}  // namespace

// One second of 44.1 kHz stereo from six playing channels of mixed rates and layouts, in
// the device's 1024-frame buffers.
static void BM_MixSixChannelsOneSecond(benchmark::State& state) {
    const SoundPtr sounds[6] = {tone(44100, 2, 1.3, 440), tone(22050, 1, 0.7, 220), tone(48000, 2, 0.9, 330),
                                tone(44100, 1, 2.1, 550), tone(32000, 2, 1.1, 660), tone(11025, 1, 0.5, 110)};
    std::vector<ChannelPtr> channels;
    for (int i = 0; i < 6; ++i) {
        channels.push_back(Channel::allocate());
        channels.back()->play(sounds[i]);
        channels.back()->setVolume(0.4f + 0.1f * float(i));
    }
    std::vector<int16_t> buf(1024 * 2);
    for (auto _ : state) {
        for (int done = 0; done < 44100; done += 1024) {
            mixAudio(buf.data(), std::min(1024, 44100 - done));
            benchmark::DoNotOptimize(buf.data());
        }
    }
}
BENCHMARK(BM_MixSixChannelsOneSecond)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
