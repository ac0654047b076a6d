// Placeholder until the mixer lands.
#include "platform/audio.h"
namespace plat {
struct Channel::State { SoundPtr snd; float vol = 1; bool playing = false; };
SoundPtr loadSound(const std::string&, bool) { return nullptr; }
ChannelPtr Channel::allocate() { auto c = std::make_shared<Channel>(); c->state_ = std::make_shared<State>(); return c; }
void Channel::play(const SoundPtr& s) { state_->snd = s; state_->playing = s != nullptr; }
void Channel::stop() { state_->playing = false; }
void Channel::setVolume(float v) { state_->vol = v < 0 ? 0 : v > 1 ? 1 : v; }
float Channel::volume() const { return state_->vol; }
bool Channel::playing() const { return state_->playing; }
SoundPtr Channel::sound() const { return state_->snd; }
Channel::~Channel() = default;
bool openAudio() { return false; }
void closeAudio() {}
void mixAudio(int16_t* out, int frames) { for (int i = 0; i < frames * 2; ++i) out[i] = 0; }
}  // namespace plat
