#include "vostrel/soundmanager.h"

#include "vostrel/resourcemanager.h"

static bool validSlot(int slot) { return slot >= 0 && slot < SoundManager::SLOTS; }

SoundManager::SoundManager() : _resMan(ResourceManager::GetInstance()) {}

int SoundManager::stopBackground() {
    if (_bgdChan) {
        _bgdChan->stop();
        _bgdChan = nullptr;
    }
    return 0;
}

int SoundManager::endChannel(int slot) {
    if (!validSlot(slot)) return 0;
    if (_channelArray[size_t(slot)]) {
        _channelArray[size_t(slot)]->stop();
        _channelArray[size_t(slot)] = nullptr;
        _channelSoundName[size_t(slot)].clear();
    }
    return 0;
}

int SoundManager::load_play(const std::string& path, int flags) {
    plat::SoundPtr sound = _resMan->getDirectSound(path, flags);
    // A sound that can't be loaded is not worth stopping the music or the game for.
    if (!sound) return 0;
    stopBackground();
    _bgdChan = _newChannel();
    _bgdChan->play(sound);
    _syncVolume();
    return 0;
}

int SoundManager::_startOnSlot(int slot, const plat::SoundPtr& sound, const std::string& name) {
    if (!validSlot(slot) || !sound) return 0;
    endChannel(slot);
    plat::ChannelPtr chan = _newChannel();
    chan->play(sound);
    _channelArray[size_t(slot)] = chan;
    _channelSoundName[size_t(slot)] = name;
    // Straight after the start, so a sound started while muted is silent from the first frame.
    _syncVolume();
    return 0;
}

int SoundManager::loadPlayChannel(int slot, const std::string& path, int flags) {
    if (!validSlot(slot)) return 0;
    return _startOnSlot(slot, _resMan->getDirectSound(path, flags), path);
}

int SoundManager::playChannel(int slot, const std::string& key) {
    if (!validSlot(slot)) return 0;
    return _startOnSlot(slot, _resMan->retrieveSound(key), key);
}

int SoundManager::endAllChannels() {
    for (int i = 0; i < SLOTS; ++i) endChannel(i);
    return 0;
}

std::string SoundManager::getNowPlaying(int slot) const {
    return validSlot(slot) ? _channelSoundName[size_t(slot)] : std::string();
}

int SoundManager::mute() {
    _mute = 1;
    return _syncVolume();
}

int SoundManager::unMute() {
    _mute = 0;
    return _syncVolume();
}

plat::ChannelPtr SoundManager::channel(int slot) const {
    return validSlot(slot) ? _channelArray[size_t(slot)] : nullptr;
}

plat::ChannelPtr SoundManager::_newChannel() const {
    // The audio thread may mix between the start and _syncVolume: a channel started while
    // muted has to be silent before it starts.
    plat::ChannelPtr chan = plat::Channel::allocate();
    chan->setVolume(_mute == 1 ? 0.0f : _volume);
    return chan;
}

int SoundManager::_syncVolume() {
    const float v = _mute == 1 ? 0.0f : _volume;
    for (auto& chan : _channelArray)
        if (chan) chan->setVolume(v);
    if (_bgdChan) _bgdChan->setVolume(v);
    return 0;
}
