// Sounds decoded whole into 16-bit samples, and a software mixer with channels.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

struct Sound {
    int rate = 44100;
    int channels = 2;              // 1 or 2
    bool loop = false;
    std::vector<int16_t> samples;  // interleaved
    std::string path;
    size_t frames() const { return channels ? samples.size() / size_t(channels) : 0; }
};
using SoundPtr = std::shared_ptr<Sound>;

// WAV (PCM 8/16-bit) or Ogg Vorbis by content; nullptr for missing or damaged files.
SoundPtr loadSound(const std::string& path, bool loop);

class Channel;
using ChannelPtr = std::shared_ptr<Channel>;

class Channel {
public:
    static ChannelPtr allocate();
    void play(const SoundPtr& sound);   // a null sound plays nothing
    void stop();
    void setVolume(float v);            // clamped 0..1
    float volume() const;
    bool playing() const;
    SoundPtr sound() const;
    ~Channel();
    struct State;
    std::shared_ptr<State> state_;
};

// Opens the audio device; without one the game runs silent.
bool openAudio();
void closeAudio();
// Mixes `frames` stereo frames at 44.1 kHz of every playing channel (the device callback
// calls this; tests and benchmarks may call it directly).
void mixAudio(int16_t* out, int frames);

}  // namespace plat
