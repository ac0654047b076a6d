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

// WAV (PCM 8/16-bit, mono or stereo, any rate) or Ogg Vorbis by content, decoded whole;
// nullptr for missing, damaged or cut files.
SoundPtr loadSound(const std::string& path, bool loop);

class Channel;
using ChannelPtr = std::shared_ptr<Channel>;

// A voice of the mixer. Playing a sound starts it from its first frame (looping when the
// sound was loaded to loop); a one-shot that reaches its end stops playing but keeps its
// sound. Dropping the last handle silences the channel.
class Channel {
public:
    Channel() = default;
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;
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

// Opens the audio device (44.1 kHz stereo); false without one, and the game then runs
// silent: channels still play, start and stop, only nothing is heard.
bool openAudio();
void closeAudio();   // endProgram calls it too
// Mixes `frames` stereo frames at 44.1 kHz of every playing channel (the device callback
// calls this; tests and benchmarks may call it directly).
void mixAudio(int16_t* out, int frames);

}  // namespace plat
